#pragma once

// Scenario files for the vorn-run tests, and the scratch folder they are written to.

#include <string>

#include "support/temp_folder.h"

namespace vorn::testing {

/// A two-item scenario file: Trend `a11`, -1 / 2, 0; Uncertainty 5, 10; Lags 1, 0; Policy 1 at
/// (B, B). Net growth is 3, -1 with the default `a11`.
inline std::string twoItemText(const std::string& a = "A", const std::string& b = "B",
                               const std::string& a11 = "1") {
    std::string text;  // ' stands for a double quote, | ends a line
    for (const char c :
         std::string("2|'Trend Matrix'|'A'|'B'|'A'|'X'|'-1'|'B'|'2'|'0'|0|5|10|0|1|0|"
                     "'Policy Matrix'|'A'|'B'|'A'|'0'|'0'|'B'|'0'|'1'|")) {
        text += c == 'A'    ? a
                : c == 'B'  ? b
                : c == 'X'  ? a11
                : c == '\'' ? "\""
                : c == '|'  ? "\r\n"
                            : std::string(1, c);
    }
    return text;
}

}  // namespace vorn::testing
