#include "qt/window/main_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollArea>
#include <QTableWidget>

#include "help/keyboard_help.h"
#include "qt/window/analysis_menu.h"
#include "qt/window/chart_data_window.h"
#include "qt/window/edit_menu.h"
#include "qt/window/qt_platform.h"
#include "qt/window/trends_view.h"
#include "qt/window/view_menu.h"
#include "scenario_files/export_commands.h"
#include "scenario_files/file_commands.h"
#include "shell/trends.h"

namespace vorn {

MainWindow::MainWindow(Trends& trends, QWidget* parent)
    : QMainWindow(parent), m_trends(trends), m_view(new TrendsView(trends, this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(
        QString::fromUtf8(kWindowTitle.data(), static_cast<qsizetype>(kWindowTitle.size())));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("vorn")));
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own: a click on a chart leaves the keyboard where it was, and Tab never
    // rests on the invisible area.
    area->setFocusPolicy(Qt::NoFocus);
    area->setAlignment(Qt::AlignCenter);
    area->setPalette(m_view->palette());  // the margins around the view in its colour
    area->setWidget(m_view);
    setCentralWidget(area);
    m_view->focusFirstControl();  // again: moving the view into the area cleared it
    m_viewMenu = new ViewMenu(this, area, m_view);
    buildMenus();
    resize(m_view->width(), m_view->height() + menuBar()->sizeHint().height());
    // Dialogs open in the middle of a handler: the window first shows what it did so far.
    if (auto* platform = dynamic_cast<QtPlatform*>(&trends.platform())) {
        platform->setBeforeDialog([view = QPointer<TrendsView>(m_view)] {
            if (view) {
                view->refresh();
                view->repaint();
            }
        });
    }
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& text, const QString& name,
                                const std::function<void()>& handler) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, handler] { m_view->run(handler); });
    return action;
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File"));
    addCommand(file, tr("&Clear"), QStringLiteral("mnuClear"),
               [this] { m_trends.mnuClear_Click(); });
    addCommand(file, tr("&Open"), QStringLiteral("mnuOpen"), [this] { mnuOpen_Click(m_trends); });
    addCommand(file, tr("&Save"), QStringLiteral("mnusave"), [this] { mnusave_Click(m_trends); });
    addCommand(file, tr("&Print"), QStringLiteral("mnuPrint"),
               [this] { mnuPrint_Click(m_trends); });
    addCommand(file, tr("Export C&harts..."), QStringLiteral("mnuExportCharts"),
               [this] { mnuExportCharts_Click(m_trends); });
    addCommand(file, tr("Export &Data..."), QStringLiteral("mnuExportData"),
               [this] { mnuExportData_Click(m_trends); });
    QAction* exit = file->addAction(tr("&Exit"));
    exit->setObjectName(QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    menuBar()->addMenu(new EditMenu(m_trends, m_view, this));
    menuBar()->addMenu(m_viewMenu);
    m_viewMenu->addSeparator();
    QAction* bands =
        addCommand(m_viewMenu, tr("Uncertainty &Bands"), QStringLiteral("mnuUncertaintyBands"),
                   [this] { m_trends.mnuUncertaintyBands_Click(); });
    bands->setCheckable(true);
    bands->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    // The check mark shows the window state's option, whatever the click did.
    const auto showBands = [this, bands] {
        bands->setChecked(m_trends.analyses().shown(AnalysisView::Bands));
    };
    connect(m_view, &TrendsView::refreshed, bands, showBands);
    showBands();
    m_viewMenu->addSeparator();
    addComparisonEntries(m_viewMenu);
    m_chartData = new ChartDataWindow(m_trends, m_view, this);
    m_viewMenu->addSeparator();
    QAction* chartData = m_viewMenu->addAction(tr("&Chart Data"));
    chartData->setObjectName(QStringLiteral("mnuChartData"));
    connect(chartData, &QAction::triggered, m_chartData, &ChartDataWindow::open);
    m_analysisMenu = new AnalysisMenu(m_trends, m_view, this);
    menuBar()->addMenu(m_analysisMenu);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    // In the presentation layout the panes open in its drawer.
    addCommand(help, tr("&Overview"), QStringLiteral("HelpOveview"), [this] {
        m_trends.HelpOveview_Click();
        m_view->helpAsked(Control::Overview);
    });
    addCommand(help, tr("&Instructions"), QStringLiteral("HelpInstructions"), [this] {
        m_trends.HelpInstructions_Click();
        m_view->helpAsked(Control::Instruction);
    });
    addCommand(help, tr("&About"), QStringLiteral("HelpAbout"), [this] {
        m_trends.HelpAbout_Click();
        m_view->helpAsked(Control::About);
    });
    QAction* keyboard = help->addAction(tr("&Keyboard"));
    keyboard->setObjectName(QStringLiteral("HelpKeyboard"));
    connect(keyboard, &QAction::triggered, this, [this] {
        if (m_keyboard == nullptr) {
            m_keyboard = new ReadingWindow(QStringLiteral("KeyboardWindow"), tr("Keyboard"), this);
            m_keyboard->setWindowIcon(windowIcon());
            m_keyboard->setPage(0, tr("Keyboard"), keyboardHelp());
        }
        m_keyboard->show();
        m_keyboard->raise();
        m_keyboard->activateWindow();
        m_keyboard->table(0)->setFocus(Qt::OtherFocusReason);
    });
}

void MainWindow::addComparisonEntries(QMenu* menu) {
    QAction* hold = addCommand(menu, tr("&Hold Random Draws"), QStringLiteral("mnuHoldRandomDraws"),
                               [this] { m_trends.mnuHoldRandomDraws_Click(); });
    hold->setCheckable(true);
    QAction* renew = addCommand(menu, tr("&New Random Draws"), QStringLiteral("mnuNewRandomDraws"),
                                [this] { m_trends.mnuNewRandomDraws_Click(); });
    renew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    renew->setToolTip(tr("Draw new fluctuations once and hold them"));
    QAction* setReference =
        addCommand(menu, tr("Set &Reference"), QStringLiteral("mnuSetReference"),
                   [this] { m_trends.mnuSetReference_Click(); });
    setReference->setToolTip(tr("Keep the levels shown now, to be drawn behind the next runs"));
    QAction* clearReference =
        addCommand(menu, tr("Clear R&eference"), QStringLiteral("mnuClearReference"),
                   [this] { m_trends.mnuClearReference_Click(); });
    QAction* without = addCommand(menu, tr("Show Trends &Without Policies"),
                                  QStringLiteral("mnuTrendsWithoutPolicies"),
                                  [this] { m_trends.mnuTrendsWithoutPolicies_Click(); });
    without->setCheckable(true);
    without->setToolTip(
        tr("While the policies apply, draw the trends without them, with the same draws"));
    menu->setToolTipsVisible(true);
    // The checks, the seed and the greying show the window state, whatever the click did.
    const auto follow = [this, hold, clearReference, without] {
        const RunComparison& comparison = m_trends.comparison();
        hold->setChecked(comparison.held());
        hold->setText(QStringLiteral("&") + QString::fromStdString(comparison.holdMenuText()));
        hold->setToolTip(QString::fromStdString(comparison.holdToolTip()));
        clearReference->setEnabled(comparison.reference().has_value());
        without->setChecked(comparison.withoutPoliciesShown());
    };
    connect(m_view, &TrendsView::refreshed, this, follow);
    follow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    m_view->run([&] { mayClose = Form_QueryUnload(m_trends); });
    if (mayClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace vorn
