// The batch line parser of metrivo-convert on arbitrary bytes: every line
// gives a result text or a one-line message, never an exception or a crash,
// and no message carries a control byte to the terminal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "batchrunner.h"
#include "unitcatalogue.h"

namespace {

const metrivo::UnitCatalogue& Catalogue() {
    static const metrivo::UnitCatalogue catalogue = metrivo::UnitCatalogue::Loaded();
    return catalogue;
}

bool TerminalSafe(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f) return false;
        // C1 controls as UTF-8, and the bidi controls U+202A to U+202E.
        if (c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0) {
            return false;
        }
        if (c == 0xe2 && text.substr(i, 2) == "\xe2\x80" && i + 2 < text.size()) {
            const auto d = static_cast<unsigned char>(text[i + 2]);
            if (d >= 0xaa && d <= 0xae) return false;
        }
    }
    return true;
}

// One runner for each separator, as one run of the tool has: lines do not
// depend on the lines before them.
metrivo::BatchRunner& Runner(bool comma) {
    static metrivo::BatchRunner point(Catalogue(), ".");
    static metrivo::BatchRunner decimalComma(Catalogue(), ",");
    return comma ? decimalComma : point;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    metrivo::BatchRunner& runner = Runner((data[0] & 1) != 0);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    while (true) {
        const auto end = rest.find('\n');
        const std::string& result = runner.ConvertLine(rest.substr(0, end));
        const std::string& message = runner.message();
        if (!message.empty() && !TerminalSafe(message)) std::abort();
        if (message.empty() && result.empty()) std::abort();
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return 0;
}
