#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace vorn::testing {

/// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder() {
        m_path = (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
        if (::mkdtemp(m_path.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder " + m_path);
        }
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
