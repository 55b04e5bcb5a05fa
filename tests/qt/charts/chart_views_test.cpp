#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QToolTip>
#include <QtTest>
#include <cmath>
#include <limits>

#include "qt/charts/bar_chart_view.h"
#include "qt/charts/chart_export.h"
#include "qt/charts/chart_style.h"
#include "qt/charts/influence_chart_view.h"
#include "qt/charts/line_chart_view.h"
#include "qt/charts/sensitivity_chart_view.h"
#include "support/pixels.h"

using vorn::ChartTable;
using vorn::testing::shownImage;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t npos = std::string::npos;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Year labels in row 0, then `rows` lines of 21 points.
ChartTable lineTable(int rows) {
    ChartTable table(21, 21);
    for (int c = 0; c < 21; ++c) {
        table.set(0, c, " " + std::to_string(2000 + 2 * c));
        for (int r = 1; r <= rows; ++r) {
            table.set(r, c, 1.0 + 0.1 * r * c);
        }
    }
    return table;
}

// Contributions of `n` items named `prefix` 1..n: row 0 names the receiving items, rows
// 1..n the contributing items, row n + 1 the rest.
ChartTable barTable(int n, const std::string& prefix = "Item  ") {
    ChartTable table(n + 2, n + 1);
    for (int r = 1; r <= n + 1; ++r) {
        table.set(r, 0, r <= n ? prefix + std::to_string(r) : std::string("Uncertainty"));
        for (int c = 1; c <= n; ++c) {
            table.set(0, c, prefix + std::to_string(c));
            table.set(r, c, 0.1 * r - 0.05 * c);
        }
    }
    return table;
}

// Bands of 1000 runs, flat: p5 at 1, p25 at 2, the median at 3, p75 at 4, p95 at 5.
vorn::UncertaintyBands bandsOf() {
    vorn::UncertaintyBands bands;
    bands.runs = 1000;
    bands.tracked = 1;
    for (int c = 0; c < 21; ++c) {
        bands.years.push_back(2000 + 2 * c);
        for (std::size_t k = 0; k < 5; ++k) {
            bands.percent.bands[k].push_back(1.0 + static_cast<double>(k));
        }
    }
    return bands;
}

const std::array<std::string, 3> kBandNames = {"5-95 % of 1000 runs", "25-75 %", "Median"};

// The bytes of a chart file of `type`; empty when it could not be drawn.
QByteArray drawnCharts(const char* type, std::string* error = nullptr,
                       const vorn::ChartBands& bands = {}) {
    std::string bytes;
    if (!vorn::drawChartFile(type, lineTable(3), barTable(3), lineTable(20), {"A", "B", "C"},
                             "Scenario Trends", "Contributions", "Spread", &bytes, error, bands)) {
        return {};
    }
    return QByteArray::fromStdString(bytes);
}

// Every legend entry lies inside the chart, overlaps no other and names its series whole
// when hovered.
void checkLegend(const vorn::ChartView& view, const QStringList& names) {
    QCOMPARE(view.legendNames(), names);
    const QList<QRect> entries = view.legendEntryRects();
    QCOMPARE(entries.size(), names.size());
    for (int i = 0; i < entries.size(); ++i) {
        QVERIFY2(view.rect().contains(entries[i]), qPrintable(names[i]));
        for (int j = 0; j < i; ++j) {
            QVERIFY(!entries[i].intersects(entries[j]));
        }
        QCOMPARE(view.hoverText(entries[i].center()), names[i]);
    }
}

// Share of the dark pixels of `a` (lines, texts) that have a dark pixel of `b` at most one
// pixel away: two drawings of the same chart differ only in their smoothing.
double inkFound(const QImage& a, const QImage& b) {
    const auto dark = [](const QImage& image, int x, int y, int limit) {
        const QColor c = image.pixelColor(std::clamp(x, 0, image.width() - 1),
                                          std::clamp(y, 0, image.height() - 1));
        return c.red() + c.green() + c.blue() < limit;
    };
    long ink = 0;
    long found = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y, 450)) {
                continue;
            }
            ++ink;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy) {
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    near = dark(b, x + dx, y + dy, 600);
                }
            }
            found += near ? 1 : 0;
        }
    }
    return ink > 0 ? static_cast<double>(found) / static_cast<double>(ink) : 0.0;
}

