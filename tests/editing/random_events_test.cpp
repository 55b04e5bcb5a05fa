// Drives long random streams of user events through the window's handlers and checks after
// each one that the tables stay consistent: 0..20 items, matching shapes, the name rule, the
// Net Growth row and finite levels. The number of events comes from VORN_PROPERTY_EVENTS.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "editing/click_handlers.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"
#include "tables/number_text.h"

namespace vorn::testing {
namespace {

constexpr std::uint64_t kEventSeed = 0x5eed2026;

int eventCount() {
    const char* text = std::getenv("VORN_PROPERTY_EVENTS");
    if (text == nullptr || *text == '\0') {
        return 100000;
    }
    return std::max(1, std::atoi(text));
}

enum class EventKind {
    TrendClick,
    TotalsClick,
    PolicyClick,
    SpreadChart,
    ContributionsChart,
    TrendsChart,
    TimeSlider,
    UncertaintySlider,
    IncrementSlider,
    DragOver,
    Clear,
};

struct Event {
    EventKind kind = EventKind::Clear;
    int row = 0;
    int column = 0;
    int value = 0;  // button, slider position or drag state
    std::optional<std::string> answer;

    std::string describe() const {
        std::ostringstream out;
        out << "kind " << static_cast<int>(kind) << " cell (" << row << ", " << column << ") value "
            << value;
        if (answer) {
            out << " answer \"" << *answer << "\"";
        }
        return out.str();
    }
};

class EventStream {
  public:
    explicit EventStream(std::uint64_t seed) : m_random(seed) {}

    int below(int bound) {
        return static_cast<int>(m_random() % static_cast<std::uint64_t>(bound));
    }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int chance) { return below(100) < chance; }

    int button() {
        static constexpr int kButtons[] = {1, 2, 4};
        return kButtons[below(3)];
    }

    std::optional<std::string> answer() {
        switch (below(9)) {
            case 0:
                return std::nullopt;
            case 1:
                return std::string();
            case 2:
                return std::string(static_cast<std::size_t>(between(1, 5)), ' ');
            case 3:
                return "Say \"" + word(6) + "\"";
            case 4:
                return word(between(100, 400));
            case 5:
                return std::string("New Item");
            case 6:
                return word(3) + (percent(50) ? "\n" : "\r\n") + word(3);
            default:
                return word(between(1, 12));
        }
    }

    // Printable characters, quotes, blanks and digits included.
    std::string word(int length) {
        std::string text;
        for (int i = 0; i < length; ++i) {
            text.push_back(static_cast<char>(between(32, 126)));
        }
        return text;
    }

