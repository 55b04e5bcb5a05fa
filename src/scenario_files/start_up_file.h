#pragma once

#include <string>
#include <vector>

namespace vorn {

class Trends;

/// Opens the scenario file named on the command line (`vorn FILE`, as a file manager's
/// "Open with" starts the program), after `Form_Load`. It loads like File > Open: a file that
/// reads is named in the `MatrixFile` caption; one that does not shows its message and the
/// blank scenario stays. No arguments: nothing happens. The window holds one scenario, so
/// further names are not opened and a message lists them.
void openStartUpFile(Trends& window, const std::vector<std::string>& arguments);

}  // namespace vorn
