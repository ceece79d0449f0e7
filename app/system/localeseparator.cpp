#include "localeseparator.h"

#include <clocale>

namespace metrivo {

std::string LocaleSeparator::FromEnvironment() {
    // The numeric locale is left as it was found: only its separator is
    // wanted, never the C library's own number formatting.
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = current != nullptr ? current : "C";
    std::string separator = ".";
    if (std::setlocale(LC_NUMERIC, "") != nullptr) {
        const char* point = std::localeconv()->decimal_point;
        if (point != nullptr && *point != '\0') separator = point;
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    return separator;
}

}  // namespace metrivo
