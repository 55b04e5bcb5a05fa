#pragma once

#include <QColor>
#include <QScrollBar>
#include <functional>

namespace vorn {

/// A slider of the window: a horizontal scroll bar whose keys move the natural way (Right
/// and Up increase the value), that names its position in words in a tooltip while it is
/// hovered or moved, and that marks keyboard focus with a ring in the highlight colour.
class SliderBar : public QScrollBar {
    Q_OBJECT
  public:
    /// `valueText` names a position: "2 years per step, horizon 2040".
    SliderBar(std::function<QString(int)> valueText, QWidget* parent = nullptr);

    /// The words for the position the thumb shows, also while it is being dragged.
    QString positionText() const { return m_valueText(sliderPosition()); }
    /// Draws the thumb in `color`, which stands out against the track; an invalid colour
    /// leaves the thumb to the style.
    void setThumbColor(const QColor& color);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void showPositionTip();

    std::function<QString(int)> m_valueText;
    QColor m_thumb;
};

}  // namespace vorn
