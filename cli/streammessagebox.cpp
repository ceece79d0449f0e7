#include "streammessagebox.h"

namespace metrivo {

void StreamMessageBox::ShowWarning(std::string_view /*title*/, std::string_view text) {
    ++reportCount_;
    // One write per report keeps the lines of a report together.
    const std::string lines = Lines(text, prefix_);
    out_.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    out_.flush();
}

std::string StreamMessageBox::Lines(std::string_view text, std::string_view prefix) {
    std::string out(prefix);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.push_back('\n');
            out += prefix;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('\n');
    return out;
}

}  // namespace metrivo
