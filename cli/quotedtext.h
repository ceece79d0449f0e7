#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace metrivo {

// A piece of user input for a message, safe to show on a terminal: in double
// quotes, with every C0 control, DEL, C1 control (U+0080 to U+009F), format
// character (byte order mark, zero-width and bidi controls, soft hyphen...),
// line or paragraph separator and byte that is not valid UTF-8 shown as an
// escape ("\t", "\x1b", "\ufeff", "\U000e0041"); a quote and a backslash are escaped too. Input
// beyond kMaxBytes is cut at a character boundary and its length given, so a
// megabyte of input stays one readable line.
class QuotedText {
  public:
    static constexpr std::size_t kMaxBytes = 60;

    static std::string Of(std::string_view text);
    // The same without the quotes and without cutting.
    static std::string Escaped(std::string_view text);

  private:
    static void Append(std::string& out, std::string_view text, std::size_t limit,
                       std::size_t& consumed);
};

}  // namespace metrivo
