#include "qt/window/chart_data_window.h"

#include <QTableWidget>
#include <algorithm>
#include <array>

#include "editing/screen_reader.h"
#include "qt/window/trends_view.h"
#include "shell/keyboard_regions.h"
#include "shell/trends.h"

namespace vorn {
namespace {

constexpr std::array<Control, 3> kCharts = {Control::mscTrends, Control::MscXImpacts,
                                            Control::MscVary};

}  // namespace

ChartDataWindow::ChartDataWindow(Trends& trends, TrendsView* view, QWidget* parent)
    : ReadingWindow(QStringLiteral("ChartDataWindow"), tr("Chart Data"), parent), m_trends(trends) {
    setWindowIcon(view->window()->windowIcon());
    connect(view, &TrendsView::refreshed, this, &ChartDataWindow::refresh);
}

int ChartDataWindow::pageOf(Control chart) {
    const auto found = std::find(kCharts.begin(), kCharts.end(), chart);
    return found == kCharts.end() ? 0 : static_cast<int>(found - kCharts.begin());
}

void ChartDataWindow::open() {
    m_filled = false;
    refresh();
    showPage(pageOf(chartInFront(m_trends)));
    show();
    raise();
    activateWindow();
    if (QWidget* shown = table(shownPage())) {
        shown->setFocus(Qt::OtherFocusReason);
    }
}

void ChartDataWindow::refresh() {
    if (!isVisible() && m_filled) {
        return;
    }
    if (m_filled && m_trends.projectionCount() == m_shownProjection &&
        m_trends.comparison().revision() == m_shownComparison) {
        return;
    }
    m_filled = true;
    m_shownProjection = m_trends.projectionCount();
    m_shownComparison = m_trends.comparison().revision();
    for (Control chart : kCharts) {
        const std::string_view title = chartTitle(chart);
        setPage(pageOf(chart),
                QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                chartData(m_trends, chart));
    }
}

}  // namespace vorn
