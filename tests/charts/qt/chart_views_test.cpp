#include <QBarSeries>
#include <QCategoryAxis>
#include <QImage>
#include <QTemporaryDir>
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

// Contributions of `n` items: row 0 names the items, rows 1..n the items, row n + 1 the rest.
ChartTable barTable(int n) {
    ChartTable table(n + 2, n + 1);
    for (int r = 1; r <= n + 1; ++r) {
        table.set(r, 0, r <= n ? "Item  " + std::to_string(r) : std::string("Uncertainty"));
        for (int c = 1; c <= n; ++c) {
            table.set(0, c, "Item  " + std::to_string(c));
            table.set(r, c, 0.1 * r - 0.05 * c);
        }
    }
    return table;
}

bool exportCharts(const QString& path, std::string* error = nullptr) {
    return vorn::exportCharts(path.toStdString(), lineTable(3), barTable(3), lineTable(20),
                              {"A", "B", "C"}, "Scenario Trends", "Contributions", "Spread", error);
}

}  // namespace

class ChartViewsTest : public QObject {
    Q_OBJECT
  private slots:
    void lineChartDrawsFilledRowsOnlyAndKeepsItsSeries() {
        vorn::LineChartView view;
        const QList<QAbstractSeries*> series = view.chart()->series();
        view.setTable(lineTable(3), {"Alpha", "Beta", ""});
        QCOMPARE(view.visibleSeriesNames(), QStringList({"Alpha", "Beta", "3"}));
        QCOMPARE(view.seriesPoints(2).at(20).y(), 1.0 + 0.1 * 2 * 20);
        QCOMPARE(view.pointLabels().last(), QString(" 2040"));
        view.setTable(lineTable(1));
        QCOMPARE(view.visibleSeriesNames().size(), 1);
        QVERIFY(view.seriesPoints(3).isEmpty());
        QCOMPARE(view.chart()->series(), series);  // replaced points, not new series
    }

    void lineChartSkipsNonFiniteClampsHugeValuesAndKeepsRepeatedLabels() {
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
        auto* axis = qobject_cast<QCategoryAxis*>(view.chart()->axes(Qt::Horizontal).at(0));
        view.setTable(lineTable(1));
        const int labels = axis->count();
        ChartTable sameYear = lineTable(1);  // a horizon of 0 labels every point alike
        for (int c = 0; c < 21; ++c) {
            sameYear.set(0, c, std::string(" 2000"));
        }
        view.setTable(sameYear);
        QCOMPARE(axis->count(), labels);  // the axis drops no repeated label
    }

    void barChartReusesItsSetsAndDrawsNonFiniteAsZero() {
        vorn::BarChartView view;
        view.setTable(barTable(4));
        QCOMPARE(view.setNames(),
                 QStringList({"Item  1", "Item  2", "Item  3", "Item  4", "Uncertainty"}));
        QCOMPARE(view.categories().size(), 4);
        auto* series = qobject_cast<QBarSeries*>(view.chart()->series().at(0));
        const QList<QBarSet*> sets = series->barSets();
        view.setTable(barTable(2));
        QCOMPARE(view.setNames().size(), 3);
        QCOMPARE(view.categories().size(), 2);
        view.setTable(barTable(4));
        QCOMPARE(series->barSets(), sets);  // the same sets, refilled

        ChartTable table = barTable(2);
        table.set(0, 2, std::string("Item  1"));  // a repeated name keeps its own category
        table.set(1, 1, kNaN);
        table.set(1, 2, 1e200);
        view.setTable(table);
        QCOMPARE(view.categories().size(), 2);
        QCOMPARE(view.setValues(1), QList<qreal>({0.0, 1e12}));
        QVERIFY(!view.grab().toImage().isNull());
    }

    void exportWritesEachFormat() {
        QTemporaryDir dir;
        const std::pair<const char*, QByteArray> formats[] = {
            {"png", "\x89PNG"}, {"svg", "<?xml"}, {"pdf", "%PDF"}};
        for (const auto& [suffix, magic] : formats) {
            const QString path = dir.filePath(QStringLiteral("charts.") + suffix);
            QVERIFY(exportCharts(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly) && file.size() > 1000);
            QCOMPARE(file.read(magic.size()), magic);
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
