#include "guardedapplication.h"

#include <QEvent>
#include <QMetaEnum>

#include "errorreport.h"
#include "eventguard.h"

namespace metrivo {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    if (report_ == nullptr) return QApplication::notify(receiver, event);
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        EventGuard::Handle(*report_, ProcedureFor(receiver, event).toStdString(),
                           std::current_exception());
    }
    return true;
}

QString GuardedApplication::ProcedureFor(const QObject* receiver, const QEvent* event) {
    QString name = receiver == nullptr ? QString() : receiver->objectName();
    if (name.isEmpty() && receiver != nullptr) {
        name = QString::fromLatin1(receiver->metaObject()->className());
    }
    const QMetaEnum types = QMetaEnum::fromType<QEvent::Type>();
    const char* kind = event == nullptr ? nullptr : types.valueToKey(event->type());
    return name + QLatin1Char('_') +
           (kind != nullptr ? QString::fromLatin1(kind) : QStringLiteral("Event"));
}

}  // namespace metrivo
