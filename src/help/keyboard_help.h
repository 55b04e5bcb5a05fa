#pragma once

#include "tables/text_table.h"

namespace vorn {

/// Every key of the window and what it does, as Help > Keyboard shows it: a row of two columns,
/// "Keys" and "What they do", for each.
TextTable keyboardHelp();

}  // namespace vorn
