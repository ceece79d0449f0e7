#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace metrivo {

// Gives the window's own kinds of control the interfaces that screen readers
// and voice control need of them: the window is a frame named by its
// caption, the unit lists are named combo boxes whose units can be chosen,
// read-only text boxes say so and offer no editing.
class AccessibleFactory {
  public:
    // Installs the factory once per process; later calls do nothing.
    static void Install();

    static QAccessibleInterface* Create(const QString& key, QObject* object);
};

}  // namespace metrivo
