#include "framestyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace metrivo {
namespace {

// Between the caption's line and the frame's top edge.
constexpr int kCaptionGap = 3;

QStyle* ApplicationStyleCopy() {
    const QStyle* current = QApplication::style();
    return current == nullptr ? nullptr : QStyleFactory::create(current->name());
}

}  // namespace

FrameStyle::FrameStyle() : QProxyStyle(ApplicationStyleCopy()) {}

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Some styles hand over the whole box and leave the caption's band out
    // themselves, as the caption stands above the frame.
    QRect frame = option->rect;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    if (box != nullptr && !box->title().isEmpty() && frame.top() == 0) {
        frame.setTop(qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                          option->fontMetrics.height()) +
                     kCaptionGap);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(option->palette.color(QPalette::Mid), 1.0));
    painter->setBrush(Qt::NoBrush);
    const QRectF border = QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5);
    painter->drawRoundedRect(border, 2.0, 2.0);
    painter->restore();
}

}  // namespace metrivo
