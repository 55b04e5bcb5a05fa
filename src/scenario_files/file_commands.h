#pragma once

#include <string>

namespace vorn {

class Trends;

/// File > Open: asks for a scenario file and loads it.
void mnuOpen_Click(Trends& window);
/// File > Save: asks for a file name and saves the scenario there. True when it was saved.
bool mnusave_Click(Trends& window);
/// File > Print: prints an image of the window.
void mnuPrint_Click(Trends& window);
void PrintSelection(Trends& window);

/// Closing the window, also by File > Exit. With changes since the last Open, Save or
/// start-up it asks whether to save them: Save runs the Save command, Discard drops them,
/// Cancel keeps the window. True when the window may close.
bool Form_QueryUnload(Trends& window);

/// The question asked before changes would be lost.
inline constexpr const char* kSaveChangesQuestion = "Save changes to the scenario before closing?";

/// Reads the scenario file at `path` into the tables and recalculates, as one undoable step.
/// Returns false, with a message shown and nothing changed, when the file cannot be read.
bool loadscenario(Trends& window, const std::string& path);
/// Writes the scenario to `path`. Returns false, with a message shown and any earlier file
/// left whole, when it cannot be written.
bool savescenario(Trends& window, const std::string& path);

}  // namespace vorn
