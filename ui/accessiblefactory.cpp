#include "accessiblefactory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

#include "readonlytextaccessible.h"
#include "unitlist.h"
#include "unitlistaccessible.h"

namespace metrivo {

void AccessibleFactory::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&AccessibleFactory::Create);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* AccessibleFactory::Create(const QString& key, QObject* object) {
    if (key == QLatin1String("metrivo::Form1")) {
        // A window of its own: desktops and test tools look for a frame.
        return new QAccessibleWidget(qobject_cast<QWidget*>(object), QAccessible::Window);
    }
    if (key == QLatin1String("metrivo::UnitList")) {
        return new UnitListAccessible(static_cast<UnitList*>(object));
    }
    if (key == QLatin1String("QLineEdit")) {
        auto* box = static_cast<QLineEdit*>(object);
        if (box->isReadOnly()) return new ReadOnlyTextAccessible(box);
    }
    return nullptr;
}

}  // namespace metrivo
