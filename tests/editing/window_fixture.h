#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editing/click_handlers.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace vorn::testing {

/// A freshly loaded window with a reproducible random source, and clicks that make the
/// clicked cell current first, as the grid does.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : window(platform, RandomSource(20260101)) { window.Form_Load(); }

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

    const std::string& trend(int row, int column) const {
        return window.MSFlexXImpact().text(row, column);
    }
    const std::string& totals(int row, int column) const {
        return window.MSFlexTotals().text(row, column);
    }
    const std::string& policy(int row, int column) const {
        return window.MSFlexPolicy().text(row, column);
    }
    const std::string& hints() const { return window.text(Control::Hints); }

    ScriptedPlatform platform;
    Trends window;
};

}  // namespace vorn::testing
