// Drives long random streams of user events through the window's handlers and checks after
// each one that the tables stay consistent: 0..20 items, matching shapes, the name rule, the
// Net Growth row and finite levels; and that undo and redo bring back exactly the scenario
// each step left. The number of events comes from VORN_PROPERTY_EVENTS.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "editing/click_handlers.h"
#include "editing/typed_entry.h"
#include "shell/edit_history.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"
#include "tables/number_text.h"

namespace vorn::testing {
namespace {

constexpr std::uint64_t kEventSeed = 0x5eed2026;

int eventCount() {
    const char* text = std::getenv("VORN_PROPERTY_EVENTS");
    return text == nullptr || *text == '\0' ? 100000 : std::max(1, std::atoi(text));
}

struct EventStream {
    std::mt19937_64 random{kEventSeed};

    int below(int bound) { return static_cast<int>(random() % static_cast<std::uint64_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int chance) { return below(100) < chance; }
    int button() { return std::array{1, 2, 4}[static_cast<std::size_t>(below(3))]; }

    // Printable characters, quotes, blanks and digits included.
    std::string word(int length) {
        std::string text;
        for (int i = 0; i < length; ++i) {
            text.push_back(static_cast<char>(between(32, 126)));
        }
        return text;
    }

    // Cancel, empty, blanks, a double quote, a long name, the new item's own name, a line
    // break or a plain name.
    std::optional<std::string> answer() {
        const std::optional<std::string> answers[] = {
            std::nullopt,
            "",
            std::string(static_cast<std::size_t>(between(1, 5)), ' '),
            "Say \"" + word(6) + "\"",
            word(between(100, 400)),
            "New Item",
            word(3) + (percent(50) ? "\n" : "\r\n") + word(3),
            word(between(1, 12))};
        return answers[below(8)];
    }

    // Often the table's last clicked cell again, so that values get stepped; otherwise
    // anywhere, including just outside the table (the grid clamps it).
    void chooseCell(CellTable& table, int lastRow, int lastColumn) {
        const bool again = percent(45);
        table.setCurrent(again ? lastRow : between(-1, table.rows()),
                         again ? lastColumn : between(-1, table.columns()));
    }
};

enum class Event { Other, Undo, Redo };

// A number, sometimes one the cell refuses, typed into a random cell of a random table.
void typeRandomEntry(EventStream& stream, Trends& window) {
    const Control grids[] = {Control::MSFlexXImpact, Control::MSFlexTotals, Control::MSFlexPolicy};
    const Control grid = grids[stream.below(3)];
    const int row = stream.between(0, 4);
    const int column = stream.between(0, window.cats.value);
    const std::string texts[] = {
        numberText(stream.between(-300, 300) / 100.0), "-1", "0", "2.5e1", "1,5", ""};
    commitEntry(window, grid, row, column, texts[stream.below(6)]);
}

// Applies one random user event.
Event applyRandomEvent(EventStream& stream, Trends& window, ScriptedPlatform& platform) {
    const int pick = stream.below(1000);
    const int button = stream.button();
    if (pick < 80) {  // the top-left cell; adding outweighs the removals of random clicks there
        window.MSFlexXImpact().setCurrent(0, 0);
        MSFlexXImpact_Click(window, stream.percent(60) ? 1 : button == 1 ? 2 : button);
    } else if (pick < 330) {
        platform.inputAnswers = {stream.answer()};
        stream.chooseCell(window.MSFlexXImpact(), window.lastr1, window.lastc1);
        MSFlexXImpact_Click(window, button);
    } else if (pick < 550) {
        stream.chooseCell(window.MSFlexTotals(), window.lastr2, window.lastc2);
        MSFlexTotals_Click(window, button);
    } else if (pick < 770) {
        stream.chooseCell(window.MSFlexPolicy(), window.lastr3, window.lastc3);
        MSFlexPolicy_Click(window, button);
    } else if (pick < 800) {
        MscVary_Click(window);
    } else if (pick < 830) {
        MscXImpacts_Click(window);
    } else if (pick < 860) {
        mscTrends_Click(window);
    } else if (pick < 900) {
        window.HScrollTime_Change(stream.between(-20, 20));
    } else if (pick < 915) {
        window.HScrollUncert_Change(stream.between(0, 10));
    } else if (pick < 930) {
        window.HScrollLags_Change(stream.between(1, 100));
    } else if (pick < 950) {
        typeRandomEntry(stream, window);
    } else if (pick < 970) {
        window.mnuUndo_Click();
        return Event::Undo;
    } else if (pick < 980) {
        window.mnuRedo_Click();
        return Event::Redo;
    } else if (pick < 999 || !stream.percent(20)) {
        MSFlexXimpact_DragOver(window, stream.below(3));
    } else {  // rare, so that the item count can wander over its whole range in between
        window.mnuClear_Click();
    }
    return Event::Other;
}

// What a step may change, the Net Growth texts aside, as one number.
std::size_t scenarioKey(const Trends& window) {
    std::string key = std::to_string(window.cats.value) + window.cats.text;
    for (const CellTable* table :
         {&window.MSFlexXImpact(), &window.MSFlexTotals(), &window.MSFlexPolicy()}) {
        key += '#' + std::to_string(table->columns());
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                if (table != &window.MSFlexTotals() || r != kNetGrowthRow) {
                    key += table->text(r, c);
                }
                const std::optional<Rgb> color = table->color(r, c);
                key += color ? std::string{'|', char(color->red), char(color->green),
                                           char(color->blue)}
                             : std::string("|");
            }
        }
    }
    return std::hash<std::string>()(key);
}

// The scenario after each step the history holds, checked against every undo and redo.
struct StepModel {
    std::vector<std::size_t> states;
    std::size_t position = 0;

