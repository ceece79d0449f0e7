#include "styledpushbutton.h"

#include <QMouseEvent>

namespace metrivo {

StyledPushButton::StyledPushButton(const QString& caption, const QFont& font, QWidget* parent)
    : QPushButton(caption, parent) {
    setFont(font);
    setMouseTracking(true);
    setAutoDefault(false);
}

void StyledPushButton::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->buttons(), event->modifiers(), event->position());
    QPushButton::mouseMoveEvent(event);
    // The button answers for its own area; the move does not reach the frame
    // or window beneath it.
    event->accept();
}

}  // namespace metrivo
