#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>

#include "charts/qt/bar_chart_view.h"
#include "charts/qt/chart_export.h"
#include "charts/qt/line_chart_view.h"
#include "projection/projection.h"
#include "projection/random_source.h"

using vorn::ChartTable;

namespace {

ChartTable lineTable(int rows, const std::vector<double>& firstRow) {
    ChartTable table(21, 21);
    for (int c = 0; c < 21; ++c) {
        table.set(0, c, " " + std::to_string(2000 + 2 * c));
    }
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < 21; ++c) {
            table.set(r, c, 1.0 + 0.1 * r * c);
        }
    }
    for (int c = 0; c < static_cast<int>(firstRow.size()); ++c) {
        table.set(1, c, firstRow[static_cast<std::size_t>(c)]);
    }
    return table;
}

vorn::ProjectionResult projection(int items) {
    vorn::ProjectionInput input;
    input.items = items;
    input.trend.assign(static_cast<std::size_t>(items * items), 0.5);
    input.policy.assign(static_cast<std::size_t>(items * items), 0.0);
    input.uncertainty.assign(static_cast<std::size_t>(items), 1.0);
    input.lag.assign(static_cast<std::size_t>(items), 1.0);
    for (int i = 1; i <= items; ++i) {
        input.names.push_back("Item  " + std::to_string(i));
    }
    input.tracked = 1;
    input.runs = 20;
    vorn::RandomSource random(7);
    return vorn::project(input, random);
}

}  // namespace

class ChartViewsTest : public QObject {
    Q_OBJECT
  private slots:
    void lineChartShowsOneLinePerFilledRow() {
        vorn::LineChartView view;
        view.resize(600, 200);
        view.setTable(lineTable(3, {}), {"Alpha", "Beta", ""});
        QCOMPARE(view.visibleSeriesNames(), QStringList({"Alpha", "Beta", "3"}));
        QCOMPARE(view.seriesPoints(2).size(), 21);
        QCOMPARE(view.seriesPoints(2).at(20).y(), 1.0 + 0.1 * 2 * 20);
        QCOMPARE(view.pointLabels().first(), QString(" 2000"));
        QCOMPARE(view.pointLabels().last(), QString(" 2040"));

        view.setTable(lineTable(1, {}), {});
        QCOMPARE(view.visibleSeriesNames().size(), 1);
        QVERIFY(view.seriesPoints(3).isEmpty());
    }

    void lineChartSkipsNonFiniteAndClampsHugeValues() {
        vorn::LineChartView view;
        view.resize(600, 200);
        const double inf = std::numeric_limits<double>::infinity();
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QElapsedTimer timer;
        timer.start();
        view.setTable(lineTable(2, {nan, inf, -inf, 1e300, -1e300}), {});
        const QImage image = view.grab().toImage();
        QVERIFY(!image.isNull());
        const QList<QPointF> points = view.seriesPoints(1);
        QCOMPARE(points.size(), 21 - 3);
        for (const QPointF& point : points) {
            QVERIFY(std::isfinite(point.y()));
            QVERIFY(std::fabs(point.y()) <= 1e12);
        }
        QVERIFY(timer.elapsed() < 20000);  // guards against a hang, not a speed check
    }

    void repeatedHorizonLabelsStayOnePerPoint() {
        vorn::LineChartView view;
        view.resize(1200, 300);
        ChartTable table(21, 21);
        for (int c = 0; c < 21; ++c) {
            table.set(0, c, std::string(" 2000"));
            table.set(1, c, 1.0);
        }
        view.setTable(table, {"Item  1"});
        QCOMPARE(view.pointLabels().size(), 21);
        QCOMPARE(view.visibleSeriesNames(), QStringList({"Item  1"}));
    }

    void barChartHasOneSetPerContributorAndUncertainty() {
        const vorn::ProjectionResult result = projection(4);
        vorn::BarChartView view;
        view.resize(500, 200);
        view.setTable(result.contribTable);
        QCOMPARE(view.setNames(),
                 QStringList({"Item  1", "Item  2", "Item  3", "Item  4", "Uncertainty"}));
        QCOMPARE(view.categories().size(), 4);
        QCOMPARE(view.setValues(1).size(), 4);

        view.setTable(projection(2).contribTable);
        QCOMPARE(view.setNames().size(), 3);
        QCOMPARE(view.categories().size(), 2);
        view.setTable(result.contribTable);
        QCOMPARE(view.setNames().size(), 5);
    }

    void barChartDrawsNonFiniteContributionsAsZero() {
        ChartTable table(3, 3);
        table.set(0, 1, std::string("A"));
        table.set(0, 2, std::string("A"));  // a repeated name keeps its own category
        table.set(1, 0, std::string("A"));
        table.set(2, 0, std::string("Uncertainty"));
        table.set(1, 1, std::numeric_limits<double>::quiet_NaN());
        table.set(1, 2, 1e200);
        table.set(2, 1, -3.0);
        vorn::BarChartView view;
        view.resize(400, 200);
        view.setTable(table);
        QCOMPARE(view.categories().size(), 2);
        QCOMPARE(view.setValues(1), QList<qreal>({0.0, 1e12}));
        QVERIFY(!view.grab().toImage().isNull());
    }

    void exportWritesEachFormat_data() {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "png" << QByteArray("\x89PNG");
        QTest::newRow("svg") << "svg" << QByteArray("<?xml");
        QTest::newRow("pdf") << "pdf" << QByteArray("%PDF");
    }
    void exportWritesEachFormat() {
        QFETCH(QString, suffix);
        QFETCH(QByteArray, magic);
        QTemporaryDir dir;
        const QString path = dir.filePath("charts." + suffix);
        const vorn::ProjectionResult result = projection(5);
        std::string error;
        QVERIFY(vorn::exportCharts(
            path.toStdString(), result.levelTable, result.contribTable, result.spreadTable,
            result.numbers.items > 0 ? std::vector<std::string>{"A", "B", "C", "D", "E"}
                                     : std::vector<std::string>{},
            result.trendsCaption, result.contributionsCaption, "Spread in Annual Levels for A",
            &error));
        QVERIFY2(error.empty(), error.c_str());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 1000);
        QVERIFY(file.read(magic.size()) == magic);
    }

    void exportedPngShowsLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath("charts.png");
        const vorn::ProjectionResult result = projection(3);
        QVERIFY(vorn::exportCharts(path.toStdString(), result.levelTable, result.contribTable,
                                   result.spreadTable, {"A", "B", "C"}, result.trendsCaption,
                                   result.contributionsCaption, "Spread", nullptr));
        const QImage image(path);
        QVERIFY(image.width() >= 800);
        const QColor first = QColor(0x1f, 0x77, 0xb4);
        int hits = 0;
        for (int y = 0; y < image.height() / 3; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                hits += image.pixelColor(x, y) == first ? 1 : 0;
            }
        }
        QVERIFY(hits > 50);
    }

    void exportRejectsUnknownTypeAndUnwritablePath() {
        const vorn::ProjectionResult result = projection(2);
        std::string error;
        QVERIFY(!vorn::exportCharts("/tmp/charts.bmpx", result.levelTable, result.contribTable,
                                    result.spreadTable, {}, "", "", "", &error));
        QVERIFY(error.find("bmpx") != std::string::npos);
        error.clear();
        QVERIFY(!vorn::exportCharts("/nonexistent-folder/x/charts.png", result.levelTable,
                                    result.contribTable, result.spreadTable, {}, "", "", "",
                                    &error));
        QVERIFY(!error.empty());
    }
};

QTEST_MAIN(ChartViewsTest)
#include "chart_views_test.moc"
