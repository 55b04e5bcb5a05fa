#include "scenario_files/default_folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vorn {
namespace {

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
    std::error_code status;
    return !path.empty() && fs::is_directory(path, status);
}

}  // namespace

std::string defaultOpenFolder() {
    if (isFolder("D:")) {
        return "D:";
    }
    if (isFolder(VORN_EXAMPLES_DIR)) {
        return VORN_EXAMPLES_DIR;
    }
    return VORN_SOURCE_EXAMPLES_DIR;
}

std::string defaultSaveFolder() {
    if (isFolder("D:")) {
        return "D:";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return {};
    }
    const std::string documents = (fs::path(home) / "Documents").string();
    return isFolder(documents) ? documents : std::string(home);
}

}  // namespace vorn
