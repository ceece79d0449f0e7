#include "clipboardservice.h"

#include "runtimeerror.h"

namespace metrivo {
namespace {

// One attempt: an operation that raises has failed like one that says so.
template <typename Operation>
bool Attempt(Operation&& operation) {
    try {
        return operation();
    } catch (const RunTimeError&) {
        return false;
    }
}

}  // namespace

void ClearClipboard(ClipboardService& clipboard) {
    int32_t attempts = 0;
    bool done = false;
    do {
        done = Attempt([&] { return clipboard.Clear(); });
        ++attempts;
    } while (!done && attempts < ClipboardService::kMaxAttempts);
}

int16_t SetClipboardText(ClipboardService& clipboard, const std::string& text, int32_t format) {
    int32_t attempts = 0;
    bool done = false;
    do {
        done = Attempt([&] { return clipboard.SetText(text, format); });
        ++attempts;
    } while (!done && attempts < ClipboardService::kMaxAttempts);
    return done ? int16_t{-1} : int16_t{0};
}

}  // namespace metrivo
