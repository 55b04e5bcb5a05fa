#include "qt/window/view_menu.h"

#include <QAction>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <algorithm>

#include "qt/window/trends_view.h"

namespace vorn {
namespace {

// Title bar and borders of a typical window manager, assumed until the real frame is known.
constexpr QSize kFrameEstimate(8, 32);

PixelSize pixelSize(const QSize& size) {
    return {size.width(), size.height()};
}

}  // namespace

ViewMenu::ViewMenu(QMainWindow* window, QScrollArea* area, TrendsView* view)
    : QMenu(tr("&View"), window), m_window(window), m_area(area), m_view(view) {
    setObjectName(QStringLiteral("View"));
    m_zoomIn = addZoomAction(
        tr("Zoom &In"), QStringLiteral("mnuZoomIn"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    m_zoomOut = addZoomAction(tr("Zoom &Out"), QStringLiteral("mnuZoomOut"),
                              {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    m_actualSize = addZoomAction(tr("&Actual Size"), QStringLiteral("mnuActualSize"),
                                 {QKeySequence(Qt::CTRL | Qt::Key_0)});
    addSeparator();
    m_fitToWindow = addAction(tr("&Fit to Window"));
    m_fitToWindow->setObjectName(QStringLiteral("mnuFitToWindow"));
    m_fitToWindow->setCheckable(true);
    addSeparator();
    m_presentationLayout = addAction(tr("&Presentation Layout"));
    m_presentationLayout->setObjectName(QStringLiteral("mnuPresentationLayout"));
    m_presentationLayout->setCheckable(true);
    m_presentationLayout->setShortcut(QKeySequence(Qt::Key_F11));

    connect(m_zoomIn, &QAction::triggered, this, [this] { setZoom(m_view->zoom().zoomedIn()); });
    connect(m_zoomOut, &QAction::triggered, this, [this] { setZoom(m_view->zoom().zoomedOut()); });
    connect(m_actualSize, &QAction::triggered, this, [this] { setZoom(Zoom()); });
    connect(m_fitToWindow, &QAction::toggled, this, [this](bool on) {
        if (on) {
            m_checkOnScreen = false;
            fitToWindow();
        }
    });
    connect(m_presentationLayout, &QAction::toggled, this,
            [this](bool on) { setPresentation(on); });
    m_area->installEventFilter(this);
    m_window->installEventFilter(this);
    apply(m_view->zoom());
}

QSize ViewMenu::presentationArea() const {
    if (m_window->isFullScreen()) {
        return m_area->maximumViewportSize();
    }
    // Until the window manager has made the window full screen.
    return m_window->screen()->geometry().size() - QSize(0, menuBarHeight());
}

void ViewMenu::setPresentation(bool on) {
    if (on == m_view->inPresentation()) {
        m_presentationLayout->setChecked(on);
        return;
    }
    if (on) {
        m_before = {m_view->zoom(), m_fitToWindow->isChecked(), m_window->geometry(),
                    m_window->windowState()};
        m_checkOnScreen = false;
        m_fitToWindow->setChecked(false);
        for (QAction* zoom : {m_zoomIn, m_zoomOut, m_actualSize, m_fitToWindow}) {
            zoom->setEnabled(false);  // the layout sizes everything to the screen
        }
        m_window->setWindowState(m_window->windowState() | Qt::WindowFullScreen);
        m_view->showPresentation(presentationArea(), m_window->screen()->geometry().size());
    } else {
        m_view->setZoom(m_before.zoom);
        m_window->setWindowState(m_before.states & ~Qt::WindowFullScreen);
        if (!(m_before.states & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            m_window->setGeometry(m_before.geometry);
        }
        m_actualSize->setEnabled(true);
        m_fitToWindow->setEnabled(true);
        apply(m_before.zoom);
        m_fitToWindow->setChecked(m_before.fitToWindow);
    }
    m_presentationLayout->setChecked(on);
}

QAction* ViewMenu::addZoomAction(const QString& text, const QString& name,
                                 const QList<QKeySequence>& keys) {
    QAction* action = addAction(text);
    action->setObjectName(name);
    action->setShortcuts(keys);
    return action;
}

void ViewMenu::setZoom(const Zoom& zoom) {
    if (m_view->inPresentation()) {
        return;  // the presentation layout sizes everything to the screen
    }
    m_checkOnScreen = false;  // the user's zoom stands
    m_fitToWindow->setChecked(false);
    apply(zoom);
    sizeWindowToView();
}

void ViewMenu::apply(const Zoom& zoom) {
    if (!(zoom == m_view->zoom())) {
        m_view->setZoom(zoom);
    }
    m_zoomIn->setEnabled(zoom.canZoomIn());
    m_zoomOut->setEnabled(zoom.canZoomOut());
}

void ViewMenu::fitToWindow() {
    apply(Zoom::toFit(pixelSize(m_area->maximumViewportSize()), {}));
}

QSize ViewMenu::frameSize() const {
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    return m_window->isVisible() && !frame.isNull() ? frame : kFrameEstimate;
}

int ViewMenu::menuBarHeight() const {
    return m_window->menuBar()->sizeHint().height();
}

QSize ViewMenu::chrome() const {
    return frameSize() + QSize(0, menuBarHeight());
}

void ViewMenu::fitToScreen() {
    const QRect available = m_window->screen()->availableGeometry();
    apply(Zoom::toFit(pixelSize(available.size()), pixelSize(chrome()), Zoom::kActualPercent));
    sizeWindowToView();
    m_checkOnScreen = true;
}

void ViewMenu::sizeWindowToView() {
    if (m_window->isMaximized() || m_window->isFullScreen()) {
        return;
    }
    const QSize room = m_window->screen()->availableGeometry().size() - frameSize();
    const int areaFrame = 2 * m_area->frameWidth();
    const QSize wanted =
        (m_view->size() + QSize(areaFrame, menuBarHeight() + areaFrame)).boundedTo(room);
    m_window->resize(wanted);
    if (m_window->isVisible()) {  // else the window manager places it
        moveOnScreen(wanted + frameSize());
    }
}

// Moves the window, `outerSize` with its frame, no further than needed to lie wholly in the
// available area.
void ViewMenu::moveOnScreen(QSize outerSize) {
    const QRect available = m_window->screen()->availableGeometry();
    const QPoint at = m_window->frameGeometry().topLeft();
    const QPoint inside(
        std::clamp(at.x(), available.left(),
                   std::max(available.left(), available.right() + 1 - outerSize.width())),
        std::clamp(at.y(), available.top(),
                   std::max(available.top(), available.bottom() + 1 - outerSize.height())));
    if (inside != at) {
        m_window->move(inside);
    }
}

// Once the window manager has framed the window, the fit is made again with the real frame
// instead of the estimate, and the whole window moved into the available area.
void ViewMenu::keepOnScreen() {
    if (!m_window->isVisible() || m_window->frameGeometry() == m_window->geometry()) {
        return;  // not framed yet
    }
    m_checkOnScreen = false;
    const QRect available = m_window->screen()->availableGeometry();
    apply(Zoom::toFit(pixelSize(available.size()), pixelSize(chrome()), Zoom::kActualPercent));
    sizeWindowToView();
}

bool ViewMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area && event->type() == QEvent::Resize && m_view->inPresentation()) {
        m_view->showPresentation(presentationArea(), m_window->screen()->geometry().size());
    } else if (watched == m_area && event->type() == QEvent::Resize && m_fitToWindow->isChecked()) {
        fitToWindow();
    } else if (watched == m_window && m_checkOnScreen &&
               (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                event->type() == QEvent::Show)) {
        keepOnScreen();
    }
    return QMenu::eventFilter(watched, event);
}

}  // namespace vorn
