// The skin filter on arbitrary text. What it keeps is in its own plain form:
// filtering it again changes nothing, every declaration is a look property,
// no backslash or comment is left for Qt to read otherwise, braces balance,
// and every image is one the resolver gave.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "skinfilter.h"

namespace {

constexpr std::string_view kCopies = "/copies/";

// Images named "<letters>.png" are allowed; a kept sheet names their copies.
std::optional<std::string> Resolve(std::string_view url) {
    if (url.substr(0, kCopies.size()) == kCopies) return std::string(url);
    if (url.size() < 5 || url.substr(url.size() - 4) != ".png") return std::nullopt;
    for (const char c : url.substr(0, url.size() - 4)) {
        if (c < 'a' || c > 'z') return std::nullopt;
    }
    return std::string(kCopies) + std::string(url);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

// Every line of a kept sheet is "selectors {", "    name: value;" or "}".
void CheckForm(const std::string& kept) {
    std::size_t start = 0;
    bool inside = false;
    while (start < kept.size()) {
        const std::size_t end = kept.find('\n', start);
        Check(end != std::string::npos);
        const std::string_view line(kept.data() + start, end - start);
        if (!inside) {
            Check(line.size() > 2 && line.substr(line.size() - 2) == " {");
            inside = true;
        } else if (line == "}") {
            inside = false;
        } else {
            Check(line.substr(0, 4) == "    " && line.back() == ';');
            const std::size_t colon = line.find(": ");
            Check(colon != std::string_view::npos);
            const std::string_view name = line.substr(4, colon - 4);
            for (const char c : name) Check((c >= 'a' && c <= 'z') || c == '-');
            Check(name.substr(0, 10) != "qproperty-");
        }
        start = end + 1;
    }
    Check(!inside);
    Check(kept.find('\\') == std::string::npos);
    // Every url( outside a string is a quoted copy the resolver gave.
    bool inString = false;
    for (std::size_t at = 0; at < kept.size(); ++at) {
        if (kept[at] == '"') {
            inString = !inString;
        } else if (!inString && kept.compare(at, 4, "url(") == 0) {
            Check(kept.compare(at + 4, 1 + kCopies.size(), "\"" + std::string(kCopies)) == 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view sheet(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> kept = metrivo::SkinFilter::Filter(sheet, Resolve);
    if (!kept) return 0;
    CheckForm(*kept);
    Check(metrivo::SkinFilter::Filter(*kept, Resolve) == kept);
    return 0;
}
