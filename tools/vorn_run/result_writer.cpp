#include "vorn_run/result_writer.h"

#include <span>
#include <string>
#include <utility>

#include "charts/captions.h"
#include "scenario_files/block_writer.h"
#include "scenario_files/result_csv.h"
#include "scenario_files/text_format.h"

namespace vorn::batch {
namespace {

std::span<const double> row(const std::vector<double>& values, int index, int length) {
    return std::span<const double>(values).subspan(static_cast<std::size_t>(index * length),
                                                   static_cast<std::size_t>(length));
}

// ---- JSON ----

void jsonNumbers(std::string& out, std::span<const double> values) {
    out += '[';
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k > 0) {
            out += ", ";
        }
        appendNumber(out, values[k], "null");
    }
    out += ']';
}

void jsonStrings(std::string& out, const std::vector<std::string>& values) {
    out += '[';
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k > 0) {
            out += ", ";
        }
        appendJsonString(out, values[k]);
    }
    out += ']';
}

// "  "key": " at the given indent.
void jsonKey(std::string& out, int indent, std::string_view key) {
    out.append(static_cast<std::size_t>(indent), ' ');
    appendJsonString(out, key);
    out += ": ";
}

// An array of number rows, one row per line; `last` says whether a comma follows.
void jsonRows(BlockWriter& writer, int indent, std::string_view key,
              const std::vector<double>& values, int rows, int length, bool last) {
    std::string& out = writer.text();
    jsonKey(out, indent, key);
    if (rows == 0) {
        out += "[]";
    } else {
        out += '[';
        writer.lineDone();
        for (int r = 0; r < rows; ++r) {
            out.append(static_cast<std::size_t>(indent + 2), ' ');
            jsonNumbers(out, row(values, r, length));
            if (r + 1 < rows) {
                out += ',';
            }
            writer.lineDone();
        }
        out.append(static_cast<std::size_t>(indent), ' ');
        out += ']';
    }
    if (!last) {
        out += ',';
    }
    writer.lineDone();
}

std::vector<std::string> contributionRowNames(const ChartTable& table) {
    std::vector<std::string> names;
    for (int r = 1; r < table.rows(); ++r) {
        names.push_back(table.text(r, 0));
    }
    return names;
}

std::vector<std::string> contributionColumnNames(const ChartTable& table) {
    std::vector<std::string> names;
    for (int c = 1; c < table.columns(); ++c) {
        names.push_back(table.text(0, c));
    }
    return names;
}

// An array of objects, one per line: {"key": value, ...}; `last` says whether a comma follows.
template <typename Row, typename WriteRow>
void jsonObjects(BlockWriter& writer, std::string_view key, const std::vector<Row>& rows, bool last,
                 WriteRow writeRow) {
    std::string& out = writer.text();
    jsonKey(out, 2, key);
    out += '[';
    if (!rows.empty()) {
        writer.lineDone();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            out += "    {";
            writeRow(out, rows[r]);
            out += r + 1 < rows.size() ? "}," : "}";
            writer.lineDone();
        }
        out += "  ";
    }
    out += last ? "]" : "],";
    writer.lineDone();
}

void jsonSensitivity(BlockWriter& writer, const Sensitivity& sensitivity) {
    jsonObjects(writer, "sensitivity", sensitivity.ranked(), false,
                [&](std::string& out, const SensitivityEntry& entry) {
                    out += "\"row\": ";
                    appendJsonString(out, sensitivity.names[static_cast<std::size_t>(entry.row)]);
                    out += ", \"column\": ";
                    appendJsonString(out,
                                     sensitivity.names[static_cast<std::size_t>(entry.column)]);
                    out += ", \"effect\": ";
                    appendNumber(out, entry.effect, "null");
                });
}

void jsonInfluence(BlockWriter& writer, const InfluenceMap& influence) {
    jsonObjects(writer, "influence", influence.items, false,
                [](std::string& out, const InfluenceItem& item) {
                    out += "\"item\": ";
                    appendJsonString(out, item.name);
                    out += ", \"influence\": ";
                    appendNumber(out, item.influence, "null");
                    out += ", \"dependence\": ";
                    appendNumber(out, item.dependence, "null");
                    out += ", \"indirectInfluence\": ";
                    appendNumber(out, item.indirectInfluence, "null");
                    out += ", \"indirectDependence\": ";
                    appendNumber(out, item.indirectDependence, "null");
                });
    std::string& out = writer.text();
    jsonKey(out, 2, "indirect");
    out += "{\"power\": " + std::to_string(influence.indirectPower) +
           ", \"period\": " + std::to_string(influence.indirectPeriod) +
           ", \"settled\": " + (influence.indirectSettled ? "true" : "false") + "},";
    writer.lineDone();
}

void jsonLoops(BlockWriter& writer, const LoopDiagram& diagram, bool last) {
    jsonObjects(writer, "loops", diagram.search.loops, false,
                [&](std::string& out, const FeedbackLoop& loop) {
                    out += "\"loop\": ";
                    appendJsonString(out, loop.name);
                    out += ", \"kind\": ";
                    appendJsonString(out, loopKindName(loop.kind));
                    out += ", \"length\": " + std::to_string(loop.length());
                    out += ", \"strength\": ";
                    appendNumber(out, loop.strength, "null");
                    out += ", \"items\": [";
                    for (std::size_t k = 0; k < loop.items.size(); ++k) {
                        out += k > 0 ? ", " : "";
                        appendJsonString(out,
                                         diagram.names[static_cast<std::size_t>(loop.items[k])]);
                    }
                    out += ']';
                });
    std::string& out = writer.text();
    jsonKey(out, 2, "loopSearch");
    out += "{\"found\": " + std::to_string(diagram.search.found) +
           ", \"complete\": " + (diagram.search.complete() ? "true" : "false") + ", \"note\": ";
    appendJsonString(out, diagram.searchNote());
    out += last ? "}" : "},";
    writer.lineDone();
}

