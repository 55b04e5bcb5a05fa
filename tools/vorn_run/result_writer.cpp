#include "vorn_run/result_writer.h"

#include <span>
#include <string>

#include "charts/captions.h"
#include "vorn_run/text_format.h"

namespace vorn::batch {
namespace {

constexpr std::size_t kFlushSize = 1 << 16;

// Collects text and hands it to the stream in blocks.
class BlockWriter {
  public:
    explicit BlockWriter(std::ostream& out) : m_out(out) { m_text.reserve(kFlushSize * 2); }
    ~BlockWriter() { flush(); }

    std::string& text() { return m_text; }
    void lineDone() {
        m_text += '\n';
        if (m_text.size() >= kFlushSize) {
            flush();
        }
    }
    void flush() {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
    }

  private:
    std::ostream& m_out;
    std::string m_text;
};

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

// ---- CSV ----

void csvLevels(BlockWriter& writer, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    std::string& out = writer.text();
    out += "year";
    for (const std::string& name : result.itemNames) {
        out += ',';
        appendCsvField(out, name);
    }
    writer.lineDone();
    for (int p = 0; p < kPoints; ++p) {
        out += std::to_string(numbers.years[static_cast<std::size_t>(p)]);
        for (int i = 0; i < numbers.items; ++i) {
            out += ',';
            appendNumber(out, numbers.level(i, p));
        }
        writer.lineDone();
    }
}

void csvContributions(BlockWriter& writer, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    const ChartTable& table = result.projection.contribTable;
    std::string& out = writer.text();
    out += "item";
    for (const std::string& name : contributionColumnNames(table)) {
        out += ',';
        appendCsvField(out, name);
    }
    writer.lineDone();
    const std::vector<std::string> rows = contributionRowNames(table);
    for (int r = 0; r <= numbers.items; ++r) {
        appendCsvField(out, rows[static_cast<std::size_t>(r)]);
        for (double value : row(numbers.contributions, r, numbers.items)) {
            out += ',';
            appendNumber(out, value);
        }
        writer.lineDone();
    }
}

void csvSpread(BlockWriter& writer, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    const int runs = numbers.tracked > 0 ? numbers.runs : 0;
    std::string& out = writer.text();
    out += "year";
    for (int run = 1; run <= runs; ++run) {
        out += ",run ";
        out += std::to_string(run);
    }
    writer.lineDone();
    for (int p = 0; p < kPoints; ++p) {
        out += std::to_string(numbers.years[static_cast<std::size_t>(p)]);
        for (int run = 0; run < runs; ++run) {
            out += ',';
            appendNumber(out, numbers.trackedLevels[static_cast<std::size_t>(run * kPoints + p)]);
        }
        writer.lineDone();
    }
}

void csvNetGrowth(BlockWriter& writer, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    std::string& out = writer.text();
    out += "item,netGrowth";
    writer.lineDone();
    for (int i = 0; i < numbers.items; ++i) {
        appendCsvField(out, result.itemNames[static_cast<std::size_t>(i)]);
        out += ',';
        appendNumber(out, numbers.netGrowth[static_cast<std::size_t>(i)]);
        writer.lineDone();
    }
}

void csvBands(BlockWriter& writer, const BatchResult& result) {
    const ProjectionNumbers& numbers = result.projection.numbers;
    std::string& out = writer.text();
    out += "year";
    for (std::string_view name : kBandNames) {
        out += ',';
        out += name;
    }
    writer.lineDone();
    if (result.bands.bands[0].empty()) {
        return;
    }
    for (int p = 0; p < kPoints; ++p) {
        out += std::to_string(numbers.years[static_cast<std::size_t>(p)]);
        for (const std::vector<double>& band : result.bands.bands) {
            out += ',';
            appendNumber(out, band[static_cast<std::size_t>(p)]);
        }
        writer.lineDone();
    }
}

void csvSensitivity(BlockWriter& writer, const BatchResult& result) {
    const Sensitivity& sensitivity = result.sensitivity;
    std::string& out = writer.text();
    out += "row,column,effect";
    writer.lineDone();
    for (const SensitivityEntry& entry : sensitivity.ranked()) {
        appendCsvField(out, sensitivity.names[static_cast<std::size_t>(entry.row)]);
        out += ',';
        appendCsvField(out, sensitivity.names[static_cast<std::size_t>(entry.column)]);
        out += ',';
        appendNumber(out, entry.effect);
        writer.lineDone();
    }
}

void csvInfluence(BlockWriter& writer, const BatchResult& result) {
    std::string& out = writer.text();
    out += "item,influence,dependence";
    writer.lineDone();
    for (const InfluenceItem& item : result.influence.items) {
        appendCsvField(out, item.name);
        out += ',';
        appendNumber(out, item.influence);
        out += ',';
        appendNumber(out, item.dependence);
        writer.lineDone();
    }
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
    jsonObjects(writer, "influence", influence.items, true,
                [](std::string& out, const InfluenceItem& item) {
                    out += "\"item\": ";
                    appendJsonString(out, item.name);
                    out += ", \"influence\": ";
                    appendNumber(out, item.influence, "null");
                    out += ", \"dependence\": ";
                    appendNumber(out, item.dependence, "null");
                });
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
    out += '}';
    writer.lineDone();
}

void writeCsv(std::ostream& stream, const BatchResult& result, CsvTable table) {
    BlockWriter writer(stream);
    switch (table) {
        case CsvTable::Levels:
            csvLevels(writer, result);
            break;
        case CsvTable::Contributions:
            csvContributions(writer, result);
            break;
        case CsvTable::Spread:
            csvSpread(writer, result);
            break;
        case CsvTable::NetGrowth:
            csvNetGrowth(writer, result);
            break;
        case CsvTable::Bands:
            csvBands(writer, result);
            break;
        case CsvTable::Sensitivity:
            csvSensitivity(writer, result);
            break;
        case CsvTable::Influence:
            csvInfluence(writer, result);
            break;
    }
}

}  // namespace vorn::batch
