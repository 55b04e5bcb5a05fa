#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/scenario_tables.h"

namespace vorn {

struct ItemCount;

/// A scenario as a file holds it: every field's text, in file order.
struct ScenarioData {
    int items = 0;                         // N
    std::string countText;                 // the count field's first 20 characters
    bool countQuoted = false;              // the count was a text field
    std::vector<std::string> trend;        // (N+1) x (N+1) cell texts, row-major
    std::vector<std::string> uncertainty;  // N+1 field texts, column 0 first
    std::vector<std::string> lags;         // N+1 field texts, column 0 first
    std::vector<std::string> policy;       // (N+1) x (N+1) cell texts, row-major
};

/// The outcome of reading a scenario: the data, or a message that says what is wrong.
struct ScenarioReadResult {
    std::optional<ScenarioData> data;
    std::string error;
};

/// Characters of the count field that the window keeps as the count's text.
inline constexpr std::size_t kCountTextLength = 20;
/// The largest file the reader takes; no scenario comes near it.
inline constexpr std::size_t kMaxScenarioFileBytes = 32 * 1024 * 1024;

/// Number of fields a scenario of `items` items needs: 2(N+1)^2 + 2(N+1) + 1.
constexpr int scenarioFieldCount(int items) {
    return 2 * (items + 1) * (items + 1) + 2 * (items + 1) + 1;
}

/// Reads a scenario from the bytes of a file. UTF-8 text is taken as it is; other 8-bit
/// text is read as Windows-1252. Fields end at a comma or a line end (CR LF, LF or CR);
/// a field in double quotes is text, an unquoted field is trimmed and, when it is a
/// number, stands for that number's text. Fields after the Policy block are ignored.
/// Nothing is accepted that a table could not take back whole: the count field's numeric
/// value must be a whole number from 0 to 20, every field the count asks for must be there, fields
/// are at most kMaxTextLength characters and the bytes must be text.
ScenarioReadResult parseScenario(std::string_view bytes);
/// Reads the scenario file at `path`; the error names the file.
ScenarioReadResult readScenarioFile(const std::string& path);
/// Puts a scenario into the tables: shapes, cell texts, Uncertainty and Lags rows, corners.
void applyScenario(ScenarioTables& tables, const ScenarioData& data);

/// Why the scenario cannot be written so that it reads back the same: a cell text holding
/// a double quote or a line break, a text longer than kMaxTextLength characters or not
/// UTF-8, or a count outside 0..20. Names the cell; empty when all is well.
std::string scenarioWriteProblem(const ScenarioTables& tables, const ItemCount& cats);
/// The text of a scenario file for the tables and the count as the window holds it. The
/// count line is the number, or the count's text in double quotes when the window holds
/// it as text; every line ends with CR LF.
std::string formatScenario(const ScenarioTables& tables, const ItemCount& cats);

}  // namespace vorn
