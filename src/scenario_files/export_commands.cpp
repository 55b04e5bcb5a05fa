#include "scenario_files/export_commands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "scenario_files/atomic_file.h"
#include "scenario_files/default_folders.h"
#include "scenario_files/result_csv.h"
#include "shell/trends.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

const std::array<FileFilter, 3> kChartFilters{{
    {"PNG image", "*.png"},
    {"SVG drawing", "*.svg"},
    {"PDF document", "*.pdf"},
}};

constexpr std::string_view kCsvExtension = ".csv";

void showMessage(Trends& window, const std::string& text) {
    window.platform().showMessage(std::string(kWindowTitle), text);
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string extensionOf(const std::string& path) {
    return lowerCase(fs::path(path).extension().string());
}

// The filter's 0-based index; a number out of range counts as the first filter.
std::size_t chosenIndex(int filter, std::size_t count) {
    return filter >= 1 && static_cast<std::size_t>(filter) <= count
               ? static_cast<std::size_t>(filter - 1)
               : 0;
}

FileDialogRequest exportRequest(std::string proposedName, std::string title) {
    FileDialogRequest request;
    request.proposedName = std::move(proposedName);
    request.initialFolder = defaultSaveFolder();
    request.title = std::move(title);
    request.selectedFilter = 1;
    return request;
}

// The chosen path, or nothing when the dialog was cancelled or given no name.
std::optional<SaveChoice> askForFile(Trends& window, const FileDialogRequest& request) {
    std::optional<SaveChoice> choice = window.platform().saveFileChoice(request);
    if (!choice || choice->path.empty() || fs::path(choice->path).filename().empty()) {
        return std::nullopt;
    }
    return choice;
}

// ---- Charts ----

// The picture file's name: as chosen when it ends in .png, .svg or .pdf, else with the
// extension of the selected file type added.
std::string chartPath(const SaveChoice& choice) {
    const std::string extension = extensionOf(choice.path);
    for (const FileFilter& filter : kChartFilters) {
        if (extension == filter.pattern.substr(1)) {
            return choice.path;
        }
    }
    return choice.path +
           kChartFilters[chosenIndex(choice.filter, kChartFilters.size())].pattern.substr(1);
}

ChartPicture chartPicture(const Trends& window) {
    ChartPicture picture;
    picture.levels = window.chartData(Control::mscTrends);
    picture.contributions = window.chartData(Control::MscXImpacts);
    picture.spread = window.chartData(Control::MscVary);
    // The lines are named as in the window: by the Trend Matrix's row headers.
    const CellTable& trend = window.MSFlexXImpact();
    for (int row = 1; row < trend.rows(); ++row) {
        picture.itemNames.push_back(trend.text(row, 0));
    }
    picture.trendsCaption = window.text(Control::TextAnnual);
    picture.contributionsCaption = window.text(Control::TextGrowth);
    picture.spreadCaption = window.text(Control::TextVary);
    if (window.analyses().shown(AnalysisView::Bands)) {
        picture.bands = window.analyses().bands();
        picture.bandNames = window.analyses().bandNames();
    }
    picture.comparisons = window.comparisonLines();
    return picture;
}

// ---- Data ----

// The item names that head the tables: the Trend Matrix's column headers, as vorn-run
// writes them.
std::vector<std::string> itemNames(const Trends& window) {
    std::vector<std::string> names;
    for (int item = 1; item <= window.lastProjection().items; ++item) {
        names.push_back(window.MSFlexXImpact().text(0, item));
    }
    return names;
}

std::string csvText(const ResultSource& source, ResultTable table) {
    std::ostringstream out;
    writeResultCsv(out, source, table);
    return out.str();
}

// The chosen name without a .csv extension, for the names of all tables.
std::string withoutCsvExtension(const std::string& path) {
    if (extensionOf(path) == kCsvExtension) {
        return path.substr(0, path.size() - kCsvExtension.size());
    }
    return path;
}

void exportOneTable(Trends& window, const ResultSource& source, const ResultTableName& table,
                    std::string path) {
    if (fs::path(path).extension().empty()) {
        path += kCsvExtension;
    }
    if (const std::string error = writeFileAtomically(path, csvText(source, table.table));
        !error.empty()) {
        showMessage(window, "The " + std::string(table.title) +
                                " table could not be exported to \"" + path + "\": " + error +
                                ". Any earlier file of that name is unchanged.");
    }
}

// "A.csv already exists. Replace it?", or for several files the first three names and how
// many more.
std::string replaceQuestion(const std::vector<std::string>& names) {
    constexpr std::size_t kNamed = 3;
    std::string listed;
    const std::size_t named = std::min(names.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        const bool last = i + 1 == named && names.size() <= kNamed;
        listed += i == 0 ? "" : (last ? " and " : ", ");
        listed += names[i];
    }
    if (names.size() > kNamed) {
        listed += " and " + std::to_string(names.size() - kNamed) + " more";
    }
    return listed +
           (names.size() == 1 ? " already exists. Replace it?" : " already exist. Replace them?");
}

// The Save dialog asked about the name typed, which is not written: the files that are
// written and would replace others are asked about here.
bool mayReplace(Trends& window, const std::vector<FileBytes>& files) {
    std::vector<std::string> existing;
    for (const FileBytes& file : files) {
        std::error_code error;
        if (fs::exists(file.path, error)) {
            existing.push_back(fs::path(file.path).filename().string());
        }
    }
    return existing.empty() || window.platform().askToReplace(replaceQuestion(existing));
}

void exportAllTables(Trends& window, const ResultSource& source,
                     const std::vector<ResultTableName>& tables, const std::string& path) {
    const std::string base = withoutCsvExtension(path);
    std::vector<FileBytes> files;
    for (const ResultTableName& table : tables) {
        files.push_back({base + "-" + std::string(table.name) + std::string(kCsvExtension),
                         csvText(source, table.table)});
    }
    if (!mayReplace(window, files)) {
        return;
    }
    std::string failedPath;
    if (const std::string error = writeFilesAtomically(files, &failedPath); !error.empty()) {
        showMessage(window, "The tables could not be exported to \"" + failedPath + "\": " + error +
                                ". No table was written; earlier files are unchanged.");
    }
}

// The tables of every recalculation, then those of the analyses shown now, then those of the
// reference while there is one.
std::vector<ResultTableName> offeredTables(const Trends& window) {
    const AnalysisViews& analyses = window.analyses();
    const bool compared = window.comparison().reference().has_value();
    std::vector<ResultTableName> tables;
    for (const ResultTableName& table : kResultTables) {
        const bool offered =
            (table.table != ResultTable::Bands || analyses.shown(AnalysisView::Bands)) &&
            (table.table != ResultTable::Sensitivity ||
             analyses.shown(AnalysisView::Sensitivity)) &&
            (table.table != ResultTable::Influence || analyses.shown(AnalysisView::InfluenceMap)) &&
            (table.table != ResultTable::Loops || analyses.shown(AnalysisView::LoopDiagram)) &&
            ((table.table != ResultTable::Reference && table.table != ResultTable::Difference) ||
             compared);
        if (offered) {
            tables.push_back(table);
        }
    }
    return tables;
}

}  // namespace

