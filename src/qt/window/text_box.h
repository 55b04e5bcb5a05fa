#pragma once

#include <QPlainTextEdit>
#include <string>

namespace vorn {

/// A text box of the window: editable, borderless unless told otherwise. Texts from the
/// window's state arrive with "\r\n" line breaks and are shown without echoing a change;
/// what the user types is reported with "\r\n" line breaks.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    TextBox(bool multiLine, bool verticalScrollBar, QWidget* parent = nullptr);

    /// Shows `text` unless it is already shown (which keeps the cursor where it is).
    void showText(const std::string& text);
    /// The shown text with "\r\n" line breaks.
    std::string text() const;
    void setBorder(bool border);
    /// The room one line of text has in a box of `boxSize`: less the frame, the margin on
    /// either side and the cursor.
    QSize lineRoom(QSize boxSize) const;

  signals:
    void edited(const std::string& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Pastes only text. Qt's own paste ends the program when handed nothing at all, which is
    // what the X11 clipboard and primary selection give when no program owns them: a middle
    // click or Ctrl+V then does nothing.
    void insertFromMimeData(const QMimeData* source) override;

  private:
    bool m_multiLine;
};

}  // namespace vorn
