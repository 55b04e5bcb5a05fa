#include "qt/window/trends_view.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <algorithm>
#include <exception>

#include "editing/announcements.h"
#include "editing/click_handlers.h"
#include "editing/screen_reader.h"
#include "editing/typed_entry.h"
#include "qt/charts/bar_chart_view.h"
#include "qt/charts/chart_style.h"
#include "qt/charts/line_chart_view.h"
#include "qt/window/accessibility.h"
#include "qt/window/announcer.h"
#include "qt/window/elided_label.h"
#include "qt/window/focus_ring.h"
#include "qt/window/grid_view.h"
#include "qt/window/slider_bar.h"
#include "qt/window/system_colors.h"
#include "qt/window/text_box.h"
#include "shell/design_colors.h"
#include "shell/keyboard_regions.h"
#include "shell/slider_value_text.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// The controls were laid out for an 8.25 point font.
constexpr double kDesignPoints = 8.25;
// Font sizes are tried in these steps, down to the smallest.
constexpr double kPointStep = 0.25;
constexpr double kSmallestPoints = 3.0;

/// The largest size of `font`, down from its own, at which every line fits `room` (its
/// width for the text, its height for one line).
double fittingPoints(QFont font, const std::vector<std::string_view>& lines, QSize room) {
    for (;;) {
        const QFontMetrics metrics(font);
        bool fits = metrics.lineSpacing() <= room.height();
        for (std::string_view line : lines) {
            fits = fits && metrics.horizontalAdvance(QString::fromUtf8(
                               line.data(), static_cast<qsizetype>(line.size()))) <= room.width();
        }
        if (fits || font.pointSizeF() - kPointStep < kSmallestPoints) {
            return font.pointSizeF();
        }
        font.setPointSizeF(font.pointSizeF() - kPointStep);
    }
}

bool isSliderCaption(const ControlLayout& layout) {
    return layout.kind == ControlKind::TextBox && !layout.multiLine;
}

GridLook gridLook(Control grid) {
    switch (grid) {
        case Control::MSFlexPolicy:
            return {QColor(255, 128, 128), QColor(255, 0, 0), true};
        case Control::MSFlexXImpact:
            return {QColor(192, 255, 255), QColor(128, 255, 255), true};
        default:
            return {QColor(192, 255, 192), QColor(128, 255, 128), false};
    }
}

/// Text lines at the top of `chart` that the caption box `caption` lies over.
double captionLines(Control chart, Control caption) {
    const int covered =
        TrendsView::designRect(caption).bottom() - TrendsView::designRect(chart).top() + 1;
    const int lineSpacing = QFontMetrics(TrendsView::designFont()).lineSpacing();
    return covered > 0 ? covered / static_cast<double>(std::max(lineSpacing, 1)) : 0.0;
}

/// Shares of `back`'s width left and right of `front`, which lies over it.
std::pair<double, double> uncoveredSides(Control back, Control front) {
    const ControlLayout& under = layoutOf(back);
    const ControlLayout& over = layoutOf(front);
    const double width = std::max(under.width, 1);
    return {(over.left - under.left) / width,
            (under.left + under.width - over.left - over.width) / width};
}

QString qText(const std::string& text) {
    return charts::fromTableText(text);
}

}  // namespace

TrendsView::TrendsView(Trends& trends, QWidget* parent) : QWidget(parent), m_trends(trends) {
    applyDesignColors();
    installAccessibility();
    setObjectName(QStringLiteral("Trends"));
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, systemColor(SystemColor::InfoBackground, colors));
    setPalette(colors);
    setFont(designFont());
    for (const ControlLayout& layout : windowLayout()) {
        build(layout);
    }
    applyTabOrder();
    for (std::size_t i = 0; i < m_sliderValues.size(); ++i) {
        static const char* const kNames[] = {"TimeHorizonValue", "UncertaintyValue", "ChangeValue"};
        auto* words = new QLabel(this);
        words->setObjectName(QString::fromLatin1(kNames[i]));
        words->setWordWrap(true);
        words->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        words->hide();  // the design shows them as tooltips only
        m_sliderValues[i] = words;
    }
    m_announcer = new Announcer(this);
    m_focusRing = new FocusRing(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* /*old*/, QWidget* now) { focusChanged(now); });
    for (const auto& [key, forward] : {std::pair{QKeySequence(Qt::Key_F6), true},
                                       std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), false}}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, forward] { jumpRegion(forward); });
    }
    setZoom(m_zoom);
    focusFirstControl();
    refresh();
}

