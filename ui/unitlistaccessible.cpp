#include "unitlistaccessible.h"

#include <QAbstractItemView>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "unitlist.h"

namespace metrivo {

UnitListAccessible::UnitListAccessible(UnitList* list)
    : QAccessibleWidget(list, QAccessible::ComboBox) {}

UnitList* UnitListAccessible::list() const {
    return static_cast<UnitList*>(widget());
}

QAccessible::Role UnitListAccessible::role() const {
    return QAccessible::ComboBox;
}

QString UnitListAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName();
        case QAccessible::Value:
            return list()->currentText();
        default:
            return QAccessibleWidget::text(t);
    }
}

QAccessible::State UnitListAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = list()->view() != nullptr && list()->view()->isVisible();
    state.collapsed = !state.expanded;
    return state;
}

void* UnitListAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

int UnitListAccessible::childCount() const {
    return 1;
}

QAccessibleInterface* UnitListAccessible::child(int index) const {
    if (index != 0) return nullptr;
    // Asked for its units, the list keeps its view's selection with its own.
    list()->FollowViewSelection();
    return QAccessible::queryAccessibleInterface(list()->view());
}

int UnitListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child != nullptr && child->object() == list()->view() ? 0 : -1;
}

QStringList UnitListAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void UnitListAccessible::doAction(const QString& actionName) {
    if (actionName == showMenuAction() || actionName == pressAction()) {
        list()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void UnitListAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0) *endOffset = characterCount();
}

int UnitListAccessible::selectionCount() const {
    return characterCount() > 0 ? 1 : 0;
}

// The shown unit is selected as a whole; a part of it cannot be.
void UnitListAccessible::addSelection(int, int) {}
void UnitListAccessible::removeSelection(int) {}
void UnitListAccessible::setSelection(int, int, int) {}

int UnitListAccessible::cursorPosition() const {
    return 0;
}

void UnitListAccessible::setCursorPosition(int) {}
void UnitListAccessible::scrollToSubstring(int, int) {}

QString UnitListAccessible::ShownText() const {
    return list()->currentText();
}

const QWidget* UnitListAccessible::TextWidget() const {
    return list();
}

QRect UnitListAccessible::TextArea() const {
    // The closed list draws its text one pixel inside its edit field.
    QStyleOptionComboBox option;
    option.initFrom(list());
    option.editable = false;
    return list()
        ->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list())
        .adjusted(1, 0, -1, 0);
}

}  // namespace metrivo
