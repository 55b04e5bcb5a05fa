#pragma once

#include <cstddef>
#include <string>

#include "tables/cell_table.h"
#include "tables/rgb.h"

namespace vorn {

/// The three tables that hold a scenario.
struct ScenarioTables {
    CellTable trend;   // Trend Matrix: (N+1) x (N+1)
    CellTable totals;  // Totals/Uncertainty: 4 x (N+1)
    CellTable policy;  // Policy Matrix: (N+1) x (N+1)
};

inline constexpr int kMaxItems = 20;
/// The longest text, in characters, that a scenario file stores in one field: renaming
/// refuses a longer item name, and the file reader a longer field.
inline constexpr std::size_t kMaxTextLength = 4096;

inline constexpr const char* kTrendTitle = "Trend Matrix";
inline constexpr const char* kTotalsTitle = "Totals/Uncertainty";
inline constexpr const char* kPolicyTitle = "Policy Matrix";
inline constexpr const char* kNetGrowthLabel = "Net Growth";
inline constexpr const char* kUncertaintyLabel = "Uncertainty";
inline constexpr const char* kLagsLabel = "Lags (Years)";

/// Rows of the Totals/Uncertainty table.
inline constexpr int kNamesRow = 0;
inline constexpr int kNetGrowthRow = 1;
inline constexpr int kUncertaintyRow = 2;
inline constexpr int kLagsRow = 3;
inline constexpr int kTotalsRows = 4;

/// Width of the label column of every table, in twips.
inline constexpr int kLabelColumnWidth = 1000;

/// The colour channel in which a table's cells differ from full intensity.
enum class ColorChannel { Red, Green, Blue };

inline constexpr ColorChannel kTrendChannel = ColorChannel::Blue;
inline constexpr ColorChannel kPolicyChannel = ColorChannel::Red;
inline constexpr ColorChannel kTotalsChannel = ColorChannel::Green;

/// A colour whose table channel holds `level` and whose other two channels hold `other`.
Rgb channelColor(ColorChannel channel, double level, double other);

/// The default name of item k: "Item" followed by two blanks and the digits of k.
std::string defaultItemName(int item);

/// Sizes the tables for `items` items: the matrices square, one row and one column more than
/// items, the Totals table its four rows and one column more than items.
void resizeForItems(ScenarioTables& tables, int items);

/// Restores the name rule for item k: the Trend Matrix headers are the master list and are
/// copied into the Totals and Policy headers (an empty Trend header first takes its twin).
void synchroniseItemNames(ScenarioTables& tables, int item);

}  // namespace vorn
