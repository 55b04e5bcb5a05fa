#include "qt/window/analysis_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editing/click_handlers.h"
#include "qt/charts/chart_style.h"
#include "qt/charts/influence_chart_view.h"
#include "qt/charts/loop_diagram_view.h"
#include "qt/charts/sensitivity_chart_view.h"
#include "qt/window/elided_label.h"
#include "qt/window/grid_view.h"
#include "qt/window/reading_window.h"
#include "qt/window/trends_view.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// The window's first size, in twips of the design, scaled with the zoom like the main window.
constexpr int kWidthTwips = 10800;
constexpr int kHeightTwips = 6600;
// The Loop Diagram's, with room for its list beside the diagram.
constexpr int kLoopWidthTwips = 15000;
constexpr int kLoopHeightTwips = 8400;

QString text(const std::string& value) {
    return charts::fromTableText(value);
}

QString text(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

// The title or note: one line, shortened when too long, shown whole when hovered.
ElidedLabel* makeLine(const QString& name, QWidget* parent) {
    auto* line = new ElidedLabel(parent);
    line->setObjectName(name);
    line->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return line;
}

void setLine(ElidedLabel* line, const QString& value) {
    if (line->text() != value) {
        line->setText(value);
        line->setToolTip(value);
    }
}

}  // namespace

