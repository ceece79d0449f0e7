#include "qtmessagebox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QShortcut>

namespace metrivo {

QString QtMessageBox::DisplayText(std::string_view text) {
    QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void QtMessageBox::ShowWarning(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Warning,
                    QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                    DisplayText(text), QMessageBox::Ok, parent_.data());
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.setWindowModality(Qt::ApplicationModal);
    // Ctrl+C copies the whole report, for a mail or a bug report, as the
    // box asks.
    const QString shown = box.text();
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box,
                     [shown] { QGuiApplication::clipboard()->setText(shown); });
    box.exec();
}

}  // namespace metrivo