std::optional<Control> TrendsView::controlOf(const QWidget* widget) const {
    for (; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        const auto found = std::find(m_widgets.begin(), m_widgets.end(), widget);
        if (found != m_widgets.end()) {
            return static_cast<Control>(found - m_widgets.begin());
        }
    }
    return std::nullopt;
}

void TrendsView::jumpRegion(bool forward) {
    const std::optional<Control> focused = controlOf(QApplication::focusWidget());
    const Region region = focused ? nextRegion(regionOf(*focused), forward)
                                  : (forward ? Region::Sliders : Region::HelpPanes);
    const Control entry =
        m_places ? presentationRegionEntry(m_trends, region) : regionEntry(m_trends, region);
    widget(entry)->setFocus(Qt::ShortcutFocusReason);
}

void TrendsView::focusChanged(QWidget* now) {
    const std::optional<Control> focused = controlOf(now);
    const bool textBox = focused && layoutOf(*focused).kind == ControlKind::TextBox;
    m_focusRing->follow(textBox ? widget(*focused) : nullptr);
}

void TrendsView::focusFirstControl() {
    const auto& layout = windowLayout();
    const auto first = std::min_element(
        layout.begin(), layout.end(),
        [](const ControlLayout& a, const ControlLayout& b) { return a.tabIndex < b.tabIndex; });
    widget(first->id)->setFocus(Qt::OtherFocusReason);
}

