#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace metrivo {

// Keeps of a skin's style sheet only what changes how the window looks.
//
// The sheet is read as rules "selectors { name: value; ... }" and written
// again in a plain form of its own, so that Qt reads exactly what was
// checked: no comments, no escapes, strings in double quotes. What is kept:
//  - selectors of type, class, object name, attribute, pseudo-state and
//    sub-control parts, with the usual combinators;
//  - declarations of the look properties (colours, backgrounds, borders,
//    fonts, margins, paddings, sizes, positions of sub-controls), whose value
//    is made of names, numbers, colours, strings and the functions rgb(),
//    rgba(), hsv(), hsva(), hsl(), hsla(), palette() and the three Qt
//    gradients;
//  - url() of an image, as the resolver allows and rewrites it.
// What is refused: "qproperty-" and every other property that is no look
// (it would change what the window does or stores), at-rules, escapes,
// lengths beyond kMaxLength pixels (a pt is 4/3 px), lengths in em or ex
// (Qt makes them the font's height and x-height, which no cap on the number
// bounds), negative lengths but for margins and offsets, font sizes of zero
// or less, unknown units and functions. A refused declaration is left out; a rule left
// without declarations, or with a selector that is refused, is left out
// whole. Nothing is reported.
class SkinFilter {
  public:
    // More selectors than this and the skin is not used at all: each one is
    // matched against every control at every change of state.
    static constexpr std::size_t kMaxSelectors = 512;
    // The largest length, in pixels, of any size, margin, border or font.
    static constexpr double kMaxLength = 1024;

    // Given the text inside url(), the path to hand to Qt, or nothing to
    // refuse the declaration.
    using UrlResolver = std::function<std::optional<std::string>(std::string_view url)>;

    // The kept part of `sheet` (UTF-8), which may be empty; nothing when the
    // sheet as a whole cannot be used (a comment, string or block left open,
    // more than kMaxSelectors selectors).
    static std::optional<std::string> Filter(std::string_view sheet, const UrlResolver& resolve);
};

}  // namespace metrivo
