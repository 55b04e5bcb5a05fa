#include "shell/trends.h"

#include <algorithm>

#include "help/help_texts.h"
#include "projection/year_by_year.h"
#include "tables/number_text.h"

namespace vorn {
namespace {

int sliderSlot(Control slider) {
    switch (slider) {
        case Control::HScrollTime:
            return 0;
        case Control::HScrollUncert:
            return 1;
        case Control::HScrollLags:
            return 2;
        default:
            return -1;
    }
}

// The bands draw from a source of their own: seeded from the window's seed when it has one,
// so that a seeded window repeats its bands too, else from the clock.
RandomSource bandSource(const RandomSource& windowSource) {
    const std::optional<std::uint64_t> seed = windowSource.seed();
    return seed ? RandomSource(*seed ^ 0x5deece66dULL) : RandomSource();
}

}  // namespace

Trends::Trends(Platform& platform, RandomSource random)
    : m_platform(platform), m_random(std::move(random)), m_analyses(bandSource(m_random)) {
    for (const ControlLayout& layout : windowLayout()) {
        m_texts[static_cast<std::size_t>(index(layout.id))] = std::string(layout.text);
        m_widths[static_cast<std::size_t>(index(layout.id))] = layout.width;
    }
    m_sliders = {sliderRange(Control::HScrollTime).value, sliderRange(Control::HScrollUncert).value,
                 sliderRange(Control::HScrollLags).value};
    const auto& design = designStacking();
    m_stacking.assign(design.begin(), design.end());
    resizeForItems(tables, 8);
}

void Trends::paint(CellTable& table, int row, int column, Rgb color) {
    table.setCurrent(row, column);
    table.setCurrentColor(color);
}

void Trends::Form_Load() {
    m_contribData = ChartTable(9, 9);
    m_trendsData = ChartTable(9, 21);
    m_spreadData = ChartTable(21, 21);
    cats = ItemCount::number(8);
    Overviews();
    Instructions();
    setText(Control::Hints, "");
    initialize();
    m_history.clear();
}

void Trends::mnuClear_Click() {
    recordStep(kClearStep, [this] { initialize(); });
}

void Trends::recordStep(std::string_view name, const std::function<void()>& change) {
    if (m_openSteps > 0) {
        change();
        return;
    }
    m_history.begin(tables, cats);
    ++m_openSteps;
    try {
        change();
    } catch (...) {
        --m_openSteps;
        m_history.rollback(tables, cats);
        throw;
    }
    --m_openSteps;
    m_history.commit(std::string(name), tables, cats);
}

void Trends::mnuUndo_Click() {
    if (m_history.undo(tables, cats)) {
        YearbyYear(cats);
    }
}

void Trends::mnuRedo_Click() {
    if (m_history.redo(tables, cats)) {
        YearbyYear(cats);
    }
}

void Trends::initialize() {
    cats = ItemCount::number(8);
    iter = 1;
    inc = 0.5;
    const int n = cats.value;
    CellTable& trend = tables.trend;
    CellTable& totals = tables.totals;
    CellTable& policy = tables.policy;

    resizeForItems(tables, n);

    BaseColor = 200;
    OtherColor = 255;
    NewColor = BaseColor;
    Shade = 0.5;
    ColorShift = 500;
    const double shaded = static_cast<int>(Shade * BaseColor);

    trend.setText(0, 0, kTrendTitle);
    totals.setText(0, 0, kTotalsTitle);
    policy.setText(0, 0, kPolicyTitle);
    totals.setText(kNetGrowthRow, 0, kNetGrowthLabel);
    totals.setText(kUncertaintyRow, 0, kUncertaintyLabel);
    totals.setText(kLagsRow, 0, kLagsLabel);
    trend.setColumnWidth(0, kLabelColumnWidth);
    totals.setColumnWidth(0, kLabelColumnWidth);
    policy.setColumnWidth(0, kLabelColumnWidth);

    const Rgb trendHeader = channelColor(kTrendChannel, shaded, OtherColor);
    const Rgb trendValue = channelColor(kTrendChannel, BaseColor, OtherColor);
    const Rgb policyHeader = channelColor(kPolicyChannel, shaded, OtherColor);
    const Rgb policyValue = channelColor(kPolicyChannel, BaseColor, OtherColor);
    const Rgb totalsHeader = channelColor(kTotalsChannel, shaded, OtherColor);
    const Rgb totalsValue = channelColor(kTotalsChannel, BaseColor, OtherColor);

    for (int i = 0; i <= n; ++i) {
        paint(trend, i, 0, trendHeader);
        paint(trend, 0, i, trendHeader);
        paint(policy, i, 0, policyHeader);
        paint(policy, 0, i, policyHeader);
        if (i != 0) {
            trend.setText(0, i, defaultItemName(i));
            const std::string& name = trend.text(0, i);
            trend.setText(i, 0, name);
            totals.setText(kNamesRow, i, name);
            policy.setText(i, 0, name);
            policy.setText(0, i, name);
        }
        for (int j = 1; j <= n; ++j) {
            trend.setText(i, j, std::string(kPercentMark));
            policy.setText(i, j, std::string(kPercentMark));
            paint(trend, i, j, trendValue);
            paint(policy, i, j, policyValue);
        }
        for (int j = 0; j <= 3; ++j) {
            paint(totals, j, i, totalsHeader);
        }
    }
    for (int i = 1; i <= n; ++i) {
        totals.setText(kNetGrowthRow, i, std::string(kPercentMark));
        totals.setText(kUncertaintyRow, i, std::string(kPercentMark));
        totals.setText(kLagsRow, i, "1");
    }
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= 3; ++j) {
            paint(totals, j, i, totalsValue);
        }
    }

    bringToFront(Control::About);
    m_hintsBorder = true;
    setText(Control::Hints, "  Hints: (Click on cells for Help)");
    YearbyYear(cats);
}