// The plot area without the ticks and axis lines at its edges.
QRect plotInside(const vorn::ChartView& view) {
    return view.axisRect()->rect().adjusted(8, 8, -8, -8);
}

// The colours the charts give their series, one for each bar set.
std::vector<QColor> seriesColors() {
    std::vector<QColor> colors;
    for (int i = 0; i < vorn::BarChartView::kMaxSets; ++i) {
        colors.push_back(vorn::charts::seriesColor(i));
    }
    return colors;
}

QStringList numbered(const QString& prefix, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names.append(prefix + QString::number(i));
    }
    return names;
}

}  // namespace

class ChartViewsTest : public QObject {
    Q_OBJECT
  private slots:
    void lineChartSkipsNonFiniteClampsHugeValuesAndThinsCrowdedYears() {
        vorn::LineChartView view;
        view.resize(1200, 300);
        ChartTable table = lineTable(2);
        const double odd[] = {kNaN, kInf, -kInf, 1e300, -1e300};
        for (int c = 0; c < 5; ++c) {
            table.set(1, c, odd[c]);
        }
        view.setTable(table);
        QVERIFY(!view.grab().toImage().isNull());
        QCOMPARE(view.seriesPoints(1).size(), 21 - 3);
        for (const QPointF& point : view.seriesPoints(1)) {
            QVERIFY(std::isfinite(point.y()) && std::fabs(point.y()) <= 1e12);
        }
        QCOMPARE(view.shownPointLabels().size(), 21);  // every year fits 1200 pixels
        view.resize(300, 200);
        view.show();
        QVERIFY(view.shownPointLabels().size() < 21);
        QCOMPARE(view.shownPointLabels().first(), QString("2000"));
    }

    // The value axis ends on round numbers and both ends carry a labelled tick, also where
    // the step is a decimal fraction that has no exact binary form.
    void valueAxisLabelsBothOfItsEnds() {
        for (const double top : {1.38, 1.62, 2.7, 0.093}) {
            ChartTable table(2, 21);
            for (int c = 0; c < 21; ++c) {
                table.set(0, c, " " + std::to_string(2000 + 2 * c));
                table.set(1, c, 1 + (top - 1) * c / 20.0);
            }
            vorn::LineChartView view;
            view.resize(625, 300);
            view.setTable(table, {"Run 1"});
            view.replot();
            const QCPRange range = view.yAxis->range();
            const QVector<double> ticks = view.yAxis->tickVector();
            QVERIFY2(
                !ticks.isEmpty() && ticks.first() == range.lower && ticks.last() == range.upper,
                qPrintable(QStringLiteral("%1: ticks end at %2, axis at %3")
                               .arg(top)
                               .arg(ticks.isEmpty() ? 0 : ticks.last(), 0, 'g', 17)
                               .arg(range.upper, 0, 'g', 17)));
        }
    }

