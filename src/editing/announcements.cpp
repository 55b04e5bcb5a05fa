#include "editing/announcements.h"

#include <algorithm>
#include <utility>

#include "editing/screen_reader.h"
#include "shell/slider_value_text.h"
#include "shell/trends.h"
#include "tables/scenario_tables.h"

namespace vorn {
namespace {

constexpr std::array<Control, 3> kSliders = {Control::HScrollTime, Control::HScrollUncert,
                                             Control::HScrollLags};
constexpr std::array<Control, 3> kGrids = {Control::MSFlexXImpact, Control::MSFlexTotals,
                                           Control::MSFlexPolicy};
// The caption boxes, in the order of WindowGlance::captions, and their charts.
constexpr std::array<std::pair<Control, Control>, 3> kCaptions = {{
    {Control::TextAnnual, Control::mscTrends},
    {Control::TextGrowth, Control::MscXImpacts},
    {Control::TextVary, Control::MscVary},
}};

std::vector<std::string> itemNames(const Trends& window) {
    const CellTable& trend = window.MSFlexXImpact();
    std::vector<std::string> names;
    for (int item = 1; item < trend.columns(); ++item) {
        names.push_back(trend.text(0, item));
    }
    return names;
}

std::string itemCount(int count) {
    return std::to_string(count) + (count == 1 ? " item." : " items.");
}

void addSentence(std::string& text, const std::string& sentence) {
    if (sentence.empty()) {
        return;
    }
    if (!text.empty()) {
        text += ' ';
    }
    text += sentence;
}

std::string netGrowth(const Trends& window, int item) {
    return "Net Growth of " + window.MSFlexXImpact().text(0, item) + ": " +
           spokenCellText(window.MSFlexTotals().text(kNetGrowthRow, item)) + ".";
}

// What a changed cell now holds, and the Net Growth of its item where it counts towards it.
std::string changedCell(const Trends& window, Control grid, int row, int column) {
    const CellTable& trend = window.MSFlexXImpact();
    const std::string value = spokenCellText(window.gridTable(grid).text(row, column));
    if (grid == Control::MSFlexTotals) {
        if (row == kNetGrowthRow) {
            return netGrowth(window, column);
        }
        return window.MSFlexTotals().text(row, 0) + " of " + trend.text(0, column) + ": " + value +
               ".";
    }
    if (row == 0 || column == 0) {
        return {};  // a name: announced with the item names
    }
    const std::string cell = trend.text(row, 0) + " to " + trend.text(0, column);
    const std::string prefix = grid == Control::MSFlexPolicy ? "Policy " : "";
    return prefix + cell + ": " + value + ". " + netGrowth(window, column);
}

// What a legend entry stands for, as its legend names it.
std::string highlighted(const Trends& window, const HighlightTarget& target) {
    switch (target.kind) {
        case HighlightTarget::Kind::Uncertainty:
            return "Uncertainty";
        case HighlightTarget::Kind::Run:
            return "Run " + std::to_string(target.number);
        case HighlightTarget::Kind::Item:
            break;
    }
    return window.MSFlexXImpact().text(0, target.number);
}

}  // namespace

WindowGlance glance(const Trends& window) {
    WindowGlance seen;
    seen.itemNames = itemNames(window);
    for (std::size_t i = 0; i < kGrids.size(); ++i) {
        const CellTable& table = window.gridTable(kGrids[i]);
        seen.currentCells[i] = {table.currentRow(), table.currentColumn(), table.currentText()};
    }
    for (std::size_t i = 0; i < kCaptions.size(); ++i) {
        seen.captions[i] = window.text(kCaptions[i].first);
    }
    seen.hint = window.text(Control::Hints);
    for (std::size_t i = 0; i < kSliders.size(); ++i) {
        seen.sliders[i] = window.sliderValue(kSliders[i]);
    }
    seen.highlight = window.highlight().target();
    return seen;
}

std::string announcement(const WindowGlance& before, const Trends& after) {
    std::string text;
    const std::vector<std::string> names = itemNames(after);
    const auto count = static_cast<int>(names.size());
    const auto was = static_cast<int>(before.itemNames.size());
    if (count == was + 1) {
        addSentence(text, names.back() + " added. " + itemCount(count));
    } else if (count == was - 1) {
        addSentence(text, "Last item removed. " + itemCount(count));
    } else if (count != was) {
        addSentence(text, itemCount(count));
    } else {
        for (std::size_t item = 0; item < names.size(); ++item) {
            if (names[item] != before.itemNames[item]) {
                addSentence(text, "Item renamed: " + names[item] + ".");
            }
        }
        // The table last clicked, which the click brought in front of the other two.
        const auto acted =
            std::find_if(after.stacking().begin(), after.stacking().end(), [](Control control) {
                return std::find(kGrids.begin(), kGrids.end(), control) != kGrids.end();
            });
        const auto i = static_cast<std::size_t>(std::find(kGrids.begin(), kGrids.end(), *acted) -
                                                kGrids.begin());
        const CellTable& table = after.gridTable(kGrids[i]);
        const WindowGlance::Cell& cell = before.currentCells[i];
        if (table.currentRow() == cell.row && table.currentColumn() == cell.column &&
            table.currentText() != cell.text) {
            addSentence(text, changedCell(after, kGrids[i], cell.row, cell.column));
        }
    }
    for (std::size_t i = 0; i < kSliders.size(); ++i) {
        const int position = after.sliderValue(kSliders[i]);
        if (position != before.sliders[i]) {
            addSentence(text, sliderValueText(kSliders[i], position, after.inc) + ".");
        }
    }
    if (after.text(Control::Hints) != before.hint) {
        addSentence(text, spokenCellText(after.text(Control::Hints)));
    }
    for (std::size_t i = 0; i < kCaptions.size(); ++i) {
        const auto [caption, chart] = kCaptions[i];
        if (after.text(caption) != before.captions[i]) {
            addSentence(text, accessibleName(after, chart) + ".");
        }
    }
    const std::optional<HighlightTarget>& target = after.highlight().target();
    if (target != before.highlight) {
        addSentence(text,
                    target ? highlighted(after, *target) + " highlighted." : "Highlight ended.");
    }
    return text;
}

}  // namespace vorn
