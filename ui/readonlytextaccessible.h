#pragma once

#include <QAccessibleWidget>

#include "linetextinterface.h"

class QLineEdit;

namespace metrivo {

// A read-only text box as the accessibility bus sees it: text that can be
// read, selected and copied but not edited, so screen readers say "read only"
// and offer no editing. Its one child is the notification that announces a
// text the program writes into it (Announce).
class ReadOnlyTextAccessible : public QAccessibleWidget, public LineTextInterface {
  public:
    explicit ReadOnlyTextAccessible(QLineEdit* box);
    ~ReadOnlyTextAccessible() override;

    // Tells screen readers the box's new text without moving the focus, once.
    // Nothing is sent while no assistive technology listens, nor for an
    // empty text.
    static void Announce(QLineEdit* box);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

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
    QLineEdit* box() const;

    // The announcement, registered with the accessibility cache on first use.
    mutable QAccessible::Id announcement_ = 0;
};

}  // namespace metrivo
