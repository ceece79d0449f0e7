#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace metrivo {

// A piece of user input for a message, safe to show on a terminal: in double
// quotes, with every C0 control, DEL, C1 control (U+0080 to U+009F), bidi
// control (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069), line
// or paragraph separator and byte that is not valid UTF-8 shown as an escape
// ("\t", "\x1b", "\u202e"); a quote and a backslash are escaped too. Input
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
