#include "qt/window/analysis_menu.h"

#include "qt/window/analysis_window.h"
#include "qt/window/trends_view.h"
#include "shell/trends.h"

namespace vorn {
namespace {

std::size_t slot(AnalysisView view) {
    return view == AnalysisView::Sensitivity ? 0 : view == AnalysisView::InfluenceMap ? 1 : 2;
}

}  // namespace

AnalysisMenu::AnalysisMenu(Trends& trends, TrendsView* view, QWidget* parent)
    : QMenu(tr("&Analysis"), parent), m_trends(trends), m_view(view) {
    setObjectName(QStringLiteral("Analysis"));
    QAction* sensitivity = addAction(tr("&Sensitivity"));
    sensitivity->setObjectName(QStringLiteral("mnuSensitivity"));
    connect(sensitivity, &QAction::triggered, this, [this] { open(AnalysisView::Sensitivity); });
    QAction* influence = addAction(tr("&Influence Map"));
    influence->setObjectName(QStringLiteral("mnuInfluenceMap"));
    connect(influence, &QAction::triggered, this, [this] { open(AnalysisView::InfluenceMap); });
    QAction* loops = addAction(tr("&Loop Diagram"));
    loops->setObjectName(QStringLiteral("mnuLoopDiagram"));
    connect(loops, &QAction::triggered, this, [this] { open(AnalysisView::LoopDiagram); });
}

AnalysisWindow* AnalysisMenu::window(AnalysisView view) const {
    return m_windows[slot(view)];
}

void AnalysisMenu::open(AnalysisView view) {
    m_view->run([this, view] {
        if (view == AnalysisView::Sensitivity) {
            m_trends.mnuSensitivity_Click();
        } else if (view == AnalysisView::InfluenceMap) {
            m_trends.mnuInfluenceMap_Click();
        } else {
            m_trends.mnuLoopDiagram_Click();
        }
    });
    if (!m_trends.analyses().shown(view)) {
        return;  // an entry typed into a cell was refused: the editor stays
    }
    QPointer<AnalysisWindow>& window = m_windows[slot(view)];
    if (window == nullptr) {
        window = new AnalysisWindow(view, m_trends, m_view, parentWidget());
    }
    window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace vorn
