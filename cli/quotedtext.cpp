#include "quotedtext.h"

#include <cstdint>

namespace metrivo {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendByteEscape(std::string& out, unsigned char c) {
    out += "\\x";
    out.push_back(kHex[c >> 4]);
    out.push_back(kHex[c & 0xf]);
}

// Length of the valid UTF-8 sequence at the start of `s` and its code point;
// 0 when the first byte does not start one.
std::size_t DecodeUtf8(std::string_view s, uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t length = 0;
    uint32_t min = 0;
    if (b0 >= 0xc2 && b0 <= 0xdf) {
        length = 2, cp = b0 & 0x1fu, min = 0x80;
    } else if (b0 >= 0xe0 && b0 <= 0xef) {
        length = 3, cp = b0 & 0x0fu, min = 0x800;
    } else if (b0 >= 0xf0 && b0 <= 0xf4) {
        length = 4, cp = b0 & 0x07u, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xc0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3fu);
    }
    if (cp < min || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return 0;
    return length;
}

// Characters a terminal shows as nothing or that change how the rest of the
// line is shown: C1 controls, line and paragraph separators, and the format
// characters (byte order mark, zero-width and bidi controls, soft hyphen,
// invisible operators, tags).
struct Range {
    uint32_t first;
    uint32_t last;
};
constexpr Range kEscaped[] = {
    {0x80, 0x9f},       {0xad, 0xad},       {0x600, 0x605},     {0x61c, 0x61c},
    {0x6dd, 0x6dd},     {0x70f, 0x70f},     {0x890, 0x891},     {0x8e2, 0x8e2},
    {0x180e, 0x180e},   {0x200b, 0x200f},   {0x2028, 0x202e},   {0x2060, 0x2064},
    {0x2066, 0x206f},   {0xfeff, 0xfeff},   {0xfff9, 0xfffb},   {0x110bd, 0x110bd},
    {0x110cd, 0x110cd}, {0x13430, 0x1343f}, {0x1bca0, 0x1bca3}, {0x1d173, 0x1d17a},
    {0xe0001, 0xe0001}, {0xe0020, 0xe007f},
};

bool MustEscape(uint32_t cp) {
    for (const Range& r : kEscaped) {
        if (cp >= r.first && cp <= r.last) return true;
    }
    return false;
}

void AppendCodePointEscape(std::string& out, uint32_t cp) {
    if (cp > 0xffff) {
        out += "\\U";
        for (int shift = 28; shift >= 0; shift -= 4) out.push_back(kHex[(cp >> shift) & 0xf]);
        return;
    }
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(cp >> shift) & 0xf]);
}

}  // namespace

void QuotedText::Append(std::string& out, std::string_view text, std::size_t limit,
                        std::size_t& consumed) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        uint32_t cp = c;
        if (c >= 0x80) {
            length = DecodeUtf8(text.substr(i), cp);
            if (length == 0) length = 1;
        }
        if (i + length > limit) break;
        if (c < 0x80) {
            switch (c) {
                case '\t':
                    out += "\\t";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                default:
                    if (c < 0x20 || c == 0x7f) {
                        AppendByteEscape(out, c);
                    } else {
                        out.push_back(static_cast<char>(c));
                    }
            }
        } else if (length == 1) {
            AppendByteEscape(out, c);  // not valid UTF-8
        } else if (MustEscape(cp)) {
            AppendCodePointEscape(out, cp);
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    consumed = i;
}

std::string QuotedText::Of(std::string_view text) {
    std::string out = "\"";
    std::size_t consumed = 0;
    Append(out, text, kMaxBytes, consumed);
    out.push_back('"');
    if (consumed < text.size()) {
        out += "... (";
        out += std::to_string(text.size());
        out += " bytes)";
    }
    return out;
}

std::string QuotedText::Escaped(std::string_view text) {
    std::string out;
    std::size_t consumed = 0;
    Append(out, text, text.size(), consumed);
    return out;
}

}  // namespace metrivo