void mnuExportCharts_Click(Trends& window) {
    FileDialogRequest request = exportRequest("Charts", "export charts");
    request.filters.assign(kChartFilters.begin(), kChartFilters.end());
    const std::optional<SaveChoice> choice = askForFile(window, request);
    if (!choice) {
        return;
    }
    const std::string path = chartPath(*choice);
    window.workOutPendingAnalyses();
    const DrawnFile drawn =
        window.platform().drawChartFile(extensionOf(path).substr(1), chartPicture(window));
    const std::string error =
        drawn.error.empty() ? writeFileAtomically(path, drawn.bytes) : drawn.error;
    if (!error.empty()) {
        showMessage(window, "The charts could not be exported to \"" + path + "\": " + error +
                                ". Any earlier file of that name is unchanged.");
    }
}

void mnuExportData_Click(Trends& window) {
    window.workOutPendingAnalyses();
    const AnalysisViews& analyses = window.analyses();
    const std::vector<ResultTableName> tables = offeredTables(window);
    FileDialogRequest request = exportRequest("Results", "export data");
    request.filters.push_back({"all tables, one file each", "*.csv", false});
    for (const ResultTableName& table : tables) {
        request.filters.push_back({std::string(table.title) + " table", "*.csv"});
    }
    const std::optional<SaveChoice> choice = askForFile(window, request);
    if (!choice) {
        return;
    }
    const std::vector<std::string> names = itemNames(window);
    ResultSource source{window.lastProjection(), names, window.chartData(Control::MscXImpacts)};
    source.bands = &analyses.bands().percent;
    source.sensitivity = &analyses.sensitivity();
    source.influence = &analyses.influence();
    source.loops = &analyses.loops();
    const std::optional<ReferenceRun>& reference = window.comparison().reference();
    NamedLevels difference;
    if (reference) {
        difference = levelDifference(namedLevels(window.lastProjection(), window.lastInput().names),
                                     reference->levels);
        source.reference = &reference->levels;
        source.difference = &difference;
    }
    const std::size_t filter = chosenIndex(choice->filter, request.filters.size());
    if (filter == 0) {
        exportAllTables(window, source, tables, choice->path);
    } else {
        exportOneTable(window, source, tables[filter - 1], choice->path);
    }
}

}  // namespace vorn
