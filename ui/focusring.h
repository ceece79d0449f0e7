#pragma once

#include <QFocusFrame>
#include <QPointer>

namespace metrivo {

// A ring around the control of a window that has the keyboard focus, drawn
// outside the control on what surrounds it (the white of its frame or of the
// window): two pixels wide, one pixel off the control's edge, dark blue on a
// light background and white on a dark one, so that it stands out at least
// 3:1 in any colour scheme. Styles draw a focus of their own, often too
// faint on white (Fusion's option buttons, 2:1); the ring comes on top of it.
// A focus frame is no control of its own: screen readers do not count it
// among the frame's contents. It places itself rather than following one
// widget as QFocusFrame::setWidget would, with its style's margins.
class FocusRing : public QFocusFrame {
    Q_OBJECT
  public:
    static constexpr int kGap = 1;
    static constexpr int kWidth = 2;

    // Follows the focus among the controls of `window`.
    explicit FocusRing(QWidget* window);

    // The control the ring is around; none while the focus is outside the
    // window's controls.
    QWidget* Control() const { return control_; }
    // The colour of the ring on that background.
    static QColor RingColour(const QColor& background);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Follow(QWidget* focused);

    QWidget* window_;
    QPointer<QWidget> control_;
};

}  // namespace metrivo
