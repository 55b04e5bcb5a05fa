#pragma once

#include <string>
#include <vector>

namespace vorn {

/// Texts in rows and columns with a header for each column and, unless there are none, for each
/// row, as a window shows them for reading (View > Chart Data, Help > Keyboard) and a screen
/// reader reads them: the corner names what the rows are.
struct TextTable {
    std::string cornerText;
    std::vector<std::string> columnHeaders;
    std::vector<std::string> rowHeaders;          // empty: the rows have no headers
    std::vector<std::vector<std::string>> cells;  // by row, then column

    friend bool operator==(const TextTable&, const TextTable&) = default;
};

}  // namespace vorn
