#pragma once

#include <QFont>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "shell/controls.h"

class QLabel;
class QScrollBar;

namespace vorn {

class BarChartView;
class GridView;
class LineChartView;
class TextBox;
class Trends;

/// The client area of the main window: every control of the window layout at its design
/// place and size, drawn from the window state `Trends`. User events go to the state's
/// handlers, after which the view catches up with the state (texts, tables, charts,
/// front-to-back order). The view decides nothing itself.
class TrendsView : public QWidget {
    Q_OBJECT
  public:
    explicit TrendsView(Trends& trends, QWidget* parent = nullptr);

    /// Runs a handler of the window state, then refreshes. An entry typed into a cell is
    /// committed first; when it is refused the handler does not run and the editor stays
    /// open. A handler that throws leaves a message instead of ending the program.
    void run(const std::function<void()>& handler);
    /// Catches up with the window state; skips what has not changed.
    void refresh();

    QWidget* widget(Control control) const {
        return m_widgets[static_cast<std::size_t>(index(control))];
    }
    GridView* grid(Control control) const;
    LineChartView* lineChart(Control control) const;
    BarChartView* barChart() const { return m_contributions; }

    /// Pixel rectangle of a control's design-time place.
    static QRect designRect(Control control);
    /// The font of every control: the platform's user-interface font at the design size.
    static QFont designFont();
    /// Size the client area needs to show every control whole.
    static QSize designSize();

  signals:
    /// The view has caught up with the window state.
    void refreshed();

  private:
    void build(const ControlLayout& layout);
    /// Tab moves through the controls in the order of their tab indexes.
    void applyTabOrder();
    QWidget* makeTextBox(const ControlLayout& layout);
    QWidget* makeSlider(const ControlLayout& layout);
    QWidget* makeLabel(const ControlLayout& layout);
    QWidget* makeGrid(const ControlLayout& layout);
    QWidget* makeChart(const ControlLayout& layout);
    void sliderMoved(Control slider, int position);
    void gridPressed(Control grid, int row, int column, int button);
    void entryKeyPressed(Control grid, int row, int column, const QString& text);
    /// Commits the entries of the open cell editors; false when one was refused.
    bool finishEntries();

    void refreshTexts();
    void refreshSliders();
    void refreshStacking();
    void refreshCharts();
    bool hiddenBehindAnother(Control control) const;
    void drawChart(Control chart);

    Trends& m_trends;
    std::array<QWidget*, kControlCount> m_widgets{};
    LineChartView* m_levels = nullptr;
    LineChartView* m_spread = nullptr;
    BarChartView* m_contributions = nullptr;
    std::vector<Control> m_shownStacking;
    unsigned long m_shownProjection = 0;
    bool m_anyProjectionShown = false;
    std::array<bool, kControlCount> m_chartOutdated{};
    bool m_running = false;
};

}  // namespace vorn
