#include "unitlistaccessible.h"

#include <QAbstractItemView>

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

}  // namespace metrivo
