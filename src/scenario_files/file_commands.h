#pragma once

#include <string>

namespace vorn {

class Trends;

/// File > Open: asks for a scenario file and loads it.
void mnuOpen_Click(Trends& window);
/// File > Save: asks for a file name and saves the scenario there.
void mnusave_Click(Trends& window);
/// File > Print: prints an image of the window.
void mnuPrint_Click(Trends& window);
void PrintSelection(Trends& window);

/// Reads the scenario file at `path` into the tables and recalculates. Returns false, with
/// a message shown and nothing changed, when the file cannot be read.
bool loadscenario(Trends& window, const std::string& path);
/// Writes the scenario to `path`. Returns false, with a message shown and any earlier file
/// left whole, when it cannot be written.
bool savescenario(Trends& window, const std::string& path);

}  // namespace vorn