// "difference": the reference file, the items compared, those left out and, one row per item,
// the scenario's levels minus the reference's at every step.
void jsonDifference(BlockWriter& writer, const BatchResult& result) {
    std::string& out = writer.text();
    const NamedLevels& difference = result.difference;
    jsonKey(out, 2, "difference");
    out += '{';
    writer.lineDone();
    jsonKey(out, 4, "reference");
    appendJsonString(out, result.referencePath);
    out += ',';
    writer.lineDone();
    jsonKey(out, 4, "items");
    jsonStrings(out, difference.names);
    out += ',';
    writer.lineDone();

    jsonKey(out, 4, "notMatched");
    jsonStrings(out, result.referenceMatch.unmatched());
    out += ',';
    writer.lineDone();
    jsonRows(writer, 4, "values", difference.values, difference.items(), difference.points(), true);
    out += "  }";
    writer.lineDone();
}

}  // namespace

void writeJson(std::ostream& stream, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    const ProjectionSettings& settings = result.settings;
    BlockWriter writer(stream);
    std::string& out = writer.text();

    out += '{';
    writer.lineDone();
    jsonKey(out, 2, "items");
    jsonStrings(out, result.itemNames);
    out += ',';
    writer.lineDone();
    const auto whole = [&](std::string_view key, long long value) {
        jsonKey(out, 2, key);
        out += std::to_string(value);
        out += ',';
        writer.lineDone();
    };
    whole("horizon", settings.horizon);
    whole("horizonYear", horizonYear(settings.horizon));
    whole("uncertainty", settings.uncertaintyLevel);
    jsonKey(out, 2, "policy");
    out += result.policiesApplied ? "true," : "false,";
    writer.lineDone();
    whole("runs", numbers.runs);
    jsonKey(out, 2, "track");
    out += numbers.tracked > 0 ? std::to_string(numbers.tracked) : "null";
    out += ',';
    writer.lineDone();
    jsonKey(out, 2, "seed");
    out += std::to_string(result.seed);
    out += ',';
    writer.lineDone();

    jsonKey(out, 2, "captions");
    out += '{';
    writer.lineDone();
    jsonKey(out, 4, "trends");
    appendJsonString(out, result.projection.trendsCaption);
    out += ',';
    writer.lineDone();
    jsonKey(out, 4, "contributions");
    appendJsonString(out, result.projection.contributionsCaption);
    out += ',';
    writer.lineDone();
    jsonKey(out, 4, "spread");
    appendJsonString(out, result.spreadCaption);
    writer.lineDone();
    out += "  },";
    writer.lineDone();

    jsonKey(out, 2, "netGrowth");
    jsonNumbers(out, numbers.netGrowth);
    out += ',';
    writer.lineDone();
    jsonKey(out, 2, "years");
    out += '[';
    for (std::size_t p = 0; p < numbers.years.size(); ++p) {
        out += p > 0 ? ", " : "";
        out += std::to_string(numbers.years[p]);
    }
    out += "],";
    writer.lineDone();
    jsonRows(writer, 2, "levels", numbers.levels, numbers.items, kPoints, false);

    const ChartTable& contrib = result.projection.contribTable;
    jsonKey(out, 2, "contributions");
    out += '{';
    writer.lineDone();
    jsonKey(out, 4, "rows");
    jsonStrings(out, contributionRowNames(contrib));
    out += ',';
    writer.lineDone();
    jsonKey(out, 4, "columns");
    jsonStrings(out, contributionColumnNames(contrib));
    out += ',';
    writer.lineDone();
    jsonRows(writer, 4, "values", numbers.contributions, numbers.items + 1, numbers.items, true);
    out += "  },";
    writer.lineDone();

    const int spreadRuns = numbers.tracked > 0 ? numbers.runs : 0;
    jsonRows(writer, 2, "spread", numbers.trackedLevels, spreadRuns, kPoints, false);

    jsonKey(out, 2, "bands");
    out += '{';
    writer.lineDone();
    for (std::size_t b = 0; b < kBandNames.size(); ++b) {
        jsonKey(out, 4, kBandNames[b]);
        jsonNumbers(out, result.bands.bands[b]);
        if (b + 1 < kBandNames.size()) {
            out += ',';
        }
        writer.lineDone();
    }
    out += "  },";
    writer.lineDone();
    jsonSensitivity(writer, result.sensitivity);
    jsonInfluence(writer, result.influence);
    jsonLoops(writer, result.loops, !result.reference);
    if (result.reference) {
        jsonDifference(writer, result);
    }
    out += '}';
    writer.lineDone();
}

void writeCsv(std::ostream& stream, const BatchResult& result, CsvTable table) {
    // The window exports the same tables through the same writer.
    ResultSource source{result.projection.numbers, result.itemNames,
                        result.projection.contribTable};
    source.bands = &result.bands;
    source.sensitivity = &result.sensitivity;
    source.influence = &result.influence;
    source.loops = &result.loops;
    if (result.reference) {
        source.reference = &*result.reference;
        source.difference = &result.difference;
    }
    writeResultCsv(stream, source, table);
}

}  // namespace vorn::batch
