#include "editing/cell_stepping.h"

#include <algorithm>
#include <cmath>

#include "shell/trends.h"
#include "tables/number_text.h"

namespace vorn {

double buttonSign(int button) {
    return button % 2 != 0 ? 1.0 : -1.0;
}

double roundDownToHundredths(double x) {
    return std::floor(100.0 * x) / 100.0;
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
