#pragma once

#include <QString>

#include "clipboardservice.h"

class QClipboard;

namespace metrivo {

// The system clipboard through Qt. Where the window system says who holds
// the clipboard (X11, Windows), putting a text on it has failed when the
// program does not hold it right afterwards, for instance because another
// program took it back at once; elsewhere a request counts as done.
class QtClipboard : public ClipboardService {
  public:
    // The application's clipboard; a QGuiApplication must exist.
    QtClipboard();
    explicit QtClipboard(QClipboard& clipboard);

    bool Clear() override;
    bool SetText(const std::string& text, int32_t format) override;

    // The MIME type a format code is offered under: the text formats of
    // Windows (1, 7, 13) and 0 as plain text, any other as a type of its own.
    static QString MimeType(int32_t format);

  private:
    bool Holds() const;

    QClipboard& clipboard_;
};

}  // namespace metrivo
