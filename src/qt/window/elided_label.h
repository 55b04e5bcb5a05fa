#pragma once

#include <QLabel>

namespace vorn {

/// A one-line label that shows a text too long for it shortened by an ellipsis: the file
/// name at its end stays whole where it fits, and the start ("Initial Scenario ...") keeps
/// what room is left. text() stays the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    /// True when the text does not fit and is shown shortened.
    bool isElided() const;
    /// The text as it is drawn.
    QString shownText() const;
    /// Wrapped, the whole text is shown on as many lines as it needs instead.
    void setWrapped(bool wrapped);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vorn