void TrendsView::setZoom(const Zoom& zoom) {
    const bool leaving = m_places.has_value();
    m_zoom = zoom;
    m_places.reset();
    m_presentation.setOn(false);
    if (leaving) {
        for (const ControlLayout& layout : windowLayout()) {
            widget(layout.id)->show();
        }
        for (QLabel* words : m_sliderValues) {
            words->hide();
        }
        m_contributions->setWholeLabelsOnly(false);
        for (Control pane : {Control::Overview, Control::Instruction, Control::About}) {
            static_cast<TextBox*>(widget(pane))->setBorder(false);
        }
        static_cast<TextBox*>(widget(Control::Hints))
            ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    setFont(designFont(zoom));
    applyDesignChartFrames(zoom);
    for (const ControlLayout& layout : windowLayout()) {
        if (layout.kind == ControlKind::Chart) {
            continue;  // placed with their frames
        }
        QRect place = designRect(layout.id, zoom);
        if (layout.kind == ControlKind::TextBox || layout.kind == ControlKind::Label) {
            place.setWidth(zoom.pixels(m_trends.width(layout.id)));
        }
        widget(layout.id)->setGeometry(place);
    }
    for (Control control : {Control::MSFlexPolicy, Control::MSFlexXImpact, Control::MSFlexTotals}) {
        grid(control)->setZoom(zoom);
    }
    fitCaptionFonts();
    setFixedSize(designSize(zoom));
    if (leaving) {
        m_shownStacking.clear();  // the layout raised its captions over the charts
    }
    refreshStacking();
    emit zoomed();
    if (leaving) {
        emit presentationChanged(false);
    }
}

void TrendsView::showPresentation(QSize area, QSize screen) {
    const bool entering = !m_places.has_value();
    m_presentationArea = area;
    m_presentationScreen = screen;
    m_presentation.setOn(true);
    if (entering) {
        m_places.emplace();  // none applied yet: everything is placed
        m_places->area = {-1, -1};
    }
    applyPresentation();
    if (entering) {
        refresh();  // charts that were behind others in the design are seen now
        emit presentationChanged(true);
    }
}

std::optional<PresentationPlaces> TrendsView::presentationNow() {
    if (!m_places) {
        return std::nullopt;
    }
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const PresentationMetrics metrics = presentationMetrics(
        {m_presentationScreen.width(), m_presentationScreen.height()}, scrollBar);
    if (!(metrics == m_places->metrics) || m_places->area.width < 0) {
        applyPresentationFonts(metrics);  // the tables' rows depend on them
    }
    int panels = 0;
    for (const QPointer<QWidget>& panel : m_panels) {
        panels += panel != nullptr ? 1 : 0;
    }
    int topRowLines = 1;
    for (Control id : {Control::MSFlexPolicy, Control::MSFlexXImpact, Control::MSFlexTotals}) {
        topRowLines = std::max(topRowLines, grid(id)->topRowLines());
    }
    return presentationLayout(
        {m_presentationArea.width(), m_presentationArea.height()}, metrics,
        presentationInput(m_trends, m_presentation.drawer(), panels, topRowLines));
}

void TrendsView::applyPresentation() {
    if (!m_places) {
        return;
    }
    // New fonts and places: each chart laid out once, at the end.
    holdCharts(true);
    const std::optional<PresentationPlaces> places = presentationNow();
    const bool changed = !(*places == *m_places);
    const bool newFonts = !(places->metrics == m_places->metrics) || m_places->area.width < 0;
    if (changed) {
        *m_places = *places;
        placeForPresentation(*places);
    }
    holdCharts(false);
    if (changed && newFonts) {
        emit zoomed();
    }
}

void TrendsView::holdCharts(bool hold, bool held) {
    if (!hold && !held) {
        return;
    }
    for (Control id : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        chartView(id)->hold(hold);
    }
}

void TrendsView::applyPresentationFonts(const PresentationMetrics& metrics) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(metrics.textPixels);
    setFont(font);
    for (const ControlLayout& layout : windowLayout()) {
        widget(layout.id)->setFont(QFont());  // the view's font, not the design's fitted one
    }
    for (Control id : {Control::MSFlexPolicy, Control::MSFlexXImpact, Control::MSFlexTotals}) {
        grid(id)->setPresentation(metrics);
    }
    // A hint longer than the strip scrolls rather than being cut.
    static_cast<TextBox*>(widget(Control::Hints))
        ->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TrendsView::placeForPresentation(const PresentationPlaces& places) {
    setFixedSize(places.area.width, places.area.height);
    for (const ControlLayout& layout : windowLayout()) {
        QWidget* control = widget(layout.id);
        const PixelRect& place = places.place(layout.id);
        if (place.isEmpty()) {
            control->hide();
            continue;
        }
        if (layout.kind != ControlKind::Chart) {
            control->setGeometry(place.left, place.top, place.width, place.height);
        }
        control->show();
    }
    for (std::size_t i = 0; i < m_sliderValues.size(); ++i) {
        const PixelRect& place = places.sliderValues[i];
        m_sliderValues[i]->setGeometry(place.left, place.top, place.width, place.height);
        m_sliderValues[i]->show();
    }
    // The chart in the large place names its series; the small ones beside it go without a
    // legend and leave out names that they could not show whole.
    const double lineSpacing = std::max(QFontMetrics(font()).lineSpacing(), 1);
    for (Control id : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        const bool large = id == places.largeChart;
        ChartFrame frame;
        frame.captionLines = places.place(chartCaption(id)).height / lineSpacing;
        frame.legendShown = large;
        // Large, the legend keeps a text close to the others'.
        frame.smallestLegendFactor = large ? 0.9 : ChartFrame::kSmallestLegendFactor;
        const PixelRect& place = places.place(id);
        chartView(id)->setFrame(frame, QRect(place.left, place.top, place.width, place.height));
    }
    m_contributions->setWholeLabelsOnly(places.largeChart != Control::MscXImpacts);
    // The drawer's pane stands out from what it lies over.
    for (Control pane : {Control::Overview, Control::Instruction, Control::About}) {
        static_cast<TextBox*>(widget(pane))->setBorder(places.shown(pane));
    }
    std::size_t slot = 0;
    for (const QPointer<QWidget>& panel : m_panels) {
        if (panel != nullptr && slot < places.panels.size()) {
            const PixelRect& place = places.panels[slot++];
            panel->setGeometry(place.left, place.top, place.width, place.height);
        }
    }
    raiseOverlays();
    refreshFocusPolicies();
}

void TrendsView::raiseOverlays() {
    if (m_places) {
        // Each caption lies over the top edge of its chart, whichever the design has in front.
        for (Control caption : {Control::TextAnnual, Control::TextGrowth, Control::TextVary}) {
            widget(caption)->raise();
        }
    }
    for (const QPointer<QWidget>& panel : m_panels) {
        if (panel != nullptr) {
            panel->raise();
        }
    }
    if (m_places && m_presentation.drawer()) {
        widget(*m_presentation.drawer())->raise();
    }
    if (m_focusRing != nullptr && m_focusRing->target() != nullptr) {
        m_focusRing->raise();
    }
}

void TrendsView::helpAsked(Control pane) {
    const std::optional<Control> before = m_presentation.drawer();
    m_presentation.helpAsked(pane);
    if (m_presentation.drawer() && m_presentation.drawer() != before) {
        // Shown once the layout is applied after the command; the keyboard goes to it.
        applyPresentation();
        widget(*m_presentation.drawer())->setFocus(Qt::OtherFocusReason);
    }
}

void TrendsView::addSidePanel(QWidget* panel) {
    if (std::find(m_panels.begin(), m_panels.end(), panel) == m_panels.end()) {
        m_panels.emplace_back(panel);
    }
    applyPresentation();
}

void TrendsView::removeSidePanel(QWidget* panel) {
    m_panels.erase(std::remove_if(m_panels.begin(), m_panels.end(),
                                  [panel](const QPointer<QWidget>& shown) {
                                      return shown == nullptr || shown == panel;
                                  }),
                   m_panels.end());
    applyPresentation();
}

QLabel* TrendsView::sliderValueLabel(Control slider) const {
    switch (slider) {
        case Control::HScrollTime:
            return m_sliderValues[0];
        case Control::HScrollUncert:
            return m_sliderValues[1];
        case Control::HScrollLags:
            return m_sliderValues[2];
        default:
            return nullptr;
    }
}

void TrendsView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        run([this] { escapePressed(m_trends, m_presentation); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void TrendsView::applyDesignChartFrames(const Zoom& zoom) {
    for (Control id : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        ChartFrame frame;
        if (id == Control::mscTrends) {
            // The narrower Spread chart lies over it: nothing of it shows at its edges then.
            const auto [left, right] = uncoveredSides(id, Control::MscVary);
            frame.leftShare = left;
            frame.rightShare = right;
        } else {
            frame.captionLines = captionLines(id, chartCaption(id));
        }
        chartView(id)->setFrame(frame, designRect(id, zoom));
    }
}

ChartView* TrendsView::chartView(Control chart) const {
    if (chart == Control::MscXImpacts) {
        return m_contributions;
    }
    return lineChart(chart);
}

void TrendsView::fitCaptionFonts() {
    std::array<std::vector<std::string_view>, kControlCount> lines;
    for (const OneLineText& text : oneLineDesignTexts()) {
        lines[static_cast<std::size_t>(index(text.control))].push_back(text.line);
    }
    const QFont base = font();
    std::array<double, kControlCount> points{};
    double sliderCaptionPoints = base.pointSizeF();
    for (const ControlLayout& layout : windowLayout()) {
        const auto& boxLines = lines[static_cast<std::size_t>(index(layout.id))];
        if (boxLines.empty()) {
            continue;
        }
        // The design width, not the width the program may give the box later.
        const QSize box = designRect(layout.id, m_zoom).size();
        const QSize room = layout.kind == ControlKind::TextBox
                               ? static_cast<TextBox*>(widget(layout.id))->lineRoom(box)
                               : box;
        double& fitting = points[static_cast<std::size_t>(index(layout.id))];
        fitting = fittingPoints(base, boxLines, room);
        if (isSliderCaption(layout)) {
            sliderCaptionPoints = std::min(sliderCaptionPoints, fitting);
        }
    }
    for (const ControlLayout& layout : windowLayout()) {
        if (lines[static_cast<std::size_t>(index(layout.id))].empty()) {
            continue;
        }
        QFont fitted = base;
        fitted.setPointSizeF(isSliderCaption(layout)
                                 ? sliderCaptionPoints
                                 : points[static_cast<std::size_t>(index(layout.id))]);
        widget(layout.id)->setFont(fitted);
    }
}

void TrendsView::applyTabOrder() {
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& layout : windowLayout()) {
        order.push_back(&layout);
    }
    std::sort(order.begin(), order.end(), [](const ControlLayout* a, const ControlLayout* b) {
        return a->tabIndex < b->tabIndex;
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(widget(order[i - 1]->id), widget(order[i]->id));
    }
}

QFont TrendsView::designFont(const Zoom& zoom) {
    // The platform's own font, no larger than the design's.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const double points =
        font.pointSizeF() > 0 ? std::min(font.pointSizeF(), kDesignPoints) : kDesignPoints;
    font.setPointSizeF(zoom.points(points));
    return font;
}

QRect TrendsView::designRect(Control control, const Zoom& zoom) {
    const ControlLayout& layout = layoutOf(control);
    return {zoom.pixels(layout.left), zoom.pixels(layout.top), zoom.pixels(layout.width),
            zoom.pixels(layout.height)};
}

QSize TrendsView::designSize(const Zoom& zoom) {
    const PixelSize size = zoom.clientSize();
    return {size.width, size.height};
}

void TrendsView::build(const ControlLayout& layout) {
    QWidget* widget = nullptr;
    switch (layout.kind) {
        case ControlKind::TextBox:
            widget = makeTextBox(layout);
            break;
        case ControlKind::Slider:
            widget = makeSlider(layout);
            break;
        case ControlKind::Label:
            widget = makeLabel(layout);
            break;
        case ControlKind::Grid:
            widget = makeGrid(layout);
            break;
        case ControlKind::Chart:
            widget = makeChart(layout);
            break;
    }
    widget->setObjectName(
        QString::fromUtf8(layout.name.data(), static_cast<qsizetype>(layout.name.size())));
    widget->setAccessibleName(qText(vorn::accessibleName(m_trends, layout.id)));
    widget->setGeometry(designRect(layout.id));
    m_widgets[static_cast<std::size_t>(index(layout.id))] = widget;
    m_focusPolicies[static_cast<std::size_t>(index(layout.id))] = widget->focusPolicy();
}

QWidget* TrendsView::makeTextBox(const ControlLayout& layout) {
    auto* box = new TextBox(layout.multiLine, layout.verticalScrollBar, this);
    QPalette colors = box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colors.setColor(group, QPalette::Base, systemColor(layout.background, palette()));
        colors.setColor(group, QPalette::Text, systemColor(layout.textColor, palette()));
        colors.setColor(group, QPalette::WindowText,
                        systemColor(SystemColor::WindowText, palette()));
    }
    box->setPalette(colors);
    const Control id = layout.id;
    connect(box, &TextBox::edited, this,
            [this, id](const std::string& text) { run([&] { m_trends.setText(id, text); }); });
    return box;
}

QWidget* TrendsView::makeSlider(const ControlLayout& layout) {
    const Control id = layout.id;
    auto* slider = new SliderBar(
        [this, id](int position) {
            return QString::fromStdString(sliderValueText(id, position, m_trends.inc));
        },
        this);
    const SliderRange range = sliderRange(layout.id);
    slider->setRange(range.minimum, range.maximum);
    slider->setSingleStep(range.smallStep);
    slider->setPageStep(range.largeStep);
    slider->setValue(m_trends.sliderValue(layout.id));
    // The handler runs once the position has changed: at once for arrows and trough, at the
    // release of a dragged thumb.
    slider->setTracking(false);
    connect(slider, &QScrollBar::valueChanged, this,
            [this, id](int position) { sliderMoved(id, position); });
    if (designColorsInForce()) {
        slider->setThumbColor(qColor(kDesignSliderThumb));
    }
    return slider;
}

QWidget* TrendsView::makeLabel(const ControlLayout& layout) {
    auto* label = new ElidedLabel(this);
    label->setAutoFillBackground(true);
    QPalette colors = label->palette();
    colors.setColor(QPalette::Window, systemColor(layout.background, palette()));
    colors.setColor(QPalette::WindowText, systemColor(layout.textColor, palette()));
    label->setPalette(colors);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* TrendsView::makeGrid(const ControlLayout& layout) {
    auto* grid = new GridView(m_trends.gridTable(layout.id), gridLook(layout.id), this);
    const Control id = layout.id;
    connect(grid, &GridView::cellPressed, this,
            [this, id](int row, int column, int button) { gridPressed(id, row, column, button); });
    grid->setToolTipText(
        [this, id](int row, int column) { return qText(cellToolTip(m_trends, id, row, column)); });
    connect(grid, &GridView::entryKeyPressed, this,
            [this, id](int row, int column, const QString& text) {
                entryKeyPressed(id, row, column, text);
            });
    // Every handler commits the open entry first; this one has nothing else to do.
    connect(grid, &GridView::entryCommitted, this, [this] { run([] {}); });
    connect(grid, &GridView::entryCommittedMoving, this,
            [this, id](CellMove move) { cellKeyMoved(id, move); });
    connect(grid, &GridView::backgroundPressed, this, [this, id] { gridBackgroundPressed(id); });
    connect(grid, &GridView::cellKeyMoved, this,
            [this, id](CellMove move) { cellKeyMoved(id, move); });
    connect(grid, &GridView::cellKeyClicked, this,
            [this, id](int button) { run([&] { clickCurrentCell(m_trends, id, button); }); });
    connect(grid, &GridView::cellMenuRequested, this, [this, id] { showCellMenu(id); });
    connect(grid, &GridView::focusedByKeyboard, this,
            [this, id] { run([&] { focusGrid(m_trends, id); }); });
    return grid;
}

QWidget* TrendsView::makeChart(const ControlLayout& layout) {
    const Control id = layout.id;
    ChartView* chart = nullptr;
    if (id == Control::MscXImpacts) {
        m_contributions = new BarChartView(this);
        chart = m_contributions;
        connect(chart, &ChartView::clicked, this,
                [this] { run([this] { MscXImpacts_Click(m_trends); }); });
    } else if (id == Control::mscTrends) {
        m_levels = new LineChartView(this);
        chart = m_levels;
        connect(chart, &ChartView::clicked, this,
                [this] { run([this] { mscTrends_Click(m_trends); }); });
    } else {
        m_spread = new LineChartView(this);
        chart = m_spread;
        connect(chart, &ChartView::clicked, this,
                [this] { run([this] { MscVary_Click(m_trends); }); });
    }
    connect(chart, &ChartView::legendEntryClicked, this, [this, id, chart](int entry) {
        const int series = chart->legendSeries(entry);
        if (series >= 0) {
            run([&] { m_trends.legendEntry_Click(id, series); });
        }
    });
    connect(chart, &ChartView::highlightStepped, this,
            [this, id](bool forward) { run([&] { m_trends.stepHighlight(id, forward); }); });
    return chart;
}

GridView* TrendsView::grid(Control control) const {
    return layoutOf(control).kind == ControlKind::Grid ? static_cast<GridView*>(widget(control))
                                                       : nullptr;
}

LineChartView* TrendsView::lineChart(Control control) const {
    if (control == Control::mscTrends) {
        return m_levels;
    }
    return control == Control::MscVary ? m_spread : nullptr;
}

void TrendsView::sliderMoved(Control slider, int position) {
    run([&] {
        switch (slider) {
            case Control::HScrollTime:
                m_trends.HScrollTime_Change(position);
                break;
            case Control::HScrollUncert:
                m_trends.HScrollUncert_Change(position);
                break;
            default:
                m_trends.HScrollLags_Change(position);
                break;
        }
    });
}

void TrendsView::gridPressed(Control grid, int row, int column, int button) {
    run([&] {
        m_trends.gridTable(grid).setCurrent(row, column);
        clickCurrentCell(m_trends, grid, button);
    });
}

void TrendsView::cellKeyMoved(Control id, CellMove move) {
    GridView* view = grid(id);
    run([&] { moveCurrentCell(m_trends, id, move, view->pageRows()); });
    view->showCurrentCell();
}

void TrendsView::showCellMenu(Control id) {
    const std::vector<CellAction> actions = cellActions(m_trends, id);
    if (actions.empty()) {
        return;
    }
    delete m_cellMenu;
    m_cellMenu = new QMenu(this);
    m_cellMenu->setObjectName(QStringLiteral("CellMenu"));
    m_cellMenu->setAccessibleName(qText(vorn::accessibleName(m_trends, id)));
    for (const CellAction& action : actions) {
        QAction* entry = m_cellMenu->addAction(qText(action.name));
        entry->setEnabled(action.enabled);
        connect(entry, &QAction::triggered, this,
                [this, id, action] { run([&] { runCellAction(m_trends, id, action); }); });
    }
    GridView* view = grid(id);
    view->showCurrentCell();
    const CellTable& table = m_trends.gridTable(id);
    const QRect cell = view->cellRect(table.currentRow(), table.currentColumn());
    const QPoint at = cell.isEmpty() ? QPoint(0, 0) : cell.bottomLeft();
    m_cellMenu->popup(view->viewport()->mapToGlobal(at));
}

void TrendsView::entryKeyPressed(Control id, int row, int column, const QString& text) {
    const bool f2 = text.isEmpty();
    switch (entryStart(m_trends, id, row, column, f2)) {
        case EntryStart::Editor:
            run([&] {
                // F2 offers the old number selected, so that typing replaces it.
                grid(id)->openEditor(
                    row, column,
                    f2 ? QString::fromStdString(entryStartText(m_trends, id, row, column)) : text,
                    f2);
            });
            break;
        case EntryStart::ItemNameBox:
            run([&] { renameFromKey(m_trends, row, column); });
            break;
        case EntryStart::None:
            break;
    }
}

bool TrendsView::finishEntries() {
    for (Control id : {Control::MSFlexXImpact, Control::MSFlexTotals, Control::MSFlexPolicy}) {
        GridView* view = grid(id);
        if (!view->editorOpen()) {
            continue;
        }
        const EntryOutcome outcome =
            commitEntry(m_trends, id, view->editorRow(), view->editorColumn(),
                        view->editorText().toStdString());
        if (outcome == EntryOutcome::Refused) {
            view->focusEditor();
            return false;
        }
        view->closeEditor();
    }
    return true;
}

void TrendsView::gridBackgroundPressed(Control grid) {
    run([&] { clickGridBackground(m_trends, grid); });
}

void TrendsView::run(const std::function<void()>& handler) {
    const WindowGlance before = glance(m_trends);
    try {
        if (finishEntries()) {
            handler();
        }
    } catch (const std::exception& failure) {
        m_trends.platform().showMessage(
            std::string(kWindowTitle),
            std::string("The command could not be completed: ") + failure.what());
    }
    refresh();
    m_announcer->announce(qText(announcement(before, m_trends)));
}

void TrendsView::refresh() {
    // A handler can open a dialog whose event loop delivers further events; one refresh at a
    // time is enough, the outer one catches up at the end.
    if (m_running) {
        return;
    }
    m_running = true;
    for (Control control : {Control::MSFlexPolicy, Control::MSFlexXImpact, Control::MSFlexTotals}) {
        grid(control)->refresh();
    }
    refreshTexts();
    refreshSliders();
    refreshStacking();
    // Charts about to take new places take their new data without drawing it: laid out anew,
    // they draw it once.
    const std::optional<PresentationPlaces> places = presentationNow();
    const bool moving = places && !(*places == *m_places);
    holdCharts(moving);
    refreshCharts();
    applyPresentation();
    holdCharts(false, moving);
    refreshEmphasis();
    refreshAccessibleTexts();
    m_running = false;
    emit refreshed();
}

void TrendsView::refreshTexts() {
    for (const ControlLayout& layout : windowLayout()) {
        QWidget* control = widget(layout.id);
        if (layout.kind == ControlKind::TextBox) {
            static_cast<TextBox*>(control)->showText(m_trends.text(layout.id));
        } else if (layout.kind == ControlKind::Label) {
            auto* label = static_cast<QLabel*>(control);
            const QString text = charts::fromTableText(m_trends.text(layout.id));
            if (label->text() != text) {
                label->setText(text);
                label->setToolTip(text);  // a long file path does not fit the label
            }
        } else {
            continue;
        }
        if (m_places) {
            continue;  // the presentation layout gives every box its width
        }
        const int width = m_zoom.pixels(m_trends.width(layout.id));
        if (control->width() != width) {
            control->resize(width, control->height());
        }
    }
    static_cast<TextBox*>(widget(Control::Hints))->setBorder(m_trends.hintsBorder());
}

void TrendsView::refreshSliders() {
    for (Control id : {Control::HScrollTime, Control::HScrollUncert, Control::HScrollLags}) {
        auto* slider = static_cast<QScrollBar*>(widget(id));
        const int value = m_trends.sliderValue(id);
        if (slider->value() != value && !slider->isSliderDown()) {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
        }
        const QString words = QString::fromStdString(sliderValueText(id, value, m_trends.inc));
        QLabel* shown = sliderValueLabel(id);
        if (shown->text() != words) {
            shown->setText(words);
        }
    }
}

void TrendsView::refreshStacking() {
    const std::vector<Control>& stacking = m_trends.stacking();
    if (stacking == m_shownStacking) {
        return;
    }
    for (auto control = stacking.rbegin(); control != stacking.rend(); ++control) {
        widget(*control)->raise();
    }
    m_shownStacking = stacking;
    raiseOverlays();
    refreshFocusPolicies();
}

void TrendsView::refreshFocusPolicies() {
    for (const ControlLayout& layout : windowLayout()) {
        if (layout.kind != ControlKind::TextBox && layout.kind != ControlKind::Chart) {
            continue;
        }
        QWidget* control = widget(layout.id);
        const Qt::FocusPolicy wanted =
            hiddenBehindAnother(layout.id)
                ? Qt::NoFocus
                : m_focusPolicies[static_cast<std::size_t>(index(layout.id))];
        if (control->focusPolicy() != wanted) {
            control->setFocusPolicy(wanted);
        }
    }
}

void TrendsView::refreshAccessibleTexts() {
    for (Control id : {Control::MSFlexPolicy, Control::MSFlexXImpact, Control::MSFlexTotals,
                       Control::MscXImpacts, Control::mscTrends, Control::MscVary}) {
        QWidget* control = widget(id);
        const QString name = qText(vorn::accessibleName(m_trends, id));
        if (control->accessibleName() != name) {
            control->setAccessibleName(name);
        }
        if (layoutOf(id).kind != ControlKind::Chart) {
            continue;
        }
        const QString description = qText(chartDescription(m_trends, id));
        if (control->accessibleDescription() != description) {
            control->setAccessibleDescription(description);
        }
    }
}

bool TrendsView::hiddenBehindAnother(Control control) const {
    QRect place = widget(control)->geometry();
    if (const auto* chart = qobject_cast<const ChartView*>(widget(control))) {
        place = chart->drawnArea();  // its blank edges may show beside the chart in front
    }
    for (Control above : m_trends.stacking()) {
        if (above == control) {
            return false;
        }
        const ControlKind kind = layoutOf(above).kind;
        if ((kind == ControlKind::Chart || kind == ControlKind::Grid) &&
            widget(above)->geometry().contains(place)) {
            return true;
        }
    }
    return false;
}

void TrendsView::refreshCharts() {
    if (!m_anyProjectionShown || m_trends.projectionCount() != m_shownProjection) {
        m_anyProjectionShown = true;
        m_shownProjection = m_trends.projectionCount();
        for (Control chart : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
            m_chartOutdated[static_cast<std::size_t>(index(chart))] = true;
        }
    }
    const unsigned long comparison = m_trends.comparison().revision();
    if (comparison != m_shownComparison) {
        m_shownComparison = comparison;
        m_chartOutdated[static_cast<std::size_t>(index(Control::mscTrends))] = true;
    }
    const unsigned long bands = m_trends.analyses().revision(AnalysisView::Bands);
    if (bands != m_shownBands) {
        m_shownBands = bands;
        m_chartOutdated[static_cast<std::size_t>(index(Control::MscVary))] = true;
    }
    // A chart wholly behind another is drawn when it comes to the front.
    for (Control chart : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        bool& outdated = m_chartOutdated[static_cast<std::size_t>(index(chart))];
        if (outdated && !hiddenBehindAnother(chart)) {
            drawChart(chart);
            outdated = false;
        }
    }
}

void TrendsView::refreshEmphasis() {
    for (Control id : {Control::mscTrends, Control::MscXImpacts, Control::MscVary}) {
        std::vector<SeriesEmphasis> emphasis;
        const int count = m_trends.highlight().target() ? m_trends.seriesCount(id) : 0;
        for (int series = 0; series < count; ++series) {
            emphasis.push_back(m_trends.seriesEmphasis(id, series));
        }
        chartView(id)->setEmphasis(emphasis);
    }
}

void TrendsView::drawChart(Control chart) {
    const ChartTable& data = m_trends.chartData(chart);
    if (chart == Control::MscXImpacts) {
        m_contributions->setTable(data);
        return;
    }
    if (chart == Control::mscTrends) {
        m_levels->setTable(data, chartSeriesNames(m_trends, chart), {}, m_trends.comparisonLines());
        return;
    }
    // Bands left pending while the chart was behind are worked out now that it is seen.
    m_trends.workOutPendingAnalyses();
    const AnalysisViews& analyses = m_trends.analyses();
    m_shownBands = analyses.revision(AnalysisView::Bands);
    ChartBands bands;
    if (analyses.shown(AnalysisView::Bands)) {
        bands.bands = &analyses.bands();
        bands.names = analyses.bandNames();
    }
    // With the bands on, an empty chart says why it shows none.
    const bool noBands = bands.bands != nullptr && bands.bands->empty() && !analyses.bandsPending();
    m_spread->setNote(noBands ? QString::fromUtf8(kNoItemsText.data(),
                                                  static_cast<qsizetype>(kNoItemsText.size()))
                              : QString());
    m_spread->setTable(data, chartSeriesNames(m_trends, chart), bands);
}

}  // namespace vorn
