#include "readonlytextaccessible.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "textannouncement.h"

namespace metrivo {

ReadOnlyTextAccessible::ReadOnlyTextAccessible(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

ReadOnlyTextAccessible::~ReadOnlyTextAccessible() {
    if (announcement_ != 0) QAccessible::deleteAccessibleInterface(announcement_);
}

void ReadOnlyTextAccessible::Announce(QLineEdit* box) {
    if (!QAccessible::isActive() || box->text().isEmpty()) return;
    auto* accessible =
        dynamic_cast<ReadOnlyTextAccessible*>(QAccessible::queryAccessibleInterface(box));
    if (accessible == nullptr) return;
    QAccessibleEvent shown(accessible->child(0), QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

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

int ReadOnlyTextAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* ReadOnlyTextAccessible::child(int index) const {
    if (index != 0) return nullptr;
    if (announcement_ == 0) {
        announcement_ = QAccessible::registerAccessibleInterface(new TextAnnouncement(box()));
    }
    return QAccessible::accessibleInterface(announcement_);
}

int ReadOnlyTextAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr && announcement_ != 0 &&
                   QAccessible::accessibleInterface(announcement_) == child
               ? 0
               : -1;
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

void ReadOnlyTextAccessible::scrollToSubstring(int startIndex, int) {
    box()->setCursorPosition(startIndex);
}

QString ReadOnlyTextAccessible::ShownText() const {
    return box()->text();
}

const QWidget* ReadOnlyTextAccessible::TextWidget() const {
    return box();
}

QRect ReadOnlyTextAccessible::TextArea() const {
    // A line edit starts its text 2 pixels inside its contents.
    QStyleOptionFrame option;
    option.initFrom(box());
    return box()
        ->style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, box())
        .adjusted(2, 0, 0, 0);
}

}  // namespace metrivo
