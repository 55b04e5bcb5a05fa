#include <benchmark/benchmark.h>
#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <string>

#include "shell/qt/main_window.h"
#include "shell/qt/qt_platform.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"
#include "silent_platform.h"
#include "tables/number_text.h"

namespace {

// Printing the window with 20 items and 20 runs to a PDF file: the client area drawn
// afresh, control by control, and the file written.
void BM_PrintWindowToPdf(benchmark::State& state) {
    vorn::bench::SilentPlatform platform;
    vorn::Trends trends(platform, vorn::RandomSource(5));
    vorn::MainWindow window(trends);
    trends.Form_Load();
    vorn::ScenarioTables& tables = trends.tables;
    constexpr int kItems = 20;
    tables.trend.resize(kItems + 1, kItems + 1);
    tables.policy.resize(kItems + 1, kItems + 1);
    tables.totals.resize(vorn::kTotalsRows, kItems + 1);
    for (int i = 1; i <= kItems; ++i) {
        tables.trend.setText(0, i, "Item " + std::to_string(i));
        tables.trend.setText(i, 0, "Item " + std::to_string(i));
        for (int j = 1; j <= kItems; ++j) {
            tables.trend.setText(i, j, vorn::numberText(((i * 7 + j * 3) % 11 - 5) * 0.1));
        }
        tables.totals.setText(vorn::kUncertaintyRow, i, "2");
    }
    trends.cats = vorn::ItemCount::number(kItems);
    trends.iter = 20;
    trends.YearbyYear(trends.cats);
    window.view()->refresh();
    window.show();
    QApplication::processEvents();

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("window.pdf")));
    for (auto _ : state) {
        QString error;
        if (!vorn::printClientArea(*window.view(), printer, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_PrintWindowToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
