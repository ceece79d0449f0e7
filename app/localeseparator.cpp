#include "localeseparator.h"

#include <QLocale>
#include <QString>
#include <cstdlib>

namespace metrivo {

std::string LocaleSeparator::FromEnvironment() {
    return ForLocale(
        NumericLocaleName(std::getenv("LC_ALL"), std::getenv("LC_NUMERIC"), std::getenv("LANG")));
}

std::string LocaleSeparator::NumericLocaleName(const char* lcAll, const char* lcNumeric,
                                               const char* lang) {
    for (const char* value : {lcAll, lcNumeric, lang}) {
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

std::string LocaleSeparator::ForLocale(std::string_view localeName) {
    std::string name(localeName);
    // The codeset and modifier do not change the separator.
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") return ".";
    const QLocale locale(QString::fromStdString(name));
    if (locale.language() == QLocale::C) return ".";
    const std::string separator = locale.decimalPoint().toStdString();
    return separator.empty() ? "." : separator;
}

}  // namespace metrivo