    std::string follow(Event event, const Trends& window) {
        const EditHistory& history = window.history();
        const std::size_t now = scenarioKey(window);
        if (event == Event::Undo && position > 0) {
            --position;
        } else if (event == Event::Redo && position + 1 < states.size()) {
            ++position;
        } else if (now != states[position]) {  // a change: it must have become a step
            if (history.canRedo() ||
                history.undoCount() != std::min(position + 1, EditHistory::kCapacity)) {
                return "a change made no step";
            }
            states.resize(position + 1);
            states.push_back(now);
            if (states.size() > EditHistory::kCapacity + 1) {
                states.erase(states.begin());
            }
            position = states.size() - 1;
            return {};
        }
        if (now != states[position]) {
            return "undo or redo did not bring back the scenario of its step";
        }
        return history.undoCount() == position ? std::string() : "the history lost its place";
    }
};

// Returns what is wrong with the window's state, or nothing.
std::string violation(const Trends& window) {
    const int n = window.cats.value;
    const CellTable& trend = window.MSFlexXImpact();
    const CellTable& totals = window.MSFlexTotals();
    const CellTable& policy = window.MSFlexPolicy();
    if (n < 0 || n > 20) {
        return "item count " + std::to_string(n);
    }
    if (trend.rows() != n + 1 || trend.columns() != n + 1 || policy.rows() != n + 1 ||
        policy.columns() != n + 1 || totals.rows() != 4 || totals.columns() != n + 1) {
        return "table shapes do not match " + std::to_string(n) + " items";
    }
    if (trend.text(0, 0) != "Trend Matrix" || policy.text(0, 0) != "Policy Matrix" ||
        totals.text(0, 0) != "Totals/Uncertainty" || totals.text(1, 0) != "Net Growth" ||
        totals.text(2, 0) != "Uncertainty" || totals.text(3, 0) != "Lags (Years)") {
        return "a title or row label changed";
    }
    const bool withPolicy = window.Policy == 1 && window.sliderValue(Control::HScrollTime) > 0;
    for (int k = 1; k <= n; ++k) {
        if (totals.text(0, k) != trend.text(0, k) || policy.text(0, k) != trend.text(0, k) ||
            policy.text(k, 0) != trend.text(k, 0)) {
            return "name rule broken for item " + std::to_string(k);
        }
        // The column sum in percent (with the policy column when policies apply), rounded
        // to two decimals, halves up.
        double growth = 0;
        for (int row = 1; row <= n; ++row) {
            growth += numericValue(trend.text(row, k)) / 100;
            growth += withPolicy ? numericValue(policy.text(row, k)) / 100 : 0;
        }
        const std::string expected = numberText(std::floor(growth * 10000 + 0.5) / 100);
        if (totals.text(1, k) != expected) {
            return "Net Growth of item " + std::to_string(k) + " is " + totals.text(1, k) +
                   ", expected " + expected;
        }
    }
    const ProjectionNumbers& numbers = window.lastProjection();
    if (numbers.items != n) {
        return "the last projection has " + std::to_string(numbers.items) + " items";
    }
    const auto isNan = [](double level) { return std::isnan(level); };
    if (std::any_of(numbers.levels.begin(), numbers.levels.end(), isNan) ||
        std::any_of(numbers.trackedLevels.begin(), numbers.trackedLevels.end(), isNan)) {
        return "a level is NaN";
    }
    return {};
}

TEST(RandomEvents, TablesStayConsistentUnderRandomClicks) {
    const int events = eventCount();
    ScriptedPlatform platform;
    Trends window(platform, RandomSource(7));
    window.Form_Load();
    EventStream stream;
    StepModel steps{{scenarioKey(window)}};

    int mostItems = 0;
    int fewestItems = 20;
    for (int i = 0; i < events; ++i) {
        const Event event = applyRandomEvent(stream, window, platform);
        std::string problem = violation(window);
        if (problem.empty()) {
            problem = steps.follow(event, window);
        }
        if (!problem.empty()) {  // the stream is reproducible: rerun to event i to see it
            FAIL() << problem << "\n  after event " << i << " of the stream with seed "
                   << kEventSeed;
        }
        mostItems = std::max(mostItems, window.cats.value);
        fewestItems = std::min(fewestItems, window.cats.value);
    }
    // The stream must have walked the whole range of item counts to mean anything.
    if (events >= 20000) {
        EXPECT_EQ(mostItems, 20);
        EXPECT_EQ(fewestItems, 0);
    }
}

}  // namespace
}  // namespace vorn::testing
