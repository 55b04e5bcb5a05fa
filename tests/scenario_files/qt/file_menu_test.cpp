#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "charts/qt/line_chart_view.h"
#include "shell/qt/grid_view.h"
#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"
#include "support/scripted_platform.h"

namespace {

// Prints the window with the shell's own printing into a PDF, as "print to file" does.
struct PdfPlatform : vorn::testing::ScriptedPlatform {
    QString pdfPath;
    QWidget* window = nullptr;
    vorn::PrintResult printWindow() override {
        ++printRequests;
        vorn::QtPlatform real;
        real.setWindow(window);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        QString error;
        const bool printed = vorn::printClientArea(*real.clientArea(), printer, &error);
        return {printed ? vorn::PrintOutcome::Printed : vorn::PrintOutcome::Failed,
                error.toStdString()};
    }
    std::string drawChartFile(const std::string& path, const vorn::ChartPicture& charts) override {
        return vorn::QtPlatform().drawChartFile(path, charts);
    }
};

// The window and all it needs, made afresh for each test.
struct Fixture {
    QTemporaryDir folder;
    PdfPlatform platform;
    vorn::Trends trends{platform, vorn::RandomSource(5)};
    vorn::MainWindow window{trends};
};

}  // namespace

class FileMenuTest : public QObject {
    Q_OBJECT
  private:
    std::unique_ptr<Fixture> m;

    template <typename T>
    T* find(const char* name) const {
        return m->window.findChild<T*>(QString::fromLatin1(name));
    }
    QString cell(const char* grid, int row, int column) const {
        QAbstractItemModel* model = find<vorn::GridView>(grid)->model();
        return model->data(model->index(row, column)).toString();
    }

  private slots:
    void init() {
        QApplication::setCursorFlashTime(0);  // a blinking caret would change the window's image
        m = std::make_unique<Fixture>();
        m->platform.window = &m->window;
        m->platform.pdfPath = m->folder.filePath(QStringLiteral("window.pdf"));
        m->trends.Form_Load();
        m->window.view()->refresh();
        m->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m->window));
    }
    void cleanup() { m.reset(); }

    void openShowsTheExampleInTheWindow() {
        const QString path = QStringLiteral(VORN_SOURCE_EXAMPLES_DIR "/Example1.txt");
        m->platform.openAnswers.push_back(path.toStdString());
        find<QAction>("mnuOpen")->trigger();

        QTRY_COMPARE(find<QLabel>("MatrixFile")->text(), "Initial Scenario " + path);
        QCOMPARE(cell("MSFlexTotals", 0, 8), QString("Education"));
        QCOMPARE(cell("MSFlexPolicy", 4, 5), QString("-1"));
        QVERIFY(find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().contains("Resources"));
    }

    // One page drawn afresh: real text in an embedded font, lines as lines, no picture of
    // the window (the only images are the scroll bars' small arrows). The window is as it was.
    void printWritesTheWindowAsAVectorPdfPage() {
        const QImage before = m->window.grab().toImage();
        const unsigned long projections = m->trends.projectionCount();
        find<QAction>("mnuPrint")->trigger();
        QFile file(m->platform.pdfPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString pdf = QString::fromLatin1(file.readAll());
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);
        QVERIFY(pdf.contains(QRegularExpression(QStringLiteral("/Type\\s*/Font"))));
        QVERIFY(pdf.contains(QStringLiteral("/ToUnicode")));
        const QRegularExpression image(
            QStringLiteral("/Subtype\\s*/Image\\s*/Width\\s*(\\d+)\\s*/Height\\s*(\\d+)"));
        for (const QRegularExpressionMatch& match : image.globalMatch(pdf)) {
            QVERIFY2(match.captured(1).toInt() * match.captured(2).toInt() < 32 * 32,
                     qPrintable(match.captured(0)));
        }
        QCOMPARE(m->trends.projectionCount(), projections);
        QCOMPARE(m->window.grab().toImage(), before);
    }

    // Both exports from the menu: the charts drawn as the window shows them, the tables
    // beside each other; the window stays as it was.
    void exportsWriteChartsAndTablesFromTheMenu() {
        const QImage before = m->window.grab().toImage();
        const QString svg = m->folder.filePath(QStringLiteral("handout"));
        m->platform.saveAnswers = {svg.toStdString(),
                                   m->folder.filePath(QStringLiteral("numbers")).toStdString()};
        m->platform.saveFilterAnswers = {2, 1};
        find<QAction>("mnuExportCharts")->trigger();
        find<QAction>("mnuExportData")->trigger();

        QVERIFY(m->platform.messages.empty());
        QFile charts(svg + ".svg");
        QVERIFY(charts.open(QIODevice::ReadOnly));
        const QString drawing = QString::fromUtf8(charts.readAll());
        QVERIFY(drawing.contains("Scenario Trends- Forecast to  2040"));
        QVERIFY(drawing.contains(QRegularExpression(QStringLiteral("Item\\s+8"))));
        const QStringList tables = QDir(m->folder.path()).entryList({"numbers-*.csv"});
        QCOMPARE(tables, QStringList({"numbers-contributions.csv", "numbers-levels.csv",
                                      "numbers-netgrowth.csv", "numbers-spread.csv"}));
        QCOMPARE(m->window.grab().toImage(), before);
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