void Trends::Overviews() {
    setText(Control::Overview, overviewText());
}

void Trends::Instructions() {
    setText(Control::Instruction, instructionsText());
    setText(Control::About, creditsText());
}

int Trends::sliderValue(Control slider) const {
    const int slot = sliderSlot(slider);
    return slot < 0 ? 0 : m_sliders[static_cast<std::size_t>(slot)];
}

void Trends::HScrollLags_Change(int position) {
    const SliderRange range = sliderRange(Control::HScrollLags);
    m_sliders[2] = std::clamp(position, range.minimum, range.maximum);
    inc = m_sliders[2] / 100.0;
}

void Trends::HScrollTime_Change(int position) {
    const SliderRange range = sliderRange(Control::HScrollTime);
    m_sliders[0] = std::clamp(position, range.minimum, range.maximum);
    YearbyYear(cats);
}

void Trends::HScrollUncert_Change(int position) {
    const SliderRange range = sliderRange(Control::HScrollUncert);
    m_sliders[1] = std::clamp(position, range.minimum, range.maximum);
    YearbyYear(cats);
}

const std::string& Trends::text(Control control) const {
    return m_texts[static_cast<std::size_t>(index(control))];
}

void Trends::setText(Control control, std::string text) {
    const ControlKind kind = layoutOf(control).kind;
    if (kind != ControlKind::TextBox && kind != ControlKind::Label) {
        return;
    }
    m_texts[static_cast<std::size_t>(index(control))] = std::move(text);
    runChangeHandler(control);
}

void Trends::runChangeHandler(Control control) {
    switch (control) {
        case Control::TextAnnual:  // TextAnnual_Change
            stackOnTop(Control::MscXImpacts);
            bringToFront(Control::TextGrowth);
            break;
        case Control::TextVary:  // TextVary_Change
            bringToFront(Control::MscVary);
            bringToFront(Control::TextAnnual);
            break;
        case Control::Overview:  // Overview_Change
            bringToFront(Control::Overview);
            break;
        case Control::Instruction:  // Instruction_Change
            bringToFront(Control::Instruction);
            break;
        default:
            break;
    }
}

int Trends::width(Control control) const {
    return m_widths[static_cast<std::size_t>(index(control))];
}

void Trends::setWidth(Control control, int twips) {
    m_widths[static_cast<std::size_t>(index(control))] = twips;
}

void Trends::bringToFront(Control control) {
    stackOnTop(control);
    if (layoutOf(control).kind == ControlKind::Chart) {
        m_chartForward = control;
    }
}

void Trends::stackOnTop(Control control) {
    auto position = std::find(m_stacking.begin(), m_stacking.end(), control);
    std::rotate(m_stacking.begin(), position, position + 1);
}

bool Trends::isAbove(Control a, Control b) const {
    auto positionA = std::find(m_stacking.begin(), m_stacking.end(), a);
    auto positionB = std::find(m_stacking.begin(), m_stacking.end(), b);
    return positionA < positionB;
}

