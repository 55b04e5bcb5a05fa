// Feeds arbitrary bytes to the scenario reader. Besides crashes, hangs and sanitizer
// reports it checks that whatever the reader accepts and the writer can write comes back
// unchanged: the tables after a save and a load equal the tables before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scenario_files/scenario_file.h"
#include "shell/trends.h"
#include "tables/number_text.h"

namespace {

// Cells compare by text; with `byValue` by the text of their numeric value, as the
// Uncertainty and Lags rows are saved (a number too large to hold shows "Overflow", which
// reads and saves as 0).
bool sameCells(const vorn::CellTable& a, const vorn::CellTable& b, bool byValue = false) {
    if (a.rows() != b.rows() || a.columns() != b.columns()) {
        return false;
    }
    auto shown = [byValue](const std::string& text) {
        return byValue ? vorn::numberText(vorn::numericValue(text)) : text;
    };
    for (int row = 0; row < a.rows(); ++row) {
        for (int column = 0; column < a.columns(); ++column) {
            if (shown(a.text(row, column)) != shown(b.text(row, column))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::ScenarioReadResult read = vorn::parseScenario(bytes);
    if (!read.data) {
        if (read.error.empty()) {
            std::abort();  // a refusal always says why
        }
        return 0;
    }
    const vorn::ScenarioData& scenario = *read.data;
    if (scenario.items < 0 || scenario.items > vorn::kMaxItems) {
        std::abort();
    }

    vorn::ScenarioTables tables;
    vorn::applyScenario(tables, scenario);
    const vorn::ItemCount cats = vorn::ItemCount::fromText(scenario.countText, scenario.items);
    if (!vorn::scenarioWriteProblem(tables, cats).empty()) {
        return 0;
    }
    const vorn::ScenarioReadResult again = vorn::parseScenario(vorn::formatScenario(tables, cats));
    if (!again.data || again.data->countText != scenario.countText) {
        std::abort();
    }
    vorn::ScenarioTables reloaded;
    vorn::applyScenario(reloaded, *again.data);
    if (!sameCells(tables.trend, reloaded.trend) || !sameCells(tables.policy, reloaded.policy) ||
        !sameCells(tables.totals, reloaded.totals, true)) {
        std::abort();
    }
    return 0;
}
