#include "editing/cell_stepping.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {

double buttonSign(int button) {
    return button % 2 != 0 ? 1.0 : -1.0;
}

namespace {

// Digits of 100 x kept before it is rounded down: binary rounding errors show from the 16th
// digit on, and values below 10^10 keep every hundredth.
constexpr int kSignificantDigits = 12;

double roundToSignificantDigits(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

}  // namespace

double roundDownToHundredths(double x) {
    const double hundredths = 100.0 * x;
    if (!std::isfinite(hundredths)) {
        return x;
    }
    return std::floor(roundToSignificantDigits(hundredths)) / 100.0;
}

void shiftNewColor(Trends& window, double amount) {
    window.NewColor += amount;
    // NaN (from a cell that overflowed) also falls back to 0.
    if (!(window.NewColor >= 0)) {
        window.NewColor = 0;
    }
}

void shadeCurrentCell(const Trends& window, CellTable& table, ColorChannel channel) {
    table.setCurrentColor(channelColor(channel, window.NewColor, window.OtherColor));
}

void stepMatrixCell(Trends& window, CellTable& table, ColorChannel channel, int button) {
    const double x = numericValue(table.currentText()) + window.inc * buttonSign(button);
    table.setCurrentText(numberText(roundDownToHundredths(x)));
    shiftNewColor(window, window.ColorShift * x);
    shadeCurrentCell(window, table, channel);
}

int itemCount(const Trends& window) {
    return std::max(window.MSFlexXImpact().columns() - 1, 0);
}

}  // namespace vorn
