#pragma once

#include <QAccessibleWidget>

namespace metrivo {

class UnitList;

// What screen readers and voice control see of a unit list: a combo box named
// by its frame ("From", "To") whose value is the unit shown ("From, combo box,
// pound"), with the list of units as its child. Toggling or pressing a unit
// of that list through the accessibility bus selects it, as a pick with the
// mouse does.
class UnitListAccessible : public QAccessibleWidget {
  public:
    explicit UnitListAccessible(UnitList* list);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  private:
    UnitList* list() const;
};

}  // namespace metrivo