AnalysisWindow::AnalysisWindow(AnalysisView view, Trends& trends, TrendsView* mainView,
                               QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_view(view),
      m_trends(trends),
      m_mainView(mainView),
      m_title(makeLine(QStringLiteral("AnalysisTitle"), this)),
      m_note(makeLine(QStringLiteral("AnalysisNote"), this)),
      m_close(new QToolButton(this)),
      m_windowParent(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(2);
    // In a side panel a button closes it, where a window has its title bar.
    auto* top = new QHBoxLayout();
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(m_title, 1);
    top->addWidget(m_close);
    m_close->setObjectName(QStringLiteral("AnalysisClose"));
    m_close->setText(QStringLiteral("\u2715"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::TabFocus);
    m_close->hide();
    connect(m_close, &QToolButton::clicked, this, &QWidget::close);
    layout->addLayout(top);
    layout->addWidget(m_note);
    if (view == AnalysisView::Sensitivity) {
        setObjectName(QStringLiteral("SensitivityWindow"));
        setWindowTitle(tr("Sensitivity"));
        m_sensitivity = new SensitivityChartView(this);
        m_sensitivity->setObjectName(QStringLiteral("SensitivityChart"));
        layout->addWidget(m_sensitivity, 1);
    } else if (view == AnalysisView::InfluenceMap) {
        setObjectName(QStringLiteral("InfluenceMapWindow"));
        setWindowTitle(tr("Influence Map"));
        buildInfluenceChoice(layout);
        m_influence = new InfluenceChartView(this);
        m_influence->setObjectName(QStringLiteral("InfluenceChart"));
        layout->addWidget(m_influence, 1);
    } else {
        setObjectName(QStringLiteral("LoopDiagramWindow"));
        setWindowTitle(tr("Loop Diagram"));
        buildLoops(layout);
    }
    // The chart (the diagram) has the keyboard once the window is active; Escape and Ctrl+W
    // close it.
    keyboardTarget()->setFocus(Qt::OtherFocusReason);
    addCloseKeys(this);
    setWindowIcon(mainView->window()->windowIcon());
    applyZoom();
    const Zoom& zoom = mainView->zoom();
    const bool loops = view == AnalysisView::LoopDiagram;
    QSize size(zoom.pixels(loops ? kLoopWidthTwips : kWidthTwips),
               zoom.pixels(loops ? kLoopHeightTwips : kHeightTwips));
    // No larger than the screen leaves room for, frame included.
    if (const QScreen* screen = mainView->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    }
    resize(size);
    arrangeLoops(Qt::Horizontal);
    connect(mainView, &TrendsView::refreshed, this, &AnalysisWindow::refresh);
    connect(mainView, &TrendsView::zoomed, this, &AnalysisWindow::applyZoom);
    connect(mainView, &TrendsView::presentationChanged, this, &AnalysisWindow::followPresentation);
    m_close->setAccessibleName(tr("Close %1").arg(windowTitle()));
    m_close->setToolTip(m_close->accessibleName());
    refresh();
}

void AnalysisWindow::setVisible(bool visible) {
    if (visible && m_mainView->inPresentation() && !m_docked) {
        dock();
    }
    QWidget::setVisible(visible);
    if (visible && !m_docked) {
        m_placedAsWindow = true;
    }
    if (m_docked && visible) {
        m_mainView->addSidePanel(this);
        keyboardTarget()->setFocus(Qt::OtherFocusReason);
    } else if (m_docked) {
        m_mainView->removeSidePanel(this);
    }
}

void AnalysisWindow::dock() {
    m_windowGeometry = geometry();
    m_docked = true;
    setParent(m_mainView, Qt::Widget);
    setAutoFillBackground(true);
    // Escape and Ctrl+W close the panel only while the keyboard is in it.
    setCloseKeysContext(Qt::WidgetWithChildrenShortcut);
    m_close->show();
    // A side panel is tall and narrow: the title and note on as many lines as they need, the
    // diagram above its list of loops.
    m_title->setWrapped(true);
    m_note->setWrapped(true);
    arrangeLoops(Qt::Vertical);
}

void AnalysisWindow::arrangeLoops(Qt::Orientation orientation) {
    if (auto* splitter = findChild<QSplitter*>(QStringLiteral("LoopSplitter"))) {
        splitter->setOrientation(orientation);
        // Halves, whatever the list's columns would like.
        splitter->setSizes({1, 1});
    }
}

void AnalysisWindow::setCloseKeysContext(Qt::ShortcutContext context) {
    for (QShortcut* key : findChildren<QShortcut*>(QString(), Qt::FindDirectChildrenOnly)) {
        key->setContext(context);
    }
}

void AnalysisWindow::undock() {
    m_mainView->removeSidePanel(this);
    m_docked = false;
    setParent(m_windowParent, Qt::Window);
    setAutoFillBackground(false);
    setCloseKeysContext(Qt::WindowShortcut);
    m_close->hide();
    m_title->setWrapped(false);
    m_note->setWrapped(false);
    arrangeLoops(Qt::Horizontal);
    if (m_placedAsWindow) {
        setGeometry(m_windowGeometry);
    } else {
        // Never shown as a window: at the right of the main window's screen, whole, rather
        // than where its panel was.
        QRect place(QPoint(), m_windowGeometry.size());
        if (const QScreen* screen = m_mainView->screen()) {
            const QRect room = screen->availableGeometry();
            const int margin = room.height() / 25;
            place.moveTopRight(QPoint(room.right() - margin, room.top() + margin));
            place.moveLeft(std::max(place.left(), room.left()));
        }
        setGeometry(place);
    }
}

void AnalysisWindow::followPresentation(bool on) {
    const bool open = isVisible();
    if (on && open && !m_docked) {
        dock();
        show();
    } else if (!on && m_docked) {
        undock();
        if (open) {
            show();
        }
    }
}

ChartView* AnalysisWindow::chart() const {
    if (m_sensitivity != nullptr) {
        return m_sensitivity;
    }
    return m_influence;
}

QWidget* AnalysisWindow::keyboardTarget() const {
    if (ChartView* shown = chart()) {
        return shown;
    }
    return m_diagram;
}

void AnalysisWindow::buildInfluenceChoice(QVBoxLayout* layout) {
    const auto names = m_trends.analyses().influenceModeNames();
    auto* row = new QHBoxLayout();
    m_direct = new QRadioButton(text(names[0]), this);
    m_direct->setObjectName(QStringLiteral("InfluenceDirect"));
    m_indirect = new QRadioButton(text(names[1]), this);
    m_indirect->setObjectName(QStringLiteral("InfluenceIndirect"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_direct);
    group->addButton(m_indirect);
    row->addWidget(m_direct);
    row->addWidget(m_indirect);
    row->addStretch(1);
    layout->addLayout(row);
    connect(m_indirect, &QRadioButton::toggled, this, [this](bool indirect) {
        m_trends.influenceModeChosen(indirect);
        refresh();
    });
}

void AnalysisWindow::buildLoops(QVBoxLayout* layout) {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("LoopSplitter"));
    splitter->setChildrenCollapsible(false);
    m_diagram = new LoopDiagramView(splitter);
    m_diagram->setObjectName(QStringLiteral("LoopDiagram"));
    m_loopList = new QTreeWidget(splitter);
    m_loopList->setObjectName(QStringLiteral("LoopList"));
    m_loopList->setRootIsDecorated(false);
    m_loopList->setUniformRowHeights(true);
    m_loopList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_loopList->setSortingEnabled(false);
    QStringList heads;
    for (const std::string& name : m_trends.analyses().loopColumnNames()) {
        heads.append(text(name));
    }
    m_loopList->setHeaderLabels(heads);
    m_loopList->header()->setStretchLastSection(true);
    m_loopList->setTextElideMode(Qt::ElideRight);
    splitter->addWidget(m_diagram);
    splitter->addWidget(m_loopList);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    connect(m_loopList, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = m_loopList->selectedItems();
        m_trends.loopSelected(selected.isEmpty() ? -1
                                                 : m_loopList->indexOfTopLevelItem(selected[0]));
        refresh();
    });
    connect(m_diagram, &LoopDiagramView::arrowClicked, this,
            [this](int from, int to) { selectTrendCell(from + 1, to + 1); });
    connect(m_diagram, &LoopDiagramView::nodeClicked, this,
            [this](int item) { selectTrendCell(item + 1, item + 1); });
    connect(m_diagram, &LoopDiagramView::backgroundClicked, this,
            [this] { m_loopList->clearSelection(); });
}

void AnalysisWindow::selectTrendCell(int row, int column) {
    m_mainView->run([&] { LoopDiagram_Click(m_trends, row, column); });
    // The keyboard waits in the table at that cell for when the main window is used.
    if (GridView* trend = m_mainView->grid(Control::MSFlexXImpact)) {
        trend->setFocus(Qt::OtherFocusReason);
    }
}

QString AnalysisWindow::title() const {
    return m_title->text();
}

QString AnalysisWindow::note() const {
    return m_note->text();
}

void AnalysisWindow::applyZoom() {
    // The texts and chart in the main window's font, which the zoom scales.
    const QFont font = m_mainView->font();
    setFont(font);
    QFont bold = font;
    bold.setBold(true);
    // The presentation layout sizes its texts in pixels, the design in points.
    if (font.pixelSize() > 0) {
        bold.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * 1.15)));
    } else {
        bold.setPointSizeF(font.pointSizeF() * 1.15);
    }
    m_title->setFont(bold);
    if (m_loopList != nullptr) {
        fitLoopColumns();
    }
}

