#pragma once

#include <cstdint>
#include <string>

namespace metrivo {

// The system clipboard. Each operation reports whether it took effect; one
// may also fail by raising a RunTimeError.
class ClipboardService {
  public:
    // Attempts of ClearClipboard and SetClipboardText.
    static constexpr int32_t kMaxAttempts = 1000;
    // Format code of plain text, the clipboard's default text format.
    static constexpr int32_t kPlainText = 0;

    virtual ~ClipboardService() = default;

    virtual bool Clear() = 0;
    // Puts `text` (UTF-8) on the clipboard as plain text for kPlainText, in
    // the given format otherwise.
    virtual bool SetText(const std::string& text, int32_t format) = 0;
};

// Empties the clipboard: attempts until one succeeds, at most kMaxAttempts
// times in a row without pause; a failure of the last one is dropped.
void ClearClipboard(ClipboardService& clipboard);

// Puts `text` on the clipboard the same way; true (-1) when the last attempt
// succeeded, false (0) otherwise. Reports nothing.
int16_t SetClipboardText(ClipboardService& clipboard, const std::string& text, int32_t format);

}  // namespace metrivo
