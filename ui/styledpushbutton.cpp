#include "styledpushbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace metrivo {

StyledPushButton::StyledPushButton(const QString& caption, const QFont& font, QWidget* parent)
    : QPushButton(caption, parent) {
    setFont(font);
    setMouseTracking(true);
    setAutoDefault(false);
}

void StyledPushButton::keyPressEvent(QKeyEvent* event) {
    // Return and Enter press the focused button, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void StyledPushButton::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event->buttons(), event->modifiers(), event->position());
    QPushButton::mouseMoveEvent(event);
    // The button answers for its own area; the move does not reach the frame
    // or window beneath it.
    event->accept();
}

}  // namespace metrivo
