// A stand-in for the scenario file reader while the real one is not part of the core yet;
// tools/CMakeLists.txt compiles it only when no core source defines readScenarioFile.
#include <fstream>
#include <sstream>

#include "scenario_files/scenario_file.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

constexpr std::size_t kFieldLength = 20;

std::vector<std::string> splitFields(std::string_view bytes) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lineEnd = std::min(bytes.find('\n', pos), bytes.size());
        std::string_view line = bytes.substr(pos, lineEnd - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::size_t at = 0;
        do {
            std::string field;
            while (at < line.size() && line[at] == ' ') {
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                const std::size_t close = line.find('"', at + 1);
                const std::size_t end = close == std::string_view::npos ? line.size() : close;
                field = std::string(line.substr(at + 1, end - at - 1));
                at = std::min(line.find(',', end), line.size());
            } else {
                const std::size_t end = std::min(line.find(',', at), line.size());
                std::string_view raw = line.substr(at, end - at);
                while (!raw.empty() && raw.back() == ' ') {
                    raw.remove_suffix(1);
                }
                field = startsWithNumber(raw) ? numberText(numericValue(raw)) : std::string(raw);
                at = end;
            }
            fields.push_back(field.substr(0, kFieldLength));
        } while (at++ < line.size());
        pos = lineEnd + 1;
    }
    return fields;
}

}  // namespace

ScenarioReadResult parseScenario(std::string_view bytes) {
    const std::vector<std::string> fields = splitFields(bytes);
    ScenarioReadResult result;
    if (fields.empty() || !startsWithNumber(fields[0]) || numericValue(fields[0]) < 0 ||
        numericValue(fields[0]) > kMaxItems) {
        result.error = "The file does not begin with an item count.";
        return result;
    }
    ScenarioData data;
    data.countText = fields[0];
    data.items = static_cast<int>(numericValue(fields[0]));
    const std::size_t side = static_cast<std::size_t>(data.items + 1);
    if (fields.size() < 1 + 2 * side * side + 2 * side) {
        result.error = "The file ends before the scenario is complete.";
        return result;
    }
    auto next = fields.begin() + 1;
    auto take = [&next](std::vector<std::string>& into, std::size_t count) {
        into.assign(next, next + static_cast<std::ptrdiff_t>(count));
        next += static_cast<std::ptrdiff_t>(count);
    };
    take(data.trend, side * side);
    take(data.uncertainty, side);
    take(data.lags, side);
    take(data.policy, side * side);
    result.data = std::move(data);
    return result;
}

ScenarioReadResult readScenarioFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (!in || !(bytes << in.rdbuf())) {
        return {std::nullopt, "The file " + path + " cannot be opened."};
    }
    ScenarioReadResult result = parseScenario(bytes.str());
    if (!result.data) {
        result.error = "The file " + path + " cannot be read: " + result.error;
    }
    return result;
}

void applyScenario(ScenarioTables& tables, const ScenarioData& data) {
    const int side = data.items + 1;
    tables.trend.resize(side, side);
    tables.policy.resize(side, side);
    tables.totals.resize(kTotalsRows, side);
    for (int i = 0; i < side; ++i) {
        for (int j = 0; j < side; ++j) {
            const std::size_t k = static_cast<std::size_t>(i * side + j);
            tables.trend.setText(i, j, data.trend[k]);
            tables.policy.setText(i, j, data.policy[k]);
        }
        const std::size_t k = static_cast<std::size_t>(i);
        tables.totals.setText(kUncertaintyRow, i, numberText(numericValue(data.uncertainty[k])));
        tables.totals.setText(kLagsRow, i, numberText(numericValue(data.lags[k])));
    }
    tables.trend.setText(0, 0, kTrendTitle);
    tables.totals.setText(0, 0, kTotalsTitle);
    tables.policy.setText(0, 0, kPolicyTitle);
}

}  // namespace vorn