  private:
    std::mt19937_64 m_random;
};

// A cell to click: often the table's last clicked cell again, so that values get stepped;
// otherwise anywhere, including just outside the table (the grid clamps it).
void chooseCell(EventStream& stream, const CellTable& table, int lastRow, int lastColumn,
                Event& event) {
    if (stream.percent(45)) {
        event.row = lastRow;
        event.column = lastColumn;
    } else {
        event.row = stream.between(-1, table.rows());
        event.column = stream.between(-1, table.columns());
    }
}

Event nextEvent(EventStream& stream, const Trends& window) {
    Event event;
    const int pick = stream.below(1000);
    if (pick < 80) {  // the top-left cell; adding outweighs the removals of random clicks there
        event.kind = EventKind::TrendClick;
        event.value = stream.percent(60) ? 1 : stream.button() == 4 ? 4 : 2;
    } else if (pick < 330) {
        event.kind = EventKind::TrendClick;
        chooseCell(stream, window.MSFlexXImpact(), window.lastr1, window.lastc1, event);
        event.value = stream.button();
        event.answer = stream.answer();
    } else if (pick < 550) {
        event.kind = EventKind::TotalsClick;
        chooseCell(stream, window.MSFlexTotals(), window.lastr2, window.lastc2, event);
        event.value = stream.button();
    } else if (pick < 770) {
        event.kind = EventKind::PolicyClick;
        chooseCell(stream, window.MSFlexPolicy(), window.lastr3, window.lastc3, event);
        event.value = stream.button();
    } else if (pick < 800) {
        event.kind = EventKind::SpreadChart;
    } else if (pick < 830) {
        event.kind = EventKind::ContributionsChart;
    } else if (pick < 860) {
        event.kind = EventKind::TrendsChart;
    } else if (pick < 900) {
        event.kind = EventKind::TimeSlider;
        event.value = stream.between(-20, 20);
    } else if (pick < 930) {
        event.kind = EventKind::UncertaintySlider;
        event.value = stream.between(0, 10);
    } else if (pick < 970) {
        event.kind = EventKind::IncrementSlider;
        event.value = stream.between(1, 100);
    } else if (pick < 999 || !stream.percent(20)) {
        event.kind = EventKind::DragOver;
        event.value = stream.below(3);
    } else {  // rare, so that the item count can wander over its whole range in between
        event.kind = EventKind::Clear;
    }
    return event;
}

void apply(const Event& event, Trends& window, ScriptedPlatform& platform) {
    switch (event.kind) {
        case EventKind::TrendClick:
            platform.inputAnswers.clear();
            platform.inputAnswers.push_back(event.answer);
            window.MSFlexXImpact().setCurrent(event.row, event.column);
            MSFlexXImpact_Click(window, event.value);
            break;
        case EventKind::TotalsClick:
            window.MSFlexTotals().setCurrent(event.row, event.column);
            MSFlexTotals_Click(window, event.value);
            break;
        case EventKind::PolicyClick:
            window.MSFlexPolicy().setCurrent(event.row, event.column);
            MSFlexPolicy_Click(window, event.value);
            break;
        case EventKind::SpreadChart:
            MscVary_Click(window);
            break;
        case EventKind::ContributionsChart:
            MscXImpacts_Click(window);
            break;
        case EventKind::TrendsChart:
            mscTrends_Click(window);
            break;
        case EventKind::TimeSlider:
            window.HScrollTime_Change(event.value);
            break;
        case EventKind::UncertaintySlider:
            window.HScrollUncert_Change(event.value);
            break;
        case EventKind::IncrementSlider:
            window.HScrollLags_Change(event.value);
            break;
        case EventKind::DragOver:
            MSFlexXimpact_DragOver(window, event.value);
            break;
        case EventKind::Clear:
            window.mnuClear_Click();
            break;
    }
}

// The Net Growth of item c, recomputed from the cell texts: the column sum in percent
// (with the policy column when policies apply), rounded to two decimals, halves up.
std::string expectedNetGrowth(const Trends& window, int column, bool withPolicy) {
    double growth = 0;
    for (int row = 1; row < window.MSFlexXImpact().rows(); ++row) {
        growth += numericValue(window.MSFlexXImpact().text(row, column)) / 100;
        if (withPolicy) {
            growth += numericValue(window.MSFlexPolicy().text(row, column)) / 100;
        }
    }
    return numberText(std::floor(growth * 10000 + 0.5) / 100);
}

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
        const std::string expected = expectedNetGrowth(window, k, withPolicy);
        if (totals.text(1, k) != expected) {
            return "Net Growth of item " + std::to_string(k) + " is " + totals.text(1, k) +
                   ", expected " + expected;
        }
    }
    const ProjectionNumbers& numbers = window.lastProjection();
    if (numbers.items != n) {
        return "the last projection has " + std::to_string(numbers.items) + " items";
    }
    for (double level : numbers.levels) {
        if (std::isnan(level)) {
            return "a level is NaN";
        }
    }
    for (double level : numbers.trackedLevels) {
        if (std::isnan(level)) {
            return "a tracked level is NaN";
        }
    }
    return {};
}

TEST(RandomEvents, TablesStayConsistentUnderRandomClicks) {
    const int events = eventCount();
    ScriptedPlatform platform;
    Trends window(platform, RandomSource(7));
    window.Form_Load();
    EventStream stream(kEventSeed);

    int mostItems = 0;
    int fewestItems = 20;
    for (int i = 0; i < events; ++i) {
        const Event event = nextEvent(stream, window);
        apply(event, window, platform);
        const std::string problem = violation(window);
        if (!problem.empty()) {
            FAIL() << problem << "\n  after event " << i << " of the stream with seed "
                   << kEventSeed << ": " << event.describe();
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