    // Only the filled rows are drawn, each line in its own row's colour, not in that of its
    // place among the lines drawn, and named by its item, else its column 0, else its number;
    // the lines are refilled, not added. The bar sets stand in the legend's order, each in its
    // colour and as high or deep as its value.
    void everySeriesIsDrawnInItsOwnColour() {
        const std::vector<QColor> colors = seriesColors();
        vorn::LineChartView lines;
        const int graphs = lines.graphCount();
        lines.setTable(lineTable(3), {"Alpha", "", ""});
        QCOMPARE(lines.visibleSeriesNames(), QStringList({"Alpha", "2", "3"}));
        QCOMPARE(lines.legendNames(), lines.visibleSeriesNames());
        lines.resize(800, 400);
        QFont wide = lines.font();  // lines three pixels wide: pixels of their whole colour
        wide.setPixelSize(QFontInfo(wide).pixelSize() * 3);
        lines.setFont(wide);
        for (int row = 1; row <= vorn::LineChartView::kMaxSeries; ++row) {
            ChartTable table = lineTable(0);
            table.set(row, 0, "Row " + std::to_string(row));
            for (int c = 1; c < 21; ++c) {
                table.set(row, c, 1.0 + 0.05 * c);
            }
            lines.setTable(table);
            QCOMPARE(lines.legendNames(), QStringList({QString("Row %1").arg(row)}));
            QCOMPARE(vorn::testing::mostShown(shownImage(lines), plotInside(lines), colors),
                     row - 1);
        }
        QCOMPARE(lines.graphCount(), graphs);

        // 21 sets: set s stands s high in the first category and s deep in the second.
        vorn::BarChartView bars;
        bars.resize(900, 500);
        ChartTable sets(22, 3);
        sets.set(0, 1, std::string("Up"));
        sets.set(0, 2, std::string("Down"));
        for (int s = 1; s <= 21; ++s) {
            sets.set(s, 0, "Set " + std::to_string(s));
            sets.set(s, 1, static_cast<double>(s));
            sets.set(s, 2, -static_cast<double>(s));
        }
        bars.setTable(sets);
        const QImage image = shownImage(bars);
        const QRect plot = plotInside(bars);
        for (const int sign : {1, -1}) {
            // Along the bars' feet, then from the middle of each bar to its end.
            const int foot = static_cast<int>(bars.yAxis->coordToPixel(0.5 * sign));
            QList<int> order;
            int runStart = plot.left();
            int runColor = -1;
            for (int x = plot.left(); x <= plot.right() + 1; ++x) {
                const int color = x > plot.right() ? -1
                                                   : vorn::testing::mostShown(
                                                         image, QRect(x, foot, 1, 1), colors);
                if (color == runColor) {
                    continue;
                }
                if (runColor >= 0 && x - runStart >= 3) {
                    order.append(runColor);
                    const int middle = (runStart + x - 1) / 2;
                    int end = foot;
                    while (plot.contains(middle, end - sign) &&
                           vorn::testing::colorDistance(image.pixelColor(middle, end - sign),
                                                        Qt::white) > 60) {
                        end -= sign;
                    }
                    QVERIFY2(std::abs(end - bars.yAxis->coordToPixel(sign * (runColor + 1))) <= 2,
                             qPrintable(QString("set %1 ends at %2").arg(runColor + 1).arg(end)));
                }
                runStart = x;
                runColor = color;
            }
            QList<int> expected;
            for (int set = 0; set < 21; ++set) {
                expected.append(set);
            }
            QCOMPARE(order, expected);
        }
    }

