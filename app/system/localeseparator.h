#pragma once

#include <string>

namespace metrivo {

// The decimal separator of the user's regional settings, as the C library
// reads them from LC_ALL, LC_NUMERIC and LANG: the one printf, awk and sort
// use around the program. The window and metrivo-convert read it once, the
// same way, and pass it on.
class LocaleSeparator {
  public:
    // "." where the locale is C, POSIX, or one the system does not have.
    static std::string FromEnvironment();
};

}  // namespace metrivo
