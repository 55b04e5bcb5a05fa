#pragma once

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
    std::string countText;                 // the count field's text
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

/// Reads a scenario from the bytes of a file.
ScenarioReadResult parseScenario(std::string_view bytes);
/// Reads the scenario file at `path`; the error names the file.
ScenarioReadResult readScenarioFile(const std::string& path);
/// Puts a scenario into the tables: shapes, cell texts, Uncertainty and Lags rows, corners.
void applyScenario(ScenarioTables& tables, const ScenarioData& data);
/// The text of a scenario file for the tables and the count as the window holds it.
std::string formatScenario(const ScenarioTables& tables, const ItemCount& cats);

}  // namespace vorn
