#pragma once

#include <qcustomplot.h>

#include <QColor>
#include <QPen>
#include <QString>
#include <string>
#include <vector>

#include "charts/series_style.h"

namespace vorn::charts {

/// Largest magnitude a chart draws; larger values (and the axis) are clamped to it so that a
/// runaway projection still draws a readable chart instead of overflowing the painter.
inline constexpr double kDrawLimit = 1e12;

/// Colour of series `index`, as seriesStyle names it: twenty-one well separated colours
/// (twenty items and the uncertainty), repeated beyond that.
QColor seriesColor(int index);
/// The pen of line `index`: its colour and dash, `width` pixels wide.
QPen seriesPen(int index, double width);
/// The pen of a line drawn in `style`: its colour and dash, `width` pixels wide.
QPen stylePen(const SeriesStyle& style, double width);
/// The marker of line `index` at every point, `size` pixels across, in the line's colour.
QCPScatterStyle seriesMarker(int index, double size);

/// A finite value clamped into +/- kDrawLimit; false for a non-finite value.
bool drawableValue(double value, double* clamped);

/// A value axis: its range and number of ticks.
struct AxisScale {
    double low = 0;
    double high = 1;
    int ticks = 5;
    /// The distance of the ticks, the same number that `low` and `high` are multiples of, so
    /// that ticks placed at its multiples meet both ends exactly (a step worked out again
    /// from the ends can miss the last tick by a rounding error).
    double step = 0.25;
};

/// A value axis around the data, with a margin, never empty, ending on round numbers (steps
/// of 1, 2 or 5 times a power of ten) so that small changes of the data keep the same axis.
AxisScale axisScale(double dataMin, double dataMax);

/// The scale to show next: `shown` while it still holds `wanted` and is at most twice its
/// size, else `wanted`. A new axis range can change the width of the tick labels and so the
/// layout of the whole chart, so an axis moves only when the data has clearly moved.
AxisScale nextScale(const AxisScale& shown, const AxisScale& wanted);

using vorn::runNames;

/// Text of the window's tables as a QString; the tables hold UTF-8, or Latin-1 bytes read
/// from an 8-bit scenario file.
QString fromTableText(const std::string& text);

}  // namespace vorn::charts
