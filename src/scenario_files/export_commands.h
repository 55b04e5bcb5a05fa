#pragma once

namespace vorn {

class Trends;

/// File > Export Charts...: asks for a PNG, SVG or PDF file and draws the three charts there
/// with their captions, as the window shows them. A name without one of those extensions
/// gets the one of the selected file type.
void mnuExportCharts_Click(Trends& window);

/// File > Export Data...: asks for a CSV file and, by the selected file type, writes one
/// table of the last recalculation there (levels, contributions, spread or Net Growth, and
/// the bands, sensitivity, influence and loops tables of the analyses shown now, the reference
/// and the difference from it while a reference is set), or all of them beside each other as
/// NAME-levels.csv, NAME-contributions.csv, NAME-spread.csv, NAME-netgrowth.csv and
/// NAME-bands.csv and so on.
void mnuExportData_Click(Trends& window);

}  // namespace vorn
