#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class QLineEdit;

namespace metrivo {

// What screen readers are told when the program writes a new text into a
// read-only box that the focus is not in, as a conversion does into Results:
// a notification, the box's one child on the accessibility bus, named like
// the box and describing its text ("Results", "1.133981"). It is never drawn
// and takes no focus; it shows to the bus once for each text announced.
class TextAnnouncement : public QAccessibleInterface {
  public:
    explicit TextAnnouncement(QLineEdit* box);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

  private:
    QPointer<QLineEdit> box_;
};

}  // namespace metrivo
