#include "help/keyboard_help.h"

#include <utility>

namespace vorn {

TextTable keyboardHelp() {
    // clang-format off
    // A plain array, so that its size is counted from the entries.
    static const std::pair<const char*, const char*> kKeys[] = {
        {"Tab, Shift+Tab", "Move through the controls, starting at the Totals table."},
        {"F6, Shift+F6", "Jump between the sliders, the charts, the table in front and the help panes."},
        {"Arrows (in a table)", "Move the current cell; headers and the corner cell can be reached too. Arriving at a cell acts as a first left click on it: the table comes forward and the cell's hint shows."},
        {"Home, End (in a table)", "The first or last cell of the row."},
        {"Ctrl+Home, Ctrl+End (in a table)", "The first or last cell of the table."},
        {"Page Up, Page Down (in a table)", "A page of rows up or down."},
        {"Space (in a table)", "A further left click on the current cell: a value steps up by the click step, a Trend Matrix header renames its item, the Trend Matrix's top-left cell adds an item, a Totals item name runs the twenty runs."},
        {"Shift+Space (in a table)", "A further right click on the current cell: a value steps down, the Trend Matrix's top-left cell removes the last item."},
        {"Menu, Shift+F10 (in a table)", "The current cell's actions in a menu: Step Up, Step Down, Rename Item..., Add Item, Remove Last Item, Twenty Runs."},
        {"0 to 9, -, +, . (in a table)", "Start typing a number into the current value cell."},
        {"F2 (in a table)", "Edit the current value cell, its number selected, so that typing replaces it; on a Trend Matrix header, rename the item."},
        {"Enter (while typing a number)", "Commit the number."},
        {"Escape (while typing a number)", "Cancel the number; the cell keeps its value."},
        {"Up, Down, Page Up, Page Down (while typing a number)", "Commit the number and move the current cell."},
        {"Home, End, Shift+arrows, Ctrl+A, Ctrl+C, Ctrl+V, Ctrl+Z (while typing a number)", "Edit the typed text."},
        {"Right, Up, Left, Down (on a slider)", "One step: Right and Up towards Future, High and Large."},
        {"Page Up, Page Down (on a slider)", "A large step up or down."},
        {"Home, End (on a slider)", "The slider's lowest or highest position."},
        {"Space, Enter (on a chart)", "What a click on the chart does: the Spread chart shows twenty runs, the other charts one."},
        {"Down, Right; Up, Left (on a chart)", "Highlight the next or previous entry of the chart's legend in every chart, as a click on the entry does; past the last or first, none."},
        {"Escape (in the main window)", "End the highlight; in the presentation layout, first close the help pane its drawer shows."},
        {"Ctrl+Z; Ctrl+Shift+Z, Ctrl+Y", "Undo; Redo."},
        {"Ctrl++ (also Ctrl+=), Ctrl+-, Ctrl+0", "Zoom in, zoom out, actual size."},
        {"Ctrl+B", "Uncertainty Bands on or off."},
        {"Ctrl+R", "New random draws, held from then on (View > New Random Draws)."},
        {"F11", "Presentation Layout on or off: the whole screen, texts for a room."},
        {"Alt+F, Alt+E, Alt+V, Alt+A, Alt+H", "Open the File, Edit, View, Analysis or Help menu."},
        {"Escape, Ctrl+W (in a window of its own or a side panel)", "Close the Sensitivity, Influence Map, Loop Diagram, Chart Data or Keyboard window."},
        {"Alt+F4", "Close the main window; with unsaved changes it asks first."},
    };
    // clang-format on
    TextTable table;
    table.cornerText = "Keys";
    table.columnHeaders = {"Keys", "What they do"};
    for (const auto& [keys, what] : kKeys) {
        table.cells.push_back({keys, what});
    }
    return table;
}

}  // namespace vorn
