#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "qt/charts/line_chart_view.h"
#include "qt/window/qt_platform.h"
#include "support/window_fixture.h"

namespace {

// Prints the window with the shell's own printing into a PDF, as "print to file" does.
struct PdfPlatform : vorn::testing::ScriptedPlatform {
    QString pdfPath;
    QWidget* window = nullptr;
    void setWindow(QWidget* shown) { window = shown; }
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
    vorn::DrawnFile drawChartFile(const std::string& type,
                                  const vorn::ChartPicture& charts) override {
        return vorn::QtPlatform().drawChartFile(type, charts);
    }
};

}  // namespace

class FileMenuTest : public QObject {
    Q_OBJECT
  private:
    std::optional<QTemporaryDir> m_folder;  // afresh for each test
    std::unique_ptr<vorn::testing::WindowFixture<PdfPlatform>> m;

  private slots:
    void init() {
        QApplication::setCursorFlashTime(0);  // a blinking caret would change the window's image
        m_folder.emplace();
        m = std::make_unique<vorn::testing::WindowFixture<PdfPlatform>>(5);
        m->platform.pdfPath = m_folder->filePath(QStringLiteral("window.pdf"));
        QVERIFY(m->start());
    }
    void cleanup() {
        m.reset();
        m_folder.reset();
    }

    void openShowsTheExampleInTheWindow() {
        const QString path = QStringLiteral(VORN_SOURCE_EXAMPLES_DIR "/Example1.txt");
        m->platform.openAnswers.push_back(path.toStdString());
        m->trigger("mnuOpen");

        QTRY_COMPARE(m->find<QLabel>("MatrixFile")->text(), "Initial Scenario " + path);
        QCOMPARE(m->cell("MSFlexTotals", 0, 8), QString("Education"));
        QCOMPARE(m->cell("MSFlexPolicy", 4, 5), QString("-1"));
        QVERIFY(
            m->find<vorn::LineChartView>("mscTrends")->visibleSeriesNames().contains("Resources"));
        const QString saved = m_folder->filePath(QStringLiteral("Revised.txt"));
        m->platform.saveAnswers.push_back(saved.toStdString());
        m->trigger("mnusave");
        QTRY_COMPARE(m->find<QLabel>("MatrixFile")->text(), "Saved Scenario " + saved);
        QVERIFY(QFileInfo(saved).size() > 100);
    }

    // One page drawn afresh: real text in an embedded font, lines as lines, no picture of
    // the window (the only images are the scroll bars' small arrows). The window is as it was.
    void printWritesTheWindowAsAVectorPdfPage() {
        const QImage before = m->window.grab().toImage();
        const unsigned long projections = m->trends.projectionCount();
        m->trigger("mnuPrint");
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
        const QString svg = m_folder->filePath(QStringLiteral("handout"));
        m->platform.saveAnswers = {svg.toStdString(),
                                   m_folder->filePath(QStringLiteral("numbers")).toStdString()};
        m->platform.saveFilterAnswers = {2, 1};
        m->trigger("mnuExportCharts");
        m->trigger("mnuExportData");

        QVERIFY(m->platform.messages.empty());
        QFile charts(svg + ".svg");
        QVERIFY(charts.open(QIODevice::ReadOnly));
        const QString drawing = QString::fromUtf8(charts.readAll());
        QVERIFY(drawing.contains("Scenario Trends- Forecast to  2040"));
        QVERIFY(drawing.contains(QRegularExpression(QStringLiteral("Item\\s+8"))));
        const QStringList tables = QDir(m_folder->path()).entryList({"numbers-*.csv"});
        QCOMPARE(tables, QStringList({"numbers-contributions.csv", "numbers-levels.csv",
                                      "numbers-netgrowth.csv", "numbers-spread.csv"}));
        QCOMPARE(m->window.grab().toImage(), before);
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
