#pragma once

#include <string>
#include <string_view>

namespace metrivo::test {

// A test-case name made from a short text, for tables whose cases are best
// named by what they hold: letters and digits stay, the usual punctuation
// becomes a word ("-1.5" is "Minus1Dot5", "1 000" is "1Space000"), and
// control or non-ASCII bytes are named by kind, never dumped as bytes.
inline std::string ReadableName(std::string_view text) {
    if (text.empty()) return "Empty";
    std::string out;
    bool lastNonAscii = false;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool nonAscii = c >= 0x80;
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out.push_back(ch);
        } else if (nonAscii) {
            if (!lastNonAscii) out += "NonAscii";
        } else {
            switch (c) {
                case '.':
                    out += "Dot";
                    break;
                case ',':
                    out += "Comma";
                    break;
                case '-':
                    out += "Minus";
                    break;
                case '+':
                    out += "Plus";
                    break;
                case ' ':
                    out += "Space";
                    break;
                case '\t':
                    out += "Tab";
                    break;
                case '\n':
                    out += "Newline";
                    break;
                case '\r':
                    out += "Cr";
                    break;
                case '\0':
                    out += "Nul";
                    break;
                case '&':
                    out += "Amp";
                    break;
                case '/':
                    out += "Per";
                    break;
                case '_':
                    out += "_";
                    break;
                default:
                    out += c < 0x20 || c == 0x7f ? "Control" : "Sym";
                    break;
            }
        }
        lastNonAscii = nonAscii;
    }
    if (out.size() > 48) out = out.substr(0, 40) + "Etc" + std::to_string(text.size());
    return out;
}

}  // namespace metrivo::test
