#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace metrivo::test {

// The address the test programs' reports name.
inline constexpr std::string_view kTestSupportAddress = "help@metrivo.test";

// The whole text of an error report box, as the user reads it.
inline std::string ReportText(std::string_view procedure, std::string_view description, int label,
                              std::string_view supportAddress) {
    return std::string(description) + "\r\nin MetrivoProj2021/08/31.Form1." +
           std::string(procedure) + " at line " + std::to_string(label) +
           "\r\rPlease email screenshot of this message to " + std::string(supportAddress);
}

// A report's description and line label, "Overflow@124": what most tests
// compare.
inline std::string ReportOf(std::string_view text) {
    const std::string_view marker = " at line ";
    const auto at = text.find(marker);
    const auto end = text.find('\r', at);
    return std::string(text.substr(0, text.find('\r'))) + "@" +
           std::string(text.substr(at + marker.size(), end - at - marker.size()));
}

inline std::vector<std::string> ReportsOf(const std::vector<std::string>& texts) {
    std::vector<std::string> reports;
    for (const std::string& text : texts) reports.push_back(ReportOf(text));
    return reports;
}

}  // namespace metrivo::test
