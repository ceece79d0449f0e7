#pragma once

#include <string>
#include <string_view>

namespace metrivo {

// The decimal separator of the user's regional settings, taken from the
// locale the environment names (LC_ALL, then LC_NUMERIC, then LANG). The
// window and metrivo-convert read it the same way, once, and pass it on.
class LocaleSeparator {
  public:
    static std::string FromEnvironment();
    // The locale name that decides numbers, given the three variables' values
    // (null or empty when unset).
    static std::string NumericLocaleName(const char* lcAll, const char* lcNumeric,
                                         const char* lang);
    // The decimal separator of a POSIX locale name such as "de_DE.UTF-8";
    // "." for "C", "POSIX", an empty or an unknown name.
    static std::string ForLocale(std::string_view localeName);
};

}  // namespace metrivo