void AnalysisWindow::refresh() {
    const unsigned long revision = m_trends.analyses().revision(m_view);
    if (m_drawn && revision == m_shownRevision) {
        return;
    }
    m_drawn = true;
    m_shownRevision = revision;
    if (m_view == AnalysisView::Sensitivity) {
        drawSensitivity();
    } else if (m_view == AnalysisView::InfluenceMap) {
        drawInfluence();
    } else {
        drawLoops();
    }
    keyboardTarget()->setAccessibleName(title());
    keyboardTarget()->setAccessibleDescription(note());
    if (m_loopList != nullptr) {
        m_loopList->setAccessibleName(tr("Feedback loops"));
    }
}

void AnalysisWindow::drawSensitivity() {
    const AnalysisViews& analyses = m_trends.analyses();
    const Sensitivity& sensitivity = analyses.sensitivity();
    QStringList names;
    QList<double> effects;
    for (const SensitivityEntry& entry : analyses.sensitivityBars()) {
        names.append(text(sensitivity.name(entry)));
        effects.append(entry.effect);
    }
    const auto signs = analyses.sensitivitySignNames();
    m_sensitivity->setBars(names, effects, {text(signs[0]), text(signs[1])},
                           text(analyses.sensitivityAxisTitle()));
    // Without bars the chart itself says why.
    const QString note = text(analyses.sensitivityNote());
    m_sensitivity->setNote(names.isEmpty() ? note : QString());
    setLine(m_title, text(analyses.sensitivityTitle()));
    setLine(m_note, names.isEmpty() ? QString() : note);
}

