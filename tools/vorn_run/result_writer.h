#pragma once

#include <ostream>

#include "vorn_run/batch_run.h"
#include "vorn_run/run_options.h"

namespace vorn::batch {

/// Writes the whole result as one JSON object. Numbers are written as the tables show
/// them (15 significant digits), non-finite numbers as null; the text goes to `out` in
/// pieces, never as one string of the whole output.
void writeJson(std::ostream& out, const BatchResult& result);

/// Writes one table as CSV: a header line, then one line per row, lines ending in LF.
void writeCsv(std::ostream& out, const BatchResult& result, CsvTable table);

}  // namespace vorn::batch
