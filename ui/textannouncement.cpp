#include "textannouncement.h"

#include <QLineEdit>
#include <QWidget>

namespace metrivo {

TextAnnouncement::TextAnnouncement(QLineEdit* box) : box_(box) {}

bool TextAnnouncement::isValid() const {
    return !box_.isNull();
}

QObject* TextAnnouncement::object() const {
    return nullptr;
}

QWindow* TextAnnouncement::window() const {
    return box_ ? box_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TextAnnouncement::parent() const {
    return box_ ? QAccessible::queryAccessibleInterface(box_.data()) : nullptr;
}

QAccessibleInterface* TextAnnouncement::child(int) const {
    return nullptr;
}

int TextAnnouncement::childCount() const {
    return 0;
}

int TextAnnouncement::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QAccessibleInterface* TextAnnouncement::childAt(int, int) const {
    return nullptr;
}

QString TextAnnouncement::text(QAccessible::Text t) const {
    if (!box_) return {};
    switch (t) {
        case QAccessible::Name:
            return box_->accessibleName();
        case QAccessible::Description:
            return box_->text();
        default:
            return {};
    }
}

void TextAnnouncement::setText(QAccessible::Text, const QString&) {}

QRect TextAnnouncement::rect() const {
    return {};
}

QAccessible::Role TextAnnouncement::role() const {
    return QAccessible::Notification;
}

QAccessible::State TextAnnouncement::state() const {
    QAccessible::State state;
    state.invisible = true;
    return state;
}

}  // namespace metrivo
