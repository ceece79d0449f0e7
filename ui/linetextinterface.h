#pragma once

#include <QAccessibleTextInterface>
#include <QRect>
#include <QString>

class QWidget;

namespace metrivo {

// The text functions that screen readers ask of a control showing one line
// of text the user cannot edit: its characters, where each stands on the
// screen, and which character lies at a point.
class LineTextInterface : public QAccessibleTextInterface {
  public:
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  protected:
    // The line as shown, the control that shows it, and the rectangle of the
    // control where the line's first character starts (the line is not
    // scrolled: it always fits).
    virtual QString ShownText() const = 0;
    virtual const QWidget* TextWidget() const = 0;
    virtual QRect TextArea() const = 0;
};

}  // namespace metrivo
