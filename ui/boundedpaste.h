#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>

class QAction;
class QLineEdit;

namespace metrivo {

// Hands a line edit no more of a paste than fits in its maximum length. Qt's
// line edit, given a longer text, copies the part that fits once for every
// character it takes: a mebibyte and one character pasted into a box of a
// mebibyte kept the window busy for a minute, where a mebibyte takes half a
// second. The paste is cut where the line edit would cut it, so the box
// holds what it held before. Covers the paste keys (Ctrl+V, Shift+Insert and
// Ctrl+Shift+Insert for the selection), the middle button (the selection), a
// drop, and the context menu's Paste.
class BoundedPaste : public QObject {
    Q_OBJECT
  public:
    // Watches `box` for as long as the box lives.
    explicit BoundedPaste(QLineEdit& box);

    // What of `text` fits in `box` in place of its selection.
    static QString Fitting(const QLineEdit& box, const QString& text);
    // The Paste of a line edit's context menu.
    static bool IsPasteAction(const QAction& action);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Paste(QClipboard::Mode mode);
    bool ContextMenu(const QPoint& globalPosition);

    QLineEdit& box_;
};

}  // namespace metrivo
