#include "apptitle.h"

#include <QGuiApplication>

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
    QGuiApplication::setApplicationDisplayName(AppTitle::Cut(AppTitle::ProductName()));
}

}  // namespace metrivo
