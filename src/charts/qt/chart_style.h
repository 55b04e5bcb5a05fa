#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QChart;
class QAbstractAxis;
class QValueAxis;

namespace vorn::charts {

/// Largest magnitude a chart draws; larger values (and the axis) are clamped to it so that a
/// runaway projection still draws a readable chart instead of overflowing the painter.
inline constexpr double kDrawLimit = 1e12;

/// Colour of series `index`: twenty well separated colours, repeated beyond that.
QColor seriesColor(int index);

/// A finite value clamped into +/- kDrawLimit; false for a non-finite value.
bool drawableValue(double value, double* clamped);

/// A value axis: its range and number of ticks.
struct AxisScale {
    double low = 0;
    double high = 1;
    int ticks = 5;
};

/// A value axis around the data, with a margin, never empty, ending on round numbers (steps
/// of 1, 2 or 5 times a power of ten) so that small changes of the data keep the same axis.
AxisScale axisScale(double dataMin, double dataMax);

/// The scale to show next: `shown` while it still holds `wanted` and is at most twice its
/// size, else `wanted`. Every new axis range lays the whole chart out again, which is the
/// dearest part of redrawing, so an axis moves only when the data has clearly moved.
AxisScale nextScale(const AxisScale& shown, const AxisScale& wanted);

/// Adds the chart's two axes in the shared look: `horizontal` at the bottom and a new value
/// axis from `low` to `high` on the left, both with small labels. Returns the value axis.
QValueAxis* addAxes(QChart* chart, QAbstractAxis* horizontal, double low, double high);

/// Moves `axis` to the next scale for data from `dataMin` to `dataMax` (see nextScale),
/// touching it only when its range or ticks change.
void rescaleAxis(QValueAxis* axis, double dataMin, double dataMax);

/// Labels made unique by appending zero-width spaces: Qt's category axes drop repeated
/// labels, but the charts may show the same year or item name more than once.
QStringList uniqueLabels(const QStringList& labels);

/// The look shared by the three charts: no title, no rounded corners, small margins, a
/// legend on the right in a small font.
void applyChartStyle(QChart* chart);

/// The small font of legends and axis labels, made from `font`.
QFont smallFont(const QFont& font);

/// Text of the window's tables as a QString; the tables hold UTF-8, or Latin-1 bytes read
/// from an 8-bit scenario file.
QString fromTableText(const std::string& text);

}  // namespace vorn::charts