void AnalysisWindow::drawInfluence() {
    const AnalysisViews& analyses = m_trends.analyses();
    const InfluenceMap& map = analyses.influence();
    QList<InfluenceChartView::Point> points;
    for (const InfluenceItem& item : map.items) {
        if (item.quadrant != Quadrant::Unplaced) {
            points.append({text(item.name), analyses.shownInfluence(item),
                           analyses.shownDependence(item), analyses.influenceMarked(item),
                           text(analyses.influenceRankText(item))});
        }
    }
    const QSignalBlocker blockDirect(m_direct);
    const QSignalBlocker blockIndirect(m_indirect);
    (analyses.indirectInfluence() ? m_indirect : m_direct)->setChecked(true);
    // Influence grows to the right, dependence upwards.
    const InfluenceChartView::Corners corners = {
        text(quadrantName(Quadrant::Dependent)), text(quadrantName(Quadrant::Relay)),
        text(quadrantName(Quadrant::Autonomous)), text(quadrantName(Quadrant::Driving))};
    m_influence->setPoints(points, map.meanInfluence, map.meanDependence, corners,
                           text(analyses.influenceAxisTitle()),
                           text(analyses.dependenceAxisTitle()));
    const QString note = text(analyses.influenceNote());
    m_influence->setNote(map.items.empty() ? note : QString());
    setLine(m_title, text(analyses.influenceTitle()));
    setLine(m_note, map.items.empty() ? QString() : note);
}

void AnalysisWindow::drawLoops() {
    const AnalysisViews& analyses = m_trends.analyses();
    const LoopDiagram& diagram = analyses.loops();
    QList<LoopDiagramView::Node> nodes;
    QList<LoopDiagramView::Arrow> arrows;
    for (int i = 0; i < diagram.items; ++i) {
        nodes.append({text(diagram.names[static_cast<std::size_t>(i)]),
                      text(analyses.loopNodeMark(i)), diagram.link(i, i),
                      text(diagram.linkText(i, i))});
        for (int j = 0; j < diagram.items; ++j) {
            if (diagram.isArrow(i, j)) {
                arrows.append({i, j, diagram.link(i, j), text(diagram.linkText(i, j))});
            }
        }
    }
    const auto signs = analyses.loopSignNames();
    m_diagram->setDiagram(nodes, arrows, {text(signs[0]), text(signs[1])});
    const QString note = text(analyses.loopNote());
    m_diagram->setNote(diagram.items == 0 ? note : QString());
    fillLoopList();
    QList<int> highlight;
    if (const int selected = analyses.selectedLoop(); selected >= 0) {
        for (int item : diagram.search.loops[static_cast<std::size_t>(selected)].items) {
            highlight.append(item);
        }
    }
    m_diagram->setHighlight(highlight);
    setLine(m_title, text(analyses.loopTitle()));
    setLine(m_note, diagram.items == 0 ? QString() : note);
}

void AnalysisWindow::fillLoopList() {
    const AnalysisViews& analyses = m_trends.analyses();
    const int count = static_cast<int>(analyses.loops().search.loops.size());
    const QSignalBlocker blocker(m_loopList);
    // Rows are rewritten in place, so that the list keeps its scroll position.
    while (m_loopList->topLevelItemCount() > count) {
        delete m_loopList->takeTopLevelItem(m_loopList->topLevelItemCount() - 1);
    }
    for (int row = 0; row < count; ++row) {
        QTreeWidgetItem* item = m_loopList->topLevelItem(row);
        if (item == nullptr) {
            item = new QTreeWidgetItem(m_loopList);
            item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
            item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        }
        const auto texts = analyses.loopRow(row);
        for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
            const QString value = text(texts[static_cast<std::size_t>(column)]);
            if (item->text(column) != value) {
                item->setText(column, value);
                item->setToolTip(column, value);
            }
        }
    }
    const int selected = analyses.selectedLoop();
    QTreeWidgetItem* current = selected >= 0 ? m_loopList->topLevelItem(selected) : nullptr;
    if (current == nullptr) {
        m_loopList->clearSelection();
    } else if (!current->isSelected()) {
        m_loopList->setCurrentItem(current);
    }
}

void AnalysisWindow::fitLoopColumns() {
    // Wide enough for the longest texts the first four columns can hold, so that they need
    // not be measured again after every recalculation.
    const QFontMetrics metrics(m_loopList->font());
    const QString widest[] = {QStringLiteral("R50"), QStringLiteral("reinforcing"),
                              QStringLiteral("20"), QStringLiteral("0.1234")};
    const int padding = metrics.averageCharWidth() * 2;
    for (int column = 0; column < 4; ++column) {
        const int head = metrics.horizontalAdvance(m_loopList->headerItem()->text(column));
        m_loopList->setColumnWidth(
            column, std::max(head, metrics.horizontalAdvance(widest[column])) + padding);
    }
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    // Not a command: an entry open in a cell stays open, but the window closes whatever
    // the entry holds, and the analysis must stop with it.
    m_trends.analysisClosed(m_view);
    m_mainView->refresh();
    event->accept();
}

}  // namespace vorn
