#include "linetextinterface.h"

#include <QFontMetrics>
#include <QWidget>

namespace metrivo {

QString LineTextInterface::text(int startOffset, int endOffset) const {
    const QString all = ShownText();
    if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
    if (startOffset < 0 || startOffset > endOffset) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int LineTextInterface::characterCount() const {
    return static_cast<int>(ShownText().size());
}

QRect LineTextInterface::characterRect(int offset) const {
    const QString all = ShownText();
    if (offset < 0 || offset >= all.size()) return {};
    const QWidget* widget = TextWidget();
    const QRect area = TextArea();
    const QFontMetrics metrics(widget->font());
    const QRect local(area.left() + metrics.horizontalAdvance(all.left(offset)), area.top(),
                      metrics.horizontalAdvance(all.at(offset)), area.height());
    return QRect(widget->mapToGlobal(local.topLeft()), local.size());
}

int LineTextInterface::offsetAtPoint(const QPoint& point) const {
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (characterRect(offset).contains(point)) return offset;
    }
    return -1;
}

QString LineTextInterface::attributes(int offset, int* startOffset, int* endOffset) const {
    // One run of text without attributes of its own.
    (void)offset;
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

}  // namespace metrivo
