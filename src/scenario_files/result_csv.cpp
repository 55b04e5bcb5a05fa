#include "scenario_files/result_csv.h"

#include <algorithm>
#include <span>

#include "scenario_files/block_writer.h"
#include "scenario_files/text_format.h"

namespace vorn {
namespace {

const std::string kNoName;

std::span<const double> row(const std::vector<double>& values, int index, int length) {
    return std::span<const double>(values).subspan(static_cast<std::size_t>(index * length),
                                                   static_cast<std::size_t>(length));
}

// Points along the time axis; none before the first recalculation.
int pointCount(const ProjectionNumbers& numbers) {
    return static_cast<int>(std::min<std::size_t>(numbers.years.size(), kPoints));
}

const std::string& itemName(const ResultSource& source, int item) {
    const std::size_t index = static_cast<std::size_t>(item);
    return index < source.itemNames.size() ? source.itemNames[index] : kNoName;
}

const std::string& label(const ChartTable& table, int row, int column) {
    const bool inside = row < table.rows() && column < table.columns();
    return inside ? table.text(row, column) : kNoName;
}

// "year" and one column per item named `name(i)`, then one line per point of `years` with
// the items' values `value(i, p)`.
template <typename Name, typename Value>
void yearRows(BlockWriter& writer, int items, const std::vector<int>& years, int points, Name name,
              Value value) {
    std::string& out = writer.text();
    out += "year";
    for (int i = 0; i < items; ++i) {
        out += ',';
        appendCsvField(out, name(i));
    }
    writer.lineDone();
    for (int p = 0; p < points; ++p) {
        out += std::to_string(years[static_cast<std::size_t>(p)]);
        for (int i = 0; i < items; ++i) {
            out += ',';
            appendNumber(out, value(i, p));
        }
        writer.lineDone();
    }
}

void levels(BlockWriter& writer, const ResultSource& source) {
    const ProjectionNumbers& numbers = source.numbers;
    yearRows(
        writer, numbers.items, numbers.years, pointCount(numbers),
        [&](int i) -> const std::string& { return itemName(source, i); },
        [&](int i, int p) { return numbers.level(i, p); });
}

// The levels of a reference run or a difference; the header line alone when there is none.
void namedLevels(BlockWriter& writer, const NamedLevels* levels) {
    const NamedLevels none;
    const NamedLevels& shown = levels != nullptr ? *levels : none;
    yearRows(
        writer, shown.items(), shown.years, shown.points(),
        [&](int i) -> const std::string& { return shown.names[static_cast<std::size_t>(i)]; },
        [&](int i, int p) { return shown.at(i, p); });
}

void contributions(BlockWriter& writer, const ResultSource& source) {
    const ProjectionNumbers& numbers = source.numbers;
    const ChartTable& table = source.contributions;
    std::string& out = writer.text();
    out += "item";
    for (int c = 1; c < table.columns(); ++c) {
        out += ',';
        appendCsvField(out, label(table, 0, c));
    }
    writer.lineDone();
    for (int r = 0; r <= numbers.items; ++r) {
        appendCsvField(out, label(table, r + 1, 0));
        for (double value : row(numbers.contributions, r, numbers.items)) {
            out += ',';
            appendNumber(out, value);
        }
        writer.lineDone();
    }
}

void spread(BlockWriter& writer, const ResultSource& source) {
    const ProjectionNumbers& numbers = source.numbers;
    const int runs = numbers.tracked > 0 ? numbers.runs : 0;
    std::string& out = writer.text();
    out += "year";
    for (int run = 1; run <= runs; ++run) {
        out += ",run ";
        out += std::to_string(run);
    }
    writer.lineDone();
    for (int p = 0; p < pointCount(numbers); ++p) {
        out += std::to_string(numbers.years[static_cast<std::size_t>(p)]);
        for (int run = 0; run < runs; ++run) {
            out += ',';
            appendNumber(out, numbers.trackedLevels[static_cast<std::size_t>(run * kPoints + p)]);
        }
        writer.lineDone();
    }
}

void netGrowth(BlockWriter& writer, const ResultSource& source) {
    const ProjectionNumbers& numbers = source.numbers;
    std::string& out = writer.text();
    out += "item,netGrowth";
    writer.lineDone();
    for (int i = 0; i < numbers.items; ++i) {
        appendCsvField(out, itemName(source, i));
        out += ',';
        appendNumber(out, numbers.netGrowth[static_cast<std::size_t>(i)]);
        writer.lineDone();
    }
}

void bands(BlockWriter& writer, const ResultSource& source) {
    const ProjectionNumbers& numbers = source.numbers;
    std::string& out = writer.text();
    out += "year";
    for (std::string_view name : kBandNames) {
        out += ',';
        out += name;
    }
    writer.lineDone();
    if (source.bands == nullptr || source.bands->bands[0].empty()) {
        return;
    }
    const int points =
        std::min(pointCount(numbers), static_cast<int>(source.bands->bands[0].size()));
    for (int p = 0; p < points; ++p) {
        out += std::to_string(numbers.years[static_cast<std::size_t>(p)]);
        for (const std::vector<double>& band : source.bands->bands) {
            out += ',';
            appendNumber(out, band[static_cast<std::size_t>(p)]);
        }
        writer.lineDone();
    }
}

void sensitivity(BlockWriter& writer, const ResultSource& source) {
    std::string& out = writer.text();
    out += "row,column,effect";
    writer.lineDone();
    if (source.sensitivity == nullptr) {
        return;
    }
    const Sensitivity& sensitivity = *source.sensitivity;
    for (const SensitivityEntry& entry : sensitivity.ranked()) {
        appendCsvField(out, sensitivity.names[static_cast<std::size_t>(entry.row)]);
        out += ',';
        appendCsvField(out, sensitivity.names[static_cast<std::size_t>(entry.column)]);
        out += ',';
        appendNumber(out, entry.effect);
        writer.lineDone();
    }
}

void influence(BlockWriter& writer, const ResultSource& source) {
    std::string& out = writer.text();
    out += "item,influence,dependence,indirectInfluence,indirectDependence";
    writer.lineDone();
    if (source.influence == nullptr) {
        return;
    }
    for (const InfluenceItem& item : source.influence->items) {
        appendCsvField(out, item.name);
        for (double value :
             {item.influence, item.dependence, item.indirectInfluence, item.indirectDependence}) {
            out += ',';
            appendNumber(out, value);
        }
        writer.lineDone();
    }
}

void loops(BlockWriter& writer, const ResultSource& source) {
    std::string& out = writer.text();
    out += "loop,kind,length,strength,items";
    writer.lineDone();
    if (source.loops == nullptr) {
        return;
    }
    for (const FeedbackLoop& loop : source.loops->search.loops) {
        out += loop.name;
        out += ',';
        out += loopKindName(loop.kind);
        out += ',';
        out += std::to_string(loop.length());
        out += ',';
        appendNumber(out, loop.strength);
        out += ',';
        appendCsvField(out, source.loops->loopText(loop));
        writer.lineDone();
    }
}

}  // namespace

void writeResultCsv(std::ostream& out, const ResultSource& source, ResultTable table) {
    BlockWriter writer(out);
    switch (table) {
        case ResultTable::Levels:
            levels(writer, source);
            break;
        case ResultTable::Contributions:
            contributions(writer, source);
            break;
        case ResultTable::Spread:
            spread(writer, source);
            break;
        case ResultTable::NetGrowth:
            netGrowth(writer, source);
            break;
        case ResultTable::Bands:
            bands(writer, source);
            break;
        case ResultTable::Sensitivity:
            sensitivity(writer, source);
            break;
        case ResultTable::Influence:
            influence(writer, source);
            break;
        case ResultTable::Loops:
            loops(writer, source);
            break;
        case ResultTable::Reference:
            namedLevels(writer, source.reference);
            break;
        case ResultTable::Difference:
            namedLevels(writer, source.difference);
            break;
    }
}

}  // namespace vorn
