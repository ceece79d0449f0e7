#include "apptitle.h"

#include <QCoreApplication>

namespace metrivo {

QString AppTitle::ProductName() {
    return QStringLiteral("Metrivo");
}

QString AppTitle::Cut(QString name) {
    do {
        const qsizetype space = name.lastIndexOf(QChar(u' '));
        if (space < 0) break;
        name.truncate(space);
    } while (name.size() > kMaxLength);
    return name;
}

void SetAppTitle() {
    // The application name is what the desktop lists the running program by
    // (the class of its X11 windows; the Wayland application id comes from
    // the desktop file). The display name is left alone: once set, Qt would
    // append it to every window title, the report box's included.
    QCoreApplication::setApplicationName(AppTitle::Cut(AppTitle::ProductName()));
}

}  // namespace metrivo
