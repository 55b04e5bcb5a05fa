#include "scenario_files/file_commands.h"

#include "shell/trends.h"

namespace vorn {

void mnuOpen_Click(Trends& /*window*/) {}
void mnusave_Click(Trends& /*window*/) {}
void mnuPrint_Click(Trends& window) { PrintSelection(window); }
void PrintSelection(Trends& /*window*/) {}
bool loadscenario(Trends& /*window*/, const std::string& /*path*/) { return false; }
bool savescenario(Trends& /*window*/, const std::string& /*path*/) { return false; }

}  // namespace vorn