    // The 5-95 band is shaded from p5 to p95 and the 25-75 band, darker, from p25 to p75, over
    // every year, the median drawn over them; beyond them the plot stays blank. A band leaves
    // out the points where one of its edges is not a finite number, the other band and the
    // median keep theirs; the value axis takes in the bands.
    void lineChartShadesBandsBehindItsLinesAndSkipsTheirNonFinitePoints() {
        vorn::LineChartView view;
        view.resize(800, 500);
        vorn::UncertaintyBands bands = bandsOf();
        bands.percent.bands[4][3] = kInf;   // p95
        bands.percent.bands[1][4] = kNaN;   // p25
        bands.percent.bands[2][5] = -kInf;  // the median
        ChartTable run = lineTable(0);      // one run at 0, below the bands
        for (int c = 0; c < 21; ++c) {
            run.set(1, c, 0.0);
        }
        view.setTable(run, {"Run 1"}, {&bands, kBandNames});
        QCOMPARE(view.legendNames(),
                 QStringList({"5-95 % of 1000 runs", "25-75 %", "Median", "Run 1"}));
        const auto columns = [&view](int band) {
            QList<double> keys;
            for (const QPointF& point : view.bandPoints(band)) {
                keys.append(point.x());
            }
            return keys;
        };
        for (int band = 0; band < 5; ++band) {
            QCOMPARE(view.bandPoints(band).size(), 20);
        }
        QVERIFY(!columns(0).contains(3) && !columns(4).contains(3) && columns(1).contains(3));
        QVERIFY(!columns(1).contains(4) && !columns(3).contains(4) && columns(0).contains(4));
        QVERIFY(!columns(2).contains(5));
        QVERIFY(view.yAxis->range().lower <= 0 && view.yAxis->range().upper >= 5.6);

        const QImage image = shownImage(view);
        const QRect median(plotInside(view).left(), static_cast<int>(view.yAxis->coordToPixel(3)),
                           plotInside(view).width(), 1);  // dark dashes
        QVERIFY(vorn::testing::pixelsNear(image, median, QColor(Qt::black), 150) >
                median.width() / 3);
        for (const double column : {0.5, 10.5, 19.5}) {
            const auto at = [&](double value) {
                return image.pixelColor(static_cast<int>(view.xAxis->coordToPixel(column)),
                                        static_cast<int>(view.yAxis->coordToPixel(value)));
            };
            const QColor outer = at(1.15);
            QVERIFY(outer != Qt::white && at(2.15).lightness() < outer.lightness());
            for (const double value : {0.85, 5.15}) {
                QCOMPARE(at(value), QColor(Qt::white));
            }
            for (const double value : {1.5, 1.85, 4.15, 4.5, 4.85}) {
                QCOMPARE(at(value), outer);
            }
            for (const double value : {2.5, 3.5, 3.85}) {
                QCOMPARE(at(value), at(2.15));
            }
        }

        // Inside the bands, away from the lines: every band at the year under the pointer.
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QPoint inBand(static_cast<int>(view.xAxis->coordToPixel(10)),
                            static_cast<int>(view.yAxis->coordToPixel(1.5)));
        QCOMPARE(view.hoverText(inBand),
                 QString("2020\n5-95 % of 1000 runs: 1 to 5\n25-75 %: 2 to 4\nMedian: 3"));

        const vorn::UncertaintyBands none;  // without items
        view.setTable(run, {"Run 1"}, {&none, kBandNames});
        QCOMPARE(view.legendNames(), QStringList({"Run 1"}));
        QVERIFY(view.bandPoints(2).isEmpty());
    }

    void sensitivityBarsAreRankedFromTheTopColouredBySignAndNamedWhole() {
        vorn::SensitivityChartView view;
        view.resize(640, 360);
        const QString title("Change of the level of Rain in 2040 (2000 = 1)");
        const QString longName = QString("Renewable energy production ").repeated(4) + "-> Rain";
        view.setBars({longName, "Food -> Rain", "Rain -> Rain", "Sun -> Rain"},
                     {0.5, -0.25, kNaN, 1e-3}, {"Raises the level", "Lowers the level"}, title);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.legendNames(), QStringList({"Raises the level", "Lowers the level"}));
        QCOMPARE(view.xAxis->label(), title);
        QVERIFY(view.yAxis->coordToPixel(1) < view.yAxis->coordToPixel(2));  // first on top
        QVERIFY(view.xAxis->range().lower <= -0.25 && view.xAxis->range().upper >= 0.5);
        const auto rankY = [&view](int rank) {
            return static_cast<int>(view.yAxis->coordToPixel(rank));
        };
        // A raising bar reaches right of zero in the first colour, a lowering one left in the
        // second; a value that is not a number draws none.
        const QImage image = shownImage(view);
        const auto drawn = [&](double value, int rank) {
            return image.pixelColor(static_cast<int>(view.xAxis->coordToPixel(value)),
                                    rankY(rank) + 3);
        };
        QCOMPARE(drawn(0.25, 1), vorn::charts::seriesColor(0));
        QCOMPARE(drawn(-0.12, 2), vorn::charts::seriesColor(1));
        for (const auto& [value, rank] :
             {std::pair(-0.12, 1), std::pair(0.25, 2), std::pair(0.25, 3), std::pair(-0.12, 3)}) {
            QCOMPARE(drawn(value, rank), QColor(Qt::white));
        }

