#pragma once

#include <QProxyStyle>

namespace metrivo {

// The application's style for the window's frames, with the frame drawn as a
// plain rounded border. Styles such as Fusion fill a frame's inside with a
// tint of their own; the frames are white, inside and out.
class FrameStyle : public QProxyStyle {
    Q_OBJECT
  public:
    // A fresh instance of the application's style (the proxy owns its base).
    FrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace metrivo
