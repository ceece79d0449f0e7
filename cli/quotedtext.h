#pragma once

#include <string>
#include <string_view>

namespace metrivo {

// A piece of user input for a message: in double quotes, control bytes shown
// as "?", and cut short after kMaxBytes so a megabyte of input stays one
// readable line.
class QuotedText {
  public:
    static constexpr std::size_t kMaxBytes = 60;

    static std::string Of(std::string_view text);
};

}  // namespace metrivo
