#include "scenario_files/start_up_file.h"

#include <filesystem>
#include <system_error>

#include "scenario_files/file_commands.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// The caption names the file the way the Open dialog does, by its full path, whatever
// folder the program was started in.
std::string fullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

std::string quotedList(std::vector<std::string>::const_iterator first,
                       std::vector<std::string>::const_iterator last) {
    std::string list;
    for (auto name = first; name != last; ++name) {
        list += (list.empty() ? "\"" : ", \"") + *name + '"';
    }
    return list;
}

}  // namespace

void openStartUpFile(Trends& window, const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        return;
    }
    // An empty name is what a cancelled Open dialog gives: nothing to open.
    if (!arguments.front().empty()) {
        const std::string path = fullPath(arguments.front());
        if (loadscenario(window, path)) {
            window.setText(Control::MatrixFile, "Initial Scenario " + path);
        }
    }
    if (arguments.size() > 1) {
        window.platform().showMessage(
            std::string(kWindowTitle),
            "The window holds one scenario at a time, so these further files named when the "
            "program was started were not opened: " +
                quotedList(arguments.begin() + 1, arguments.end()) + ".");
    }
}

}  // namespace vorn
