#pragma once

// Scenario files and a scratch folder for the vorn-run tests.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace vorn::testing {

/// A two-item scenario file: Trend `a11`, -1 / 2, 0; Uncertainty 5, 10; Lags 1, 0; Policy 1 at
/// (B, B). Net growth is 3, -1 with the default `a11`.
inline std::string twoItemText(const std::string& a = "A", const std::string& b = "B",
                               const std::string& a11 = "1") {
    const std::string qa = "\"" + a + "\"\r\n", qb = "\"" + b + "\"\r\n";
    const auto square = [&](const char* title, const char* cells[4]) {
        std::string text = std::string("\"") + title + "\"\r\n" + qa + qb + qa;
        text += std::string("\"") + cells[0] + "\"\r\n\"" + cells[1] + "\"\r\n" + qb;
        return text + "\"" + cells[2] + "\"\r\n\"" + cells[3] + "\"\r\n";
    };
    const char* trend[4] = {a11.c_str(), "-1", "2", "0"};
    const char* policy[4] = {"0", "0", "0", "1"};
    return "2\r\n" + square("Trend Matrix", trend) + "0\r\n5\r\n10\r\n0\r\n1\r\n0\r\n" +
           square("Policy Matrix", policy);
}

/// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder() {
        std::random_device device;
        m_path = std::filesystem::temp_directory_path() /
                 ("vorn-run-test-" + std::to_string(device()) + std::to_string(device()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path(const std::string& name) const { return (m_path / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }

  private:
    std::filesystem::path m_path;
};

inline std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vorn::testing
