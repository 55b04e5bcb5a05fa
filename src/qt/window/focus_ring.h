#pragma once

#include <QPointer>
#include <QWidget>

namespace vorn {

/// A ring in the highlight colour around a control that draws none of its own (the text
/// boxes), while it has the keyboard focus. It lies over the control, takes no clicks and
/// follows the control's place and size.
class FocusRing : public QWidget {
    Q_OBJECT
  public:
    explicit FocusRing(QWidget* parent);

    /// Rings `target`, a child of the same parent; nullptr: no ring.
    void follow(QWidget* target);
    QWidget* target() const { return m_target; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void place();

    QPointer<QWidget> m_target;
};

}  // namespace vorn