        const QString shown = view.shownBarLabels().value(1);
        QVERIFY2(shown.contains(QChar(0x2026)) && shown.endsWith("-> Rain"), qPrintable(shown));
        QCOMPARE(view.hoverText(QPoint(view.axisRect()->left() - 10, rankY(1))),
                 longName + "\n" + title + ": +0.5");
        QCOMPARE(view.hoverText(QPoint(static_cast<int>(view.xAxis->coordToPixel(-0.1)), rankY(2))),
                 "Food -> Rain\n" + title + ": -0.25");
    }

    // In a narrow chart with large texts, as in a side panel of the presentation layout, the
    // numbers along the horizontal axis leave ticks out rather than run into each other, zero
    // keeps its number, and a value-axis title too long even on two lines is shortened.
    void narrowChartsKeepTheirNumbersApartAndTheirTitlesWhole() {
        const auto checkNumbers = [](QCPAxis* axis) {
            axis->parentPlot()->replot();
            const QVector<double> ticks = axis->tickVector();
            const QVector<QString> labels = axis->tickVectorLabels();
            const QFontMetrics metrics(axis->tickLabelFont());
            int shown = 0;
            double rightEnd = -1e9;
            for (qsizetype i = 0; i < ticks.size(); ++i) {
                if (labels[i].isEmpty()) {
                    continue;
                }
                ++shown;
                const double centre = axis->coordToPixel(ticks[i]);
                const double half = metrics.horizontalAdvance(labels[i]) / 2.0;
                QVERIFY2(centre - half > rightEnd, qPrintable(labels[i]));
                rightEnd = centre + half;
                if (ticks[i] == 0) {
                    QCOMPARE(labels[i], QString("0"));
                }
            }
            QVERIFY(shown >= 2);
            QVERIFY(shown < ticks.size());  // some were left out at this size
        };
        QFont large;
        large.setPixelSize(22);

        vorn::SensitivityChartView sensitivity;
        sensitivity.setFont(large);
        sensitivity.resize(600, 300);
        sensitivity.setBars({"Population -> Population", "Industry -> Education"}, {0.8, -0.2},
                            {"Raises the level", "Lowers the level"},
                            "Change of the level of Population in 2040 (2000 = 1)");
        sensitivity.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sensitivity));
        checkNumbers(sensitivity.xAxis);

        vorn::InfluenceChartView influence;
        influence.setFont(large);
        influence.resize(270, 260);
        influence.setPoints({{"Food", 0.4, 2.1}, {"Industry", 4.1, 2.7}, {"Resources", 1.6, 0.9}},
                            2.0, 1.9, {"dependent", "relay", "autonomous", "driving"},
                            "Total influence (sum over its row, % per year)",
                            "Total dependence (sum over its column, % per year)");
        influence.show();
        QVERIFY(QTest::qWaitForWindowExposed(&influence));
        checkNumbers(influence.xAxis);
        const QStringList lines = influence.yAxis->label().split('\n');
        QCOMPARE(lines.size(), qsizetype(2));
        QCOMPARE(lines[0], QString("Total dependence"));
        for (const QString& line : lines) {
            QVERIFY2(QFontMetrics(influence.yAxis->labelFont()).horizontalAdvance(line) <=
                         influence.height(),
                     qPrintable(line));
        }
    }

    // Twelve of twenty points at the origin share one label; no label covers another or a
    // corner's name, and all lie in the plot. A point that is not a number is left out.
    void influenceLabelsShareAPlaceAndCoverNothing() {
        vorn::InfluenceChartView view;
        view.resize(720, 420);
        QList<vorn::InfluenceChartView::Point> points;
        for (int i = 1; i <= 20; ++i) {
            const QString name = QString("Item %1").arg(i);
            points.append({name, i <= 12 ? 0.0 : i, i <= 12 ? 0.0 : 20.0 - i});
        }
        points[19].y = kNaN;
        view.setPoints(points, 4.0, 2.0, {"dependent", "relay", "autonomous", "driving"},
                       "Total influence (sum over its row, % per year)",
                       "Total dependence (sum over its column, % per year)");
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.points().size(), 19);
        const QStringList labels = view.shownLabels();
        QCOMPARE(labels.size(), 1 + 7);
        QVERIFY2(labels[0].startsWith("Item 1, Item 2, Item 3"), qPrintable(labels[0]));
        QCOMPARE(labels[1], QString("Item 13"));

        const QList<QRectF> corners = view.cornerRects();
        QCOMPARE(corners.size(), 4);
        const QList<QRectF> placed = view.labelRects();
        const QRectF plot = view.axisRect()->rect();
        for (qsizetype i = 0; i < placed.size(); ++i) {
            QVERIFY2(plot.contains(placed[i]), qPrintable(labels[i]));
            for (qsizetype j = 0; j < i; ++j) {
                QVERIFY2(!placed[i].intersects(placed[j]), qPrintable(labels[i] + "/" + labels[j]));
            }
            for (const QRectF& corner : corners) {
                QVERIFY2(!placed[i].intersects(corner), qPrintable(labels[i]));
            }
            for (const auto& point : view.points()) {
                QVERIFY2(!placed[i].contains(view.pixelOf(point)), qPrintable(labels[i]));
            }
        }
        const QString origin = view.hoverText(view.pixelOf(view.points()[0]).toPoint());
        QVERIFY2(origin.startsWith("Item 1\n  Total influence: 0, Total dependence: 0\nItem 2"),
                 qPrintable(origin));
        QVERIFY(origin.contains("Item 12"));
    }

    void barChartReusesItsSetsAndDrawsNonFiniteAsZero() {
        vorn::BarChartView view;
        view.setTable(barTable(4));
        QCOMPARE(view.setNames(),
                 QStringList({"Item  1", "Item  2", "Item  3", "Item  4", "Uncertainty"}));
        QCOMPARE(view.categories().size(), 4);
        view.setTable(barTable(2));
        QCOMPARE(view.setNames().size(), 3);
        QCOMPARE(view.legendNames(), view.setNames());
        QCOMPARE(view.plottableCount(), vorn::BarChartView::kMaxSets);

        ChartTable table = barTable(2);
        table.set(0, 2, std::string("Item  1"));  // a repeated name keeps its own category
        table.set(1, 1, kNaN);
        table.set(1, 2, 1e200);
        view.setTable(table);
        QCOMPARE(view.categories(), QStringList({"Item  1", "Item  1"}));
        QCOMPARE(view.shownCategoryLabels().size(), 2);
        QCOMPARE(view.setValues(1), QList<qreal>({0.0, 1e12}));
        QVERIFY(!view.grab().toImage().isNull());
    }

    // The design sizes of the three charts, then half and twice that with the font scaled
    // alike after the data is shown, as the window's zoom does.
    void legendsNameEverySeriesAtAnyZoom() {
        for (const double zoom : {1.0, 0.5, 2.0}) {
            vorn::LineChartView trends;
            vorn::BarChartView contributions;
            vorn::LineChartView spread;
            const std::pair<vorn::ChartView*, QSize> charts[] = {
                {&trends, {625, 177}}, {&contributions, {481, 161}}, {&spread, {561, 177}}};
            for (const auto& [chart, size] : charts) {
                QFont font = chart->font();
                font.setPointSizeF(8.25);
                chart->setFont(font);
                chart->resize(size);
            }
            contributions.setCaptionSpace(1.3);
            spread.setCaptionSpace(3.1);
            std::vector<std::string> items;
            for (int i = 1; i <= 20; ++i) {
                items.push_back("Population " + std::to_string(i));
            }
            trends.setTable(lineTable(20), items);
            contributions.setTable(barTable(20, "Population "));
            const vorn::UncertaintyBands bands = bandsOf();
            spread.setTable(lineTable(20), {}, {&bands, kBandNames});
            for (const auto& [chart, size] : charts) {
                chart->resize(size * zoom);
                QFont font = chart->font();
                font.setPointSizeF(8.25 * zoom);
                chart->setFont(font);
                QVERIFY(QFontInfo(chart->legend->font()).pixelSize() >=
                        QFontInfo(font).pixelSize() * 0.65);
            }
            checkLegend(trends, numbered("Population ", 20));
            checkLegend(contributions, numbered("Population ", 20) << "Uncertainty");
            checkLegend(spread, QStringList({"5-95 % of 1000 runs", "25-75 %", "Median"}) +
                                    numbered("", 20));
            QCOMPARE(trends.xAxis->label(), QString("Year"));
            QCOMPARE(trends.yAxis->label().simplified(), QString("Level (2000 = 1)"));
            QCOMPARE(contributions.yAxis->label().simplified(),
                     QString("Contribution (% per year)"));
        }
    }

    void crowdedCategoriesStandOnEndAbbreviatedButReadable() {
        vorn::BarChartView view;
        view.resize(481, 161);
        view.setTable(barTable(20, "Renewable energy "));
        QCOMPARE(view.xAxis->tickLabelRotation(), -90.0);
        const QMap<double, QString> labels = view.shownCategoryLabels();
        QCOMPARE(labels.size(), 20);
        for (auto label = labels.begin(); label != labels.end(); ++label) {
            QVERIFY2(label.value().startsWith("Renew"), qPrintable(label.value()));
            const QPoint under(static_cast<int>(view.xAxis->coordToPixel(label.key())),
                               view.axisRect()->rect().bottom() + 8);
            QCOMPARE(view.hoverText(under),
                     QString("Renewable energy %1").arg(static_cast<int>(label.key())));
        }
        view.setTable(barTable(3));
        QCOMPARE(view.xAxis->tickLabelRotation(), 0.0);
        QCOMPARE(view.shownCategoryLabels().value(2), QString("Item  2"));
    }

    void hoveringALineOrABarNamesItAndItsValue() {
        vorn::LineChartView lines;
        lines.resize(625, 177);
        lines.setTable(lineTable(3), {"Alpha", "Beta", "Gamma"});
        lines.show();
        QVERIFY(QTest::qWaitForWindowExposed(&lines));
        // Column 7 of Beta holds 1 + 0.1 * 2 * 7 = 2.4, the year 2014.
        const QPoint onBeta(static_cast<int>(lines.xAxis->coordToPixel(7)),
                            static_cast<int>(lines.yAxis->coordToPixel(2.4)) + 2);
        QTest::mouseMove(&lines, onBeta);
        QHelpEvent help(QEvent::ToolTip, onBeta, lines.mapToGlobal(onBeta));
        QApplication::sendEvent(&lines, &help);
        QTRY_COMPARE(QToolTip::text(), QString("Beta\n2014: 2.4"));
        const QPoint above(static_cast<int>(lines.xAxis->coordToPixel(2)),
                           static_cast<int>(lines.yAxis->coordToPixel(4.0)));
        QCOMPARE(lines.hoverText(above), QString());

        vorn::BarChartView bars;
        bars.resize(481, 161);
        bars.setTable(barTable(3));
        // Item 3 gives Item 1 0.1 * 3 - 0.05 = 0.25: its bar is the rightmost of category 1.
        const QCPBars* bar = qobject_cast<QCPBars*>(bars.plottable(2));
        const double key = bar->data()->at(0)->key;
        const QPoint onBar(static_cast<int>(bars.xAxis->coordToPixel(key)),
                           static_cast<int>(bars.yAxis->coordToPixel(0.1)));
        QCOMPARE(bars.hoverText(onBar), QString("Item  3 \u2192 Item  1: 0.25 % per year"));
    }

    // A printer has many more dots per inch than the screen: the chart drawn into a denser
    // device, of pixels or of vectors, looks as the widget shows it, texts included.
    void drawIntoFillsTheTargetOnAHighResolutionDevice() {
        vorn::LineChartView view;
        view.resize(625, 177);
        view.setTable(lineTable(3), {"Alpha", "Beta", "Gamma"});
        const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int scale = 6;
        const QSize size = view.size() * scale;
        const QRectF target(QPointF(0, 0), QSizeF(size));

        QImage pixels(size, QImage::Format_RGB32);
        pixels.setDotsPerMeterX(shown.dotsPerMeterX() * scale);
        pixels.setDotsPerMeterY(shown.dotsPerMeterY() * scale);
        pixels.fill(Qt::white);
        QPainter painter(&pixels);
        view.drawInto(painter, target);
        painter.end();

        QBuffer svg;
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setResolution(shown.logicalDpiX() * scale);
        generator.setSize(size);
        generator.setViewBox(target);
        painter.begin(&generator);
        view.drawInto(painter, target);
        painter.end();
        QImage vectors(size, QImage::Format_RGB32);
        vectors.fill(Qt::white);
        painter.begin(&vectors);
        QSvgRenderer(svg.data()).render(&painter, target);
        painter.end();

        for (const QImage& printed : {pixels, vectors}) {
            const QImage seen =
                printed.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QVERIFY(inkFound(shown, seen) > 0.9 && inkFound(seen, shown) > 0.9);
        }
    }

    void exportDrawsEachFormatAsVectorsWhereItCan() {
        const std::pair<const char*, QByteArray> formats[] = {
            {"png", "\x89PNG"}, {"svg", "<?xml"}, {"pdf", "%PDF"}};
        for (const auto& [type, magic] : formats) {
            const QByteArray content = drawnCharts(type);
            QVERIFY(content.size() > 1000);
            QVERIFY(content.startsWith(magic));
            if (QByteArray(type) == "svg") {  // lines and text, no picture of them
                QVERIFY(content.contains("<text") && content.contains("<path"));
                QVERIFY(!content.contains("<image"));
                QVERIFY(content.trimmed().endsWith("</svg>"));
            } else if (QByteArray(type) == "pdf") {
                QVERIFY(content.contains("/FontFile") && !content.contains("/Subtype /Image"));
                QVERIFY(content.trimmed().endsWith("%%EOF"));
            }
        }
    }

    void exportDrawsTheSpreadBandsWhenGiven() {
        const vorn::UncertaintyBands bands = bandsOf();
        // Each caption above its chart, top to bottom; the Spread chart with its twenty runs.
        const QByteArray plain = drawnCharts("svg");
        const qsizetype trends = plain.indexOf(">Scenario Trends<");
        const qsizetype contributions = plain.indexOf(">Contributions<");
        QVERIFY(trends >= 0 && trends < contributions && contributions < plain.indexOf(">Spread<"));
        QVERIFY(plain.contains(">Run 20<") && !plain.contains("25-75 %"));
        const QByteArray withBands = drawnCharts("svg", nullptr, {&bands, kBandNames});
        QVERIFY(withBands.contains("25-75 %"));
        QVERIFY(withBands.contains("5-95 % of 1000 runs"));
    }

    void exportedPngShowsTheLinesAndUnknownTypesAreRefused() {
        const QImage image = QImage::fromData(drawnCharts("png"), "PNG");
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        const QRect top(0, 0, image.width(),
                        image.height() / 3);  // the first line in the top chart
        QVERIFY(vorn::testing::pixelsNear(image, top, vorn::charts::seriesColor(0), 0) > 50);
        std::string unknown;
        QVERIFY(drawnCharts("bmpx", &unknown).isEmpty() && unknown.find("bmpx") != npos);
    }
};

QTEST_MAIN(ChartViewsTest)
#include "chart_views_test.moc"
