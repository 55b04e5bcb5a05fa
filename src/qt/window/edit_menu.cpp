#include "qt/window/edit_menu.h"

#include "qt/window/trends_view.h"
#include "shell/trends.h"

namespace vorn {
namespace {

QString actionText(const QString& verb, const std::string& step) {
    return step.empty() ? verb : verb + QLatin1Char(' ') + QString::fromStdString(step);
}

}  // namespace

EditMenu::EditMenu(Trends& trends, TrendsView* view, QWidget* parent)
    : QMenu(tr("&Edit"), parent),
      m_trends(trends),
      m_undo(addAction(tr("&Undo"))),
      m_redo(addAction(tr("&Redo"))) {
    setObjectName(QStringLiteral("Edit"));
    m_undo->setObjectName(QStringLiteral("mnuUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setObjectName(QStringLiteral("mnuRedo"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, this,
            [this, view] { view->run([this] { m_trends.mnuUndo_Click(); }); });
    connect(m_redo, &QAction::triggered, this,
            [this, view] { view->run([this] { m_trends.mnuRedo_Click(); }); });
    connect(view, &TrendsView::refreshed, this, &EditMenu::updateActions);
    updateActions();
}

void EditMenu::updateActions() {
    const EditHistory& history = m_trends.history();
    m_undo->setText(actionText(tr("&Undo"), history.undoName()));
    m_undo->setEnabled(history.canUndo());
    m_redo->setText(actionText(tr("&Redo"), history.redoName()));
    m_redo->setEnabled(history.canRedo());
}

}  // namespace vorn
