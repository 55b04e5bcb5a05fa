#include "qt/window/analysis_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "qt/charts/chart_style.h"
#include "qt/charts/influence_chart_view.h"
#include "qt/charts/sensitivity_chart_view.h"
#include "qt/window/elided_label.h"
#include "qt/window/reading_window.h"
#include "qt/window/trends_view.h"
#include "shell/trends.h"

namespace vorn {
namespace {

// The window's first size, in twips of the design, scaled with the zoom like the main window.
constexpr int kWidthTwips = 10800;
constexpr int kHeightTwips = 6600;

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
    ChartView* chart = nullptr;
    if (view == AnalysisView::Sensitivity) {
        setObjectName(QStringLiteral("SensitivityWindow"));
        setWindowTitle(tr("Sensitivity"));
        m_sensitivity = new SensitivityChartView(this);
        m_sensitivity->setObjectName(QStringLiteral("SensitivityChart"));
        chart = m_sensitivity;
    } else {
        setObjectName(QStringLiteral("InfluenceMapWindow"));
        setWindowTitle(tr("Influence Map"));
        m_influence = new InfluenceChartView(this);
        m_influence->setObjectName(QStringLiteral("InfluenceChart"));
        chart = m_influence;
    }
    layout->addWidget(chart, 1);
    // The chart has the keyboard once the window is active; Escape and Ctrl+W close it.
    chart->setFocus(Qt::OtherFocusReason);
    addCloseKeys(this);
    setWindowIcon(mainView->window()->windowIcon());
    applyZoom();
    const Zoom& zoom = mainView->zoom();
    resize(zoom.pixels(kWidthTwips), zoom.pixels(kHeightTwips));
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
    if (m_docked && visible) {
        m_mainView->addSidePanel(this);
        chart()->setFocus(Qt::OtherFocusReason);
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
    if (m_windowGeometry.isValid()) {
        setGeometry(m_windowGeometry);
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
    } else {
        drawInfluence();
    }
    chart()->setAccessibleName(title());
    chart()->setAccessibleDescription(note());
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
            points.append({text(item.name), item.influence, item.dependence});
        }
    }
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

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    // Not a command: an entry open in a cell stays open, but the window closes whatever
    // the entry holds, and the analysis must stop with it.
    m_trends.analysisClosed(m_view);
    m_mainView->refresh();
    event->accept();
}

}  // namespace vorn