void Trends::YearbyYear(ItemCount /*cats*/) {
    ProjectionSettings settings;
    settings.horizon = sliderValue(Control::HScrollTime);
    settings.uncertaintyLevel = sliderValue(Control::HScrollUncert);
    settings.policy = Policy;
    settings.iter = iter;
    settings.lastc2 = lastc2;
    m_lastInput = prepareProjectionInput(tables, settings);
    const std::optional<std::uint64_t> seed = m_comparison.recalculationSeed(m_lastInput, m_random);
    RandomSource counterDraws = RandomSource::counterBased(seed.value_or(0));
    ProjectionResult result = project(m_lastInput, seed ? counterDraws : m_random);
    m_comparison.recalculated(m_lastInput, seed);
    writeNetGrowth(tables, result.numbers);

    setWidth(Control::TextAnnual, 5000);
    setText(Control::TextAnnual, result.trendsCaption);
    setWidth(Control::TextGrowth, 5000);
    setText(Control::TextGrowth, result.contributionsCaption);

    m_trendsData = std::move(result.levelTable);
    m_contribData = std::move(result.contribTable);
    if (iter > 1) {
        bringToFront(Control::MscVary);
        bringToFront(Control::TextVary);
    }
    m_spreadData = std::move(result.spreadTable);
    m_lastProjection = std::move(result.numbers);
    ++m_projectionCount;
    // The Spread chart lies wholly within the Scenario Trends chart: behind it, it is unseen.
    m_analyses.holdDraws(m_comparison.heldSeed());
    m_analyses.recalculated(m_lastInput, isAbove(Control::MscVary, Control::mscTrends));
}

void Trends::mnuUncertaintyBands_Click() {
    m_analyses.setShown(AnalysisView::Bands, !m_analyses.shown(AnalysisView::Bands), m_lastInput);
}

void Trends::mnuSensitivity_Click() {
    m_analyses.setShown(AnalysisView::Sensitivity, true, m_lastInput);
}

void Trends::mnuInfluenceMap_Click() {
    m_analyses.setShown(AnalysisView::InfluenceMap, true, m_lastInput);
}

void Trends::mnuLoopDiagram_Click() {
    m_analyses.setShown(AnalysisView::LoopDiagram, true, m_lastInput);
}

void Trends::analysisClosed(AnalysisView view) {
    m_analyses.setShown(view, false, m_lastInput);
}

void Trends::mnuHoldRandomDraws_Click() {
    m_comparison.setHeld(!m_comparison.held(), m_random.nextSeed(kHeldSeedLimit));
    YearbyYear(cats);
}

void Trends::mnuNewRandomDraws_Click() {
    const std::optional<std::uint64_t> before = m_comparison.heldSeed();
    std::uint64_t seed = m_random.nextSeed(kHeldSeedLimit);
    while (before == seed) {
        seed = m_random.nextSeed(kHeldSeedLimit);
    }
    m_comparison.holdNewDraws(seed);
    YearbyYear(cats);
}

void Trends::mnuSetReference_Click() {
    ReferenceRun run;
    run.levels = namedLevels(m_lastProjection, m_lastInput.names);
    run.policies = policiesApply(m_lastInput);
    run.label = RunComparison::referenceLabel(text(Control::MatrixFile), isModified());
    m_comparison.setReference(std::move(run));
}

void Trends::mnuClearReference_Click() {
    m_comparison.clearReference();
}

void Trends::mnuTrendsWithoutPolicies_Click() {
    const bool shown = !m_comparison.withoutPoliciesShown();
    m_comparison.setWithoutPoliciesShown(shown);
    if (shown) {
        YearbyYear(cats);
    }
}

std::vector<ComparisonLines> Trends::comparisonLines() const {
    return m_comparison.chartLines(m_lastProjection, m_lastInput.names);
}

int Trends::chartItems() const {
    // The Contributions table has a row for every item and one for the fluctuations.
    return std::max(m_contribData.rows() - 2, 0);
}

int Trends::seriesCount(Control chart) const {
    switch (chart) {
        case Control::MscXImpacts:
            return std::max(m_contribData.rows() - 1, 0);
        case Control::MscVary: {
            int runs = 0;
            while (runs + 1 < m_spreadData.rows() && m_spreadData.columns() > 0 &&
                   m_spreadData.number(runs + 1, 0) != nullptr) {
                ++runs;
            }
            return runs;
        }
        default:
            return chartItems();
    }
}

void Trends::legendEntry_Click(Control chart, int series) {
    if (series >= 0 && series < seriesCount(chart)) {
        m_highlight.click(chart, series, chartItems());
    }
}

void Trends::stepHighlight(Control chart, bool forward) {
    m_highlight.step(chart, forward, seriesCount(chart), chartItems());
}

SeriesEmphasis Trends::seriesEmphasis(Control chart, int series) const {
    return m_highlight.emphasis(chart, series, seriesCount(chart), chartItems());
}

const CellTable& Trends::gridTable(Control grid) const {
    switch (grid) {
        case Control::MSFlexPolicy:
            return tables.policy;
        case Control::MSFlexXImpact:
            return tables.trend;
        default:
            return tables.totals;
    }
}

CellTable& Trends::gridTable(Control grid) {
    return const_cast<CellTable&>(static_cast<const Trends&>(*this).gridTable(grid));
}

const ChartTable& Trends::chartData(Control chart) const {
    switch (chart) {
        case Control::MscXImpacts:
            return m_contribData;
        case Control::MscVary:
            return m_spreadData;
        default:
            return m_trendsData;
    }
}

}  // namespace vorn
