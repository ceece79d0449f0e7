#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace metrivo::test {

// A readable description as a GoogleTest case name: its words joined in
// CamelCase, anything but letters and digits dropped ("1 MB of digits" gives
// "1MBOfDigits").
inline std::string CaseName(std::string_view description) {
    std::string name;
    bool wordStart = true;
    for (const char c : description) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalnum(byte)) {
            name += wordStart ? static_cast<char>(std::toupper(byte)) : c;
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    return name.empty() ? "Unnamed" : name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for parameters with a
// `name` member.
struct NameOfCase {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return CaseName(info.param.name);
    }
};

}  // namespace metrivo::test
