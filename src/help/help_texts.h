#pragma once

#include <string>

namespace vorn {

/// The summary of the model shown in the Overview pane.
std::string overviewText();

/// The brief instructions shown in the Instruction pane.
std::string instructionsText();

/// The credits paragraph shown in the About pane.
std::string creditsText();

}  // namespace vorn
