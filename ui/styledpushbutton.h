#pragma once

#include <QFont>
#include <QPointF>
#include <QPushButton>
#include <QString>

namespace metrivo {

// The window's styled push button: a caption in its own font, a click
// notification (QPushButton::clicked) and a mouse-move notification that is
// raised whenever the pointer moves over the button, pressed or not.
class StyledPushButton : public QPushButton {
    Q_OBJECT

  public:
    StyledPushButton(const QString& caption, const QFont& font, QWidget* parent = nullptr);

  signals:
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF position);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace metrivo
