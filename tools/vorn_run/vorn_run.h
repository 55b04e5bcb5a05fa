#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "vorn_run/batch_run.h"

namespace vorn::batch {

/// Draws the three charts of a result as the bytes of a file of `type` ("png", "svg" or
/// "pdf"); returns false with a message in `error` when they cannot be drawn.
using ChartDrawer = std::function<bool(const std::string& type, const BatchResult& result,
                                       std::string* bytes, std::string* error)>;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file cannot be read or written
inline constexpr int kExitUsage = 2;

/// The whole program: reads the arguments (without the program name), runs the scenario and
/// writes the result to `out` or the output file; messages go to `err`. `drawChart` serves
/// --chart; without it --chart is refused. Returns the exit status.
int runVornRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const ChartDrawer& drawChart);

}  // namespace vorn::batch
