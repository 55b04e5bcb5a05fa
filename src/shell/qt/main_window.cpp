#include "shell/qt/main_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

#include "scenario_files/export_commands.h"
#include "scenario_files/file_commands.h"
#include "shell/qt/edit_menu.h"
#include "shell/qt/trends_view.h"
#include "shell/trends.h"

namespace vorn {

MainWindow::MainWindow(Trends& trends, QWidget* parent)
    : QMainWindow(parent), m_trends(trends), m_view(new TrendsView(trends, this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(
        QString::fromUtf8(kWindowTitle.data(), static_cast<qsizetype>(kWindowTitle.size())));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("vorn")));
    setCentralWidget(m_view);
    buildMenus();
    resize(TrendsView::designSize().width(),
           TrendsView::designSize().height() + menuBar()->sizeHint().height());
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

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    addCommand(help, tr("&Overview"), QStringLiteral("HelpOveview"),
               [this] { m_trends.HelpOveview_Click(); });
    addCommand(help, tr("&Instructions"), QStringLiteral("HelpInstructions"),
               [this] { m_trends.HelpInstructions_Click(); });
    addCommand(help, tr("&About"), QStringLiteral("HelpAbout"),
               [this] { m_trends.HelpAbout_Click(); });
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
