#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QChart;

namespace vorn::charts {

/// Largest magnitude a chart draws; larger values (and the axis) are clamped to it so that a
/// runaway projection still draws a readable chart instead of overflowing the painter.
inline constexpr double kDrawLimit = 1e12;

/// Colour of series `index`: twenty well separated colours, repeated beyond that.
QColor seriesColor(int index);

/// A finite value clamped into +/- kDrawLimit; false for a non-finite value.
bool drawableValue(double value, double* clamped);

/// Axis range [low, high] around the data, with a margin and never empty.
void axisRange(double dataMin, double dataMax, double* low, double* high);

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
