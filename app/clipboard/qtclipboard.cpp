#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace metrivo {
namespace {

constexpr int32_t kWindowsText = 1;
constexpr int32_t kWindowsOemText = 7;
constexpr int32_t kWindowsUnicodeText = 13;

bool ReportsOwnership() {
    const QString platform = QGuiApplication::platformName();
    return platform == u"xcb" || platform == u"windows";
}

}  // namespace

QtClipboard::QtClipboard() : QtClipboard(*QGuiApplication::clipboard()) {}

QtClipboard::QtClipboard(QClipboard& clipboard) : clipboard_(clipboard) {}

bool QtClipboard::Clear() {
    // Giving the clipboard up leaves it empty; the window system reports no
    // failure of that.
    clipboard_.clear();
    return true;
}

bool QtClipboard::SetText(const std::string& text, int32_t format) {
    const QString mimeType = MimeType(format);
    if (mimeType == u"text/plain") {
        clipboard_.setText(QString::fromStdString(text));
    } else {
        auto* data = new QMimeData;
        data->setData(mimeType, QByteArray::fromStdString(text));
        clipboard_.setMimeData(data);
    }
    return Holds();
}

QString QtClipboard::MimeType(int32_t format) {
    switch (format) {
        case kPlainText:
        case kWindowsText:
        case kWindowsOemText:
        case kWindowsUnicodeText:
            return QStringLiteral("text/plain");
        default:
            return QStringLiteral("application/x-metrivo-clipboard-format-") +
                   QString::number(format);
    }
}

bool QtClipboard::Holds() const {
    return !ReportsOwnership() || clipboard_.ownsClipboard();
}

}  // namespace metrivo
