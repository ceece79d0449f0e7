#include "batchrunner.h"

#include <array>

#include "categorylookup.h"
#include "quotedtext.h"

namespace metrivo {
namespace {
constexpr std::size_t kFields = 4;
}

BatchRunner::BatchRunner(const UnitCatalogue& catalogue, std::ostream& errors,
                         std::string separator)
    : errors_(errors), converter_(catalogue, errors, std::move(separator)) {}

bool BatchRunner::Run(std::istream& in, std::ostream& out) {
    std::string line;
    uint64_t number = 0;
    while (true) {
        // Results wait in the output buffer, except when the next read may
        // block: then whoever feeds the lines one by one gets them first.
        if (in.rdbuf() == nullptr || in.rdbuf()->in_avail() <= 0) out.flush();
        if (!std::getline(in, line)) break;
        ++number;
        const std::string& result = ConvertLine(number, line);
        out.write(result.data(), static_cast<std::streamsize>(result.size()));
        out.put('\n');
    }
    out.flush();
    return messages_ == 0 && converter_.reportCount() == 0;
}

const std::string& BatchRunner::ConvertLine(uint64_t number, std::string_view line) {
    // Lines from Windows files end in CR LF.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::array<std::string_view, kFields> fields;
    std::size_t count = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view field = line.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (count < kFields) fields[count] = field;
        ++count;
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (count != kFields) {
        Message(number, "expected 4 tab-separated fields CATEGORY, AMOUNT, FROM, TO; found " +
                            std::to_string(count));
        return empty_;
    }
    const auto category = CategoryLookup::Parse(fields[0]);
    if (!category) {
        Message(number, "unknown category " + QuotedText::Of(fields[0]) + " (use " +
                            CategoryLookup::ValidValues() + ")");
        return empty_;
    }

    prefix_ = "line ";
    prefix_ += std::to_string(number);
    prefix_ += ": ";
    converter_.SetReportPrefix(prefix_);
    return converter_.Convert(*category, fields[1], fields[2], fields[3]);
}

void BatchRunner::Message(uint64_t number, std::string_view text) {
    ++messages_;
    std::string message = "line " + std::to_string(number) + ": ";
    message += text;
    message.push_back('\n');
    errors_.write(message.data(), static_cast<std::streamsize>(message.size()));
    errors_.flush();
}

}  // namespace metrivo
