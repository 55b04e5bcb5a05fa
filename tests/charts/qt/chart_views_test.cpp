#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>
#include <cmath>
#include <limits>

#include "charts/qt/bar_chart_view.h"
#include "charts/qt/chart_export.h"
#include "charts/qt/chart_style.h"
#include "charts/qt/line_chart_view.h"

using vorn::ChartTable;

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

bool exportCharts(const QString& path, std::string* error = nullptr) {
    return vorn::exportCharts(path.toStdString(), lineTable(3), barTable(3), lineTable(20),
                              {"A", "B", "C"}, "Scenario Trends", "Contributions", "Spread", error);
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
    void lineChartDrawsFilledRowsOnlyAndKeepsItsLines() {
        vorn::LineChartView view;
        view.setTable(lineTable(3), {"Alpha", "Beta", ""});
        QCOMPARE(view.visibleSeriesNames(), QStringList({"Alpha", "Beta", "3"}));
        QCOMPARE(view.legendNames(), view.visibleSeriesNames());
        QCOMPARE(view.seriesPoints(2).at(20).y(), 1.0 + 0.1 * 2 * 20);
        QCOMPARE(view.pointLabels().last(), QString(" 2040"));
        view.setTable(lineTable(1));
        QCOMPARE(view.visibleSeriesNames().size(), 1);
        QCOMPARE(view.legendNames().size(), 1);
        QVERIFY(view.seriesPoints(3).isEmpty());
        QCOMPARE(view.graphCount(), vorn::LineChartView::kMaxSeries);  // refilled, not added
    }

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
            spread.setTable(lineTable(20), {});
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
            checkLegend(spread, numbered("", 20));
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
        // Column 10 of Beta holds 1 + 0.1 * 2 * 10 = 3, the year 2020.
        const QPoint onBeta(static_cast<int>(lines.xAxis->coordToPixel(10)),
                            static_cast<int>(lines.yAxis->coordToPixel(3.0)) + 2);
        QTest::mouseMove(&lines, onBeta);
        QHelpEvent help(QEvent::ToolTip, onBeta, lines.mapToGlobal(onBeta));
        QApplication::sendEvent(&lines, &help);
        QTRY_COMPARE(QToolTip::text(), QString("Beta\n2020: 3"));
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

    void exportWritesEachFormatAsVectorsWhereItCan() {
        QTemporaryDir dir;
        const std::pair<const char*, QByteArray> formats[] = {
            {"png", "\x89PNG"}, {"svg", "<?xml"}, {"pdf", "%PDF"}};
        for (const auto& [suffix, magic] : formats) {
            const QString path = dir.filePath(QStringLiteral("charts.") + suffix);
            QVERIFY(exportCharts(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly) && file.size() > 1000);
            const QByteArray content = file.readAll();
            QVERIFY(content.startsWith(magic));
            if (QByteArray(suffix) == "svg") {  // lines and text, no picture of them
                QVERIFY(content.contains("<text") && content.contains("<path"));
                QVERIFY(!content.contains("<image"));
            } else if (QByteArray(suffix) == "pdf") {
                QVERIFY(content.contains("/FontFile") && !content.contains("/Subtype /Image"));
            }
        }
    }

    void exportedPngShowsTheLinesAndBadPathsAreRefused() {
        QTemporaryDir dir;
        QVERIFY(exportCharts(dir.filePath("charts.png")));
        const QImage image(dir.filePath("charts.png"));
        int hits = 0;  // pixels of the first line's colour in the top chart
        for (int y = 0; y < image.height() / 3; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                hits += image.pixelColor(x, y) == vorn::charts::seriesColor(0) ? 1 : 0;
            }
        }
        QVERIFY(hits > 50);
        std::string unknown;
        QVERIFY(!exportCharts("/tmp/charts.bmpx", &unknown) && unknown.find("bmpx") != npos);
        QVERIFY(!exportCharts("/nonexistent-folder/x/charts.png", &unknown));
    }
};

QTEST_MAIN(ChartViewsTest)
#include "chart_views_test.moc"
