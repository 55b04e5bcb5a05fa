#pragma once

// Scenario files and a scratch folder for the vorn-run tests.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

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

/// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder() {
        m_path = (std::filesystem::temp_directory_path() / "vorn-run-XXXXXX").string();
        ::mkdtemp(m_path.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return m_path + "/" + name; }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

  private:
    std::string m_path;
};

inline std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vorn::testing
