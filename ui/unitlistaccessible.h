#pragma once

#include <QAccessibleWidget>

#include "linetextinterface.h"

namespace metrivo {

class UnitList;

// What screen readers and voice control see of a unit list: a combo box named
// by its frame ("From", "To") whose value and text are the unit shown
// ("From, combo box, pound"), with the list of units as its child. Toggling
// or pressing a unit of that list through the accessibility bus selects it,
// as a pick with the mouse does.
//
// The shown unit reads as selected text: the closed list shows its selected
// entry, and a screen reader speaks a new entry of a list the way it speaks
// newly selected text. UnitList sends the change of the text.
class UnitListAccessible : public QAccessibleWidget, public LineTextInterface {
  public:
    explicit UnitListAccessible(UnitList* list);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // QAccessibleTextInterface
    using LineTextInterface::text;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    void scrollToSubstring(int startIndex, int endIndex) override;

  protected:
    QString ShownText() const override;
    const QWidget* TextWidget() const override;
    QRect TextArea() const override;

  private:
    UnitList* list() const;
};

}  // namespace metrivo
