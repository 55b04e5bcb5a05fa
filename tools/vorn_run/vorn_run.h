#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "vorn_run/batch_run.h"

namespace vorn::batch {

/// Draws the three charts of a result into an image file; returns false with a message in
/// `error` when the file cannot be written.
using ChartDrawer =
    std::function<bool(const std::string& path, const BatchResult& result, std::string* error)>;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file cannot be read or written
inline constexpr int kExitUsage = 2;

/// The whole program: reads the arguments (without the program name), runs the scenario and
/// writes the result to `out` or the output file; messages go to `err`. `drawChart` serves
/// --chart; without it --chart is refused. Returns the exit status.
int runVornRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               const ChartDrawer& drawChart);

/// Writes a file through `write`: into a temporary file beside it that replaces it only when
/// everything was written, so a failure leaves an earlier file whole. A path that names
/// something other than a regular file (a pipe, a device) is written directly.
bool writeFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write,
                     std::string* error);

}  // namespace vorn::batch
