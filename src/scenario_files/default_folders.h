#pragma once

#include <string>

namespace vorn {

/// The folder the Open dialog starts in: the drive the scenarios were traditionally kept on
/// when there is one, otherwise the installed or the source tree's example scenarios.
std::string defaultOpenFolder();

/// The folder the Save and Export dialogs start in: that drive when there is one, otherwise
/// the user's Documents folder or home folder; empty when there is no home folder.
std::string defaultSaveFolder();

}  // namespace vorn
