#pragma once

#include <QMenu>

#include "shell/zoom.h"

class QAction;
class QMainWindow;
class QScrollArea;

namespace vorn {

class TrendsView;

/// The View menu and the window's zoom: "Zoom In", "Zoom Out", "Actual Size" and "Fit to
/// Window". The steps and the fit are Zoom's; this menu applies them to the client area
/// and sizes the window to match. While "Fit to Window" is on, resizing the window refits.
/// "Presentation Layout" (F11) shows the window full screen in the presentation layout, and
/// turned off brings back the window, the design and the zoom as they were.
class ViewMenu : public QMenu {
    Q_OBJECT
  public:
    /// `area` scrolls `view` inside `window` when the window is smaller than the view.
    ViewMenu(QMainWindow* window, QScrollArea* area, TrendsView* view);

    /// Sets the largest zoom, at most 100 %, at which the whole window fits the available
    /// area of its screen, frame and menu bar included, and sizes the window to it. Checked
    /// again once the window manager has put its frame around the window.
    void fitToScreen();
    /// Shows the client area at `zoom` and turns "Fit to Window" off.
    void setZoom(const Zoom& zoom);
    /// Turns the presentation layout on or off, as its menu entry does.
    void setPresentation(bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* addZoomAction(const QString& text, const QString& name,
                           const QList<QKeySequence>& keys);
    void apply(const Zoom& zoom);
    void fitToWindow();
    /// Sizes the window to show the whole client area, as far as the screen allows.
    void sizeWindowToView();
    void moveOnScreen(QSize outerSize);
    /// The window manager's frame, or an estimate while it is not known.
    QSize frameSize() const;
    int menuBarHeight() const;
    /// What the window adds around the client area: its frame and the menu bar.
    QSize chrome() const;
    void keepOnScreen();
    /// The client area the presentation layout fills: the screen below the menu bar.
    QSize presentationArea() const;

    /// What the presentation layout leaves and brings back.
    struct Before {
        Zoom zoom;
        bool fitToWindow = false;
        QRect geometry;
        Qt::WindowStates states;
    };

    QMainWindow* m_window;
    QScrollArea* m_area;
    TrendsView* m_view;
    QAction* m_zoomIn;
    QAction* m_zoomOut;
    QAction* m_actualSize;
    QAction* m_fitToWindow;
    QAction* m_presentationLayout;
    bool m_checkOnScreen = false;
    Before m_before;
};

}  // namespace vorn
