#include "focusring.h"

#include <QApplication>
#include <QPainter>
#include <QRegion>

#include "colourcontrast.h"

namespace metrivo {

FocusRing::FocusRing(QWidget* window) : QFocusFrame(window), window_(window) {
    setObjectName(QStringLiteral("FocusRing"));
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* focused) { Follow(focused); });
}

QColor FocusRing::RingColour(const QColor& background) {
    return ColourContrast::Strongest(background, {QColor(0, 70, 140), QColor(Qt::white)});
}

void FocusRing::Follow(QWidget* focused) {
    const bool control =
        focused != nullptr && focused != window_ && focused != this && focused->window() == window_;
    if (!control) {
        control_ = nullptr;
        hide();
        return;
    }
    control_ = focused;
    if (parentWidget() != focused->parentWidget()) setParent(focused->parentWidget());
    const int outside = kGap + kWidth;
    const QRect around = focused->geometry().adjusted(-outside, -outside, outside, outside);
    setGeometry(around);
    const QRect outer(QPoint(0, 0), around.size());
    setMask(QRegion(outer).subtracted(QRegion(outer.adjusted(kWidth, kWidth, -kWidth, -kWidth))));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    const QWidget* under = parentWidget();
    QPainter painter(this);
    painter.fillRect(rect(), RingColour(under->palette().color(under->backgroundRole())));
}

}  // namespace metrivo
