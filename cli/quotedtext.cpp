#include "quotedtext.h"

namespace metrivo {

std::string QuotedText::Of(std::string_view text) {
    std::string out = "\"";
    const std::size_t shown = text.size() > kMaxBytes ? kMaxBytes : text.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out.push_back(c < 0x20 || c == 0x7f ? '?' : text[i]);
    }
    out.push_back('"');
    if (shown < text.size()) {
        out += "... (";
        out += std::to_string(text.size());
        out += " bytes)";
    }
    return out;
}

}  // namespace metrivo
