#include "readonlytextaccessible.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace metrivo {

ReadOnlyTextAccessible::ReadOnlyTextAccessible(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit* ReadOnlyTextAccessible::box() const {
    return static_cast<QLineEdit*>(widget());
}

QAccessible::State ReadOnlyTextAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.editable = false;
    state.selectableText = true;
    return state;
}

QString ReadOnlyTextAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return box()->text();
    return QAccessibleWidget::text(t);
}

void* ReadOnlyTextAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void ReadOnlyTextAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText()) return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int ReadOnlyTextAccessible::selectionCount() const {
    return box()->hasSelectedText() ? 1 : 0;
}

void ReadOnlyTextAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void ReadOnlyTextAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) box()->deselect();
}

void ReadOnlyTextAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) return;
    const int length = characterCount();
    startOffset = qBound(0, startOffset, length);
    endOffset = qBound(0, endOffset, length);
    box()->setSelection(startOffset, endOffset - startOffset);
}

int ReadOnlyTextAccessible::cursorPosition() const {
    return box()->cursorPosition();
}

void ReadOnlyTextAccessible::setCursorPosition(int position) {
    box()->setCursorPosition(position);
}

QString ReadOnlyTextAccessible::text(int startOffset, int endOffset) const {
    const QString all = box()->text();
    if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
    if (startOffset < 0 || startOffset > endOffset) return {};
    return all.mid(startOffset, endOffset - startOffset);
}

int ReadOnlyTextAccessible::characterCount() const {
    return static_cast<int>(box()->text().size());
}

QRect ReadOnlyTextAccessible::characterRect(int offset) const {
    const QString all = box()->text();
    if (offset < 0 || offset >= all.size()) return {};
    // The text starts where the box's contents do; it is not scrolled while
    // it fits, and a result always fits.
    QStyleOptionFrame option;
    option.initFrom(box());
    const QRect contents =
        box()->style()->subElementRect(QStyle::SE_LineEditContents, &option, box());
    const QFontMetrics metrics(box()->font());
    const int left = contents.left() + 2 + metrics.horizontalAdvance(all.left(offset));
    const QRect local(left, contents.top(), metrics.horizontalAdvance(all.at(offset)),
                      contents.height());
    return QRect(box()->mapToGlobal(local.topLeft()), local.size());
}

int ReadOnlyTextAccessible::offsetAtPoint(const QPoint& point) const {
    for (int offset = 0; offset < characterCount(); ++offset) {
        if (characterRect(offset).contains(point)) return offset;
    }
    return -1;
}

void ReadOnlyTextAccessible::scrollToSubstring(int startIndex, int) {
    box()->setCursorPosition(startIndex);
}

QString ReadOnlyTextAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    (void)offset;
    return {};
}

}  // namespace metrivo
