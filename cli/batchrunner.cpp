#include "batchrunner.h"

#include <array>

#include "categorylookup.h"
#include "quotedtext.h"

namespace metrivo {
namespace {
constexpr std::size_t kFields = 4;
// What Windows tools write before UTF-8 text.
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
}  // namespace

BatchRunner::BatchRunner(const UnitCatalogue& catalogue, std::string separator)
    : converter_(catalogue, std::move(separator)) {}

BatchRunner::End BatchRunner::Run(int in, FdOutput& out, FdOutput& errors, std::string_view source,
                                  std::size_t maxLine) {
    LineReader reader(in, maxLine, [&out] { out.Flush(); });
    const uint64_t messagesBefore = messages_;
    uint64_t number = 0;
    std::string_view line;
    std::string where = "metrivo-convert: ";
    if (!source.empty()) where += QuotedText::Escaped(source) + ": ";
    where += "line ";
    auto report = [&](std::string_view text) {
        ++messages_;
        // Results before the message, so both read in order on one terminal.
        out.Flush();
        std::string full = where + std::to_string(number) + ": ";
        full += text;
        full.push_back('\n');
        errors.Write(full);
        errors.Flush();
    };
    while (!out.failed()) {
        const LineReader::Status status = reader.Next(line);
        if (status == LineReader::Status::kEnd) break;
        if (status == LineReader::Status::kError) {
            out.Flush();
            error_ = reader.error();
            return End::kReadFailed;
        }
        ++number;
        if (status == LineReader::Status::kTooLong) {
            report("line longer than " + std::to_string(reader.maxLine()) + " bytes");
            out.Put('\n');
            continue;
        }
        if (number == 1 && line.starts_with(kByteOrderMark))
            line.remove_prefix(kByteOrderMark.size());
        const std::string& result = ConvertLine(line);
        if (!message_.empty()) report(message_);
        out.Write(result);
        out.Put('\n');
    }
    if (out.Flush()) return messages_ == messagesBefore ? End::kClean : End::kMessages;
    error_ = out.error();
    return End::kWriteFailed;
}

const std::string& BatchRunner::ConvertLine(std::string_view line) {
    message_.clear();
    // Lines from Windows files end in CR LF.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    // The fields between tabs.
    std::array<std::string_view, kFields> fields;
    std::size_t count = 0;
    for (std::string_view rest = line;; ++count) {
        const std::size_t tab = rest.find('\t');
        if (count < kFields) fields[count] = rest.substr(0, tab);
        if (tab == std::string_view::npos) break;
        rest.remove_prefix(tab + 1);
    }
    ++count;
    if (count != kFields) {
        message_ = "expected 4 tab-separated fields CATEGORY, AMOUNT, FROM, TO; found " +
                   std::to_string(count);
        return empty_;
    }
    const auto category = CategoryLookup::Parse(fields[0]);
    if (!category) {
        message_ = "unknown category " + QuotedText::Of(fields[0]) + " (use " +
                   CategoryLookup::ValidValues() + ")";
        return empty_;
    }
    if (!converter_.Convert(*category, fields[1], fields[2], fields[3])) {
        message_ = converter_.message();
    }
    return converter_.text();
}

}  // namespace metrivo
