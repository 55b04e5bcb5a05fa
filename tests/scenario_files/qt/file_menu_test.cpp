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
        const bool printed = vorn::printImage(real.windowImage(), printer, &error);
        return {printed ? vorn::PrintOutcome::Printed : vorn::PrintOutcome::Failed,
                error.toStdString()};
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

    void printWritesTheWindowAsAPdfPage() {
        find<QAction>("mnuPrint")->trigger();
        QFile file(m->platform.pdfPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.size() > 10000);
        QVERIFY(pdf.startsWith("%PDF"));
        const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
        QCOMPARE(QString::fromLatin1(pdf).count(page), 1);
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
