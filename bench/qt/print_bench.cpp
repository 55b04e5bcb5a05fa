#include <benchmark/benchmark.h>
#include <QPrinter>
#include <QTemporaryDir>

#include "bench_window.h"
#include "qt/window/qt_platform.h"
#include "qt/window/trends_view.h"

namespace {

// Printing the window with 20 items and 20 runs to a PDF file: the client area drawn
// afresh, control by control, and the file written.
void BM_PrintWindowToPdf(benchmark::State& state) {
    const vorn::bench::BenchWindow bench(20, 20);

    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("window.pdf")));
    for (auto _ : state) {
        QString error;
        if (!vorn::printClientArea(*bench.window.view(), printer, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_PrintWindowToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
