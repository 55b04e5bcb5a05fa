#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editing/click_handlers.h"
#include "scenario_files/file_commands.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn::testing {

/// The window state after start-up, its dialogs answered by a script and its random source
/// seeded. Clicks on the tables are made as the window makes them: the grid makes the clicked
/// cell current, then the table's handler runs (button 1 left, 2 right, 4 middle).
class StartedWindow : public ::testing::Test {
  protected:
    explicit StartedWindow(std::uint64_t seed = 42) : window(platform, RandomSource(seed)) {
        window.Form_Load();
    }

    void clickTrend(int row, int column, int button = 1) {
        window.MSFlexXImpact().setCurrent(row, column);
        MSFlexXImpact_Click(window, button);
    }
    void clickTotals(int row, int column, int button = 1) {
        window.MSFlexTotals().setCurrent(row, column);
        MSFlexTotals_Click(window, button);
    }
    void clickPolicy(int row, int column, int button = 1) {
        window.MSFlexPolicy().setCurrent(row, column);
        MSFlexPolicy_Click(window, button);
    }
    /// File > Open, answered with one of the example scenarios.
    void openExample(const std::string& name) {
        platform.openAnswers = {std::string(VORN_SOURCE_EXAMPLES_DIR) + "/" + name};
        mnuOpen_Click(window);
    }

    ScriptedPlatform platform;
    Trends window;
};

}  // namespace vorn::testing
