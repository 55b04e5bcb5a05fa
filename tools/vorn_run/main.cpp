#include <iostream>
#include <string>
#include <vector>

#include "vorn_run/vorn_run.h"

#ifdef VORN_RUN_CHARTS
#include "qt/charts/offscreen_charts.h"
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    vorn::batch::ChartDrawer drawChart;
#ifdef VORN_RUN_CHARTS
    vorn::OffscreenCharts charts;
    drawChart = [&charts](const std::string& type, const vorn::batch::BatchResult& result,
                          std::string* bytes, std::string* error) {
        return charts.draw(type, result.projection, result.itemNames, result.spreadCaption, bytes,
                           error);
    };
#endif
    return vorn::batch::runVornRun(args, std::cout, std::cerr, drawChart);
}
