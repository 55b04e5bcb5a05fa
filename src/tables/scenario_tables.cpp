#include "tables/scenario_tables.h"

namespace vorn {

Rgb channelColor(ColorChannel channel, double level, double other) {
    switch (channel) {
        case ColorChannel::Red:
            return rgbFromLevels(level, other, other);
        case ColorChannel::Green:
            return rgbFromLevels(other, level, other);
        case ColorChannel::Blue:
            break;
    }
    return rgbFromLevels(other, other, level);
}

std::string defaultItemName(int item) {
    return "Item  " + std::to_string(item);
}

void resizeForItems(ScenarioTables& tables, int items) {
    tables.trend.resize(items + 1, items + 1);
    tables.totals.resize(kTotalsRows, items + 1);
    tables.policy.resize(items + 1, items + 1);
}

void synchroniseItemNames(ScenarioTables& tables, int item) {
    CellTable& trend = tables.trend;
    if (trend.text(item, 0).empty()) {
        trend.setText(item, 0, trend.text(0, item));
    }
    if (trend.text(0, item).empty()) {
        trend.setText(0, item, trend.text(item, 0));
    }
    tables.totals.setText(kNamesRow, item, trend.text(0, item));
    tables.policy.setText(0, item, trend.text(0, item));
    tables.policy.setText(item, 0, trend.text(item, 0));
}

}  // namespace vorn
