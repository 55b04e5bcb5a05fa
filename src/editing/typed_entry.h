#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/controls.h"

namespace vorn {

class Trends;

/// What a key does on a cell: a typed digit, sign or period (or F2) opens an editor in a
/// value cell, F2 on a Trend Matrix header opens the item name input box, anything else
/// does nothing.
enum class EntryStart { None, Editor, ItemNameBox };

/// Value cells take typed entry: the Trend and Policy Matrix cells off the header row and
/// column, and the Net Growth, Uncertainty and Lags cells of the Totals table.
EntryStart entryStart(const Trends& window, Control grid, int row, int column, bool f2);

/// The text an editor opened with F2 starts with: the cell's text when it reads wholly as
/// a number, otherwise nothing (the percent mark of an unset cell is not offered).
std::string entryStartText(const Trends& window, Control grid, int row, int column);

/// The number a typed entry holds: the whole text, blanks around it aside, is a decimal
/// number with a period as separator and an optional exponent (3.7, -.25, 1E3). Nothing
/// for anything else, or for a number too large for a double.
std::optional<double> readEntry(std::string_view text);

enum class EntryOutcome {
    Changed,    // the scenario changed: one undoable step and one recalculation
    Unchanged,  // a blank entry, or the cell's own value: nothing happens
    Refused,    // not a number, out of range or a negative lag: a message says so
};

/// Commits `text` typed into cell (row, column) of a table. The cell takes the text of the
/// number and is shaded as a click edit to that value would shade it; the table is brought
/// forward and the policy switch set as by a click on it. A Net Growth entry rescales the
/// item's Trend Matrix column by new / old, rounded down to hundredths as a click does;
/// when the Net Growth shows 0 there is no ratio, and the item's own growth rate (the
/// diagonal cell) takes the typed value instead. Lags take whole or fractional years of at
/// least 0. Values beyond kEntryLimit, typed or rescaled, are refused.
EntryOutcome commitEntry(Trends& window, Control grid, int row, int column, std::string_view text);

/// F2 on a header of the Trend Matrix: renames the item through the input box, which
/// proposes the present name, as one undoable step.
void renameFromKey(Trends& window, int row, int column);

/// The largest size of a typed value, and of a value a typed Net Growth rescales a column
/// to: far beyond any sensible growth rate or lag, and small enough that the projection's
/// levels stay finite whatever the other cells hold.
inline constexpr double kEntryLimit = 10000;

inline constexpr const char* kNegativeLagMessage =
    "A lag cannot be negative. Please type a number of years of 0 or more.";
inline constexpr const char* kRescaleRangeMessage =
    "That Net Growth would rescale the item's column beyond -10000 to 10000.";

/// The messages for an entry that is not a number, or a number beyond kEntryLimit.
std::string notANumberMessage(std::string_view text);
std::string outOfRangeMessage(std::string_view text);

}  // namespace vorn
