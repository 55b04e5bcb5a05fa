#pragma once

#include <QWidget>

namespace vorn {

/// Tells a screen reader what a command changed. Qt 6.4 has no announcement event, so the
/// text becomes the name of this notification object, which then shows anew: a screen reader
/// speaks a notification as it appears (Orca does). It takes no room and draws nothing.
class Announcer : public QWidget {
    Q_OBJECT
  public:
    explicit Announcer(QWidget* parent = nullptr);

    /// Speaks `text`; an empty text is not spoken.
    void announce(const QString& text);
    /// The text last spoken.
    QString lastAnnouncement() const { return accessibleName(); }

  signals:
    void announced(const QString& text);
};

}  // namespace vorn
