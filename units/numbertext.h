#pragma once

#include <string>
#include <string_view>

namespace metrivo {

// The rules by which the program reads numbers from text and writes them as
// text. Nothing here reads the process locale: the decimal separator of the
// user's regional settings is always passed in.
class NumberText {
  public:
    // Reads the amount box. Spaces, tabs and line feeds are dropped first;
    // then an optional sign, digits, an optional "." and digits, an optional
    // exponent. Reading stops at the first character that does not fit, so
    // "abc" reads as 0. "&H" and "&O" start hexadecimal and octal integers
    // (16-bit two's complement when they fit, else 32-bit). Where the decimal
    // separator is ",", a text with one comma followed by a digit and no "."
    // is the decimal number it writes ("0,5"); otherwise "1,5" reads as 1.
    // Throws RunTimeError "Overflow" beyond the 64-bit float range or, for
    // "&H" and "&O", beyond 32 bits. `reading`, when given, tells more.
    struct Reading {
        bool whole = false;  // the reading took the whole text, white space aside
        // The value is its own 15-digit value (Round15 would not change it):
        // it was written with at most 15 significant digits.
        bool fifteenDigits = false;
    };
    static double ReadAmount(std::string_view text, std::string_view separator,
                             Reading* reading = nullptr);
    // The largest magnitude ReadAmount takes in the notation `text` uses.
    static std::string_view LargestAmountText(std::string_view text);
    static constexpr std::string_view kLargestDoubleText = "1.7976931348623157E+308";

    // Writes a value rounded to `digits` significant digits: plain notation
    // for decimal exponents from -4 to digits-1, otherwise scientific
    // ("1.234568E+07"), trailing zeros removed, zero always "0". Throws
    // "Overflow" for a value that is not finite.
    static std::string Write(double value, int digits, std::string_view separator);
    // The 7-digit text of a 32-bit float and the 15-digit text of a 64-bit one.
    static std::string Write7(float value, std::string_view separator) {
        return Write(value, 7, separator);
    }
    static std::string Write15(double value, std::string_view separator) {
        return Write(value, 15, separator);
    }

    // Reads text written by Write back under the same separator: the 64-bit
    // float nearest to the decimal written. Text of any other form is "Type
    // mismatch"; a value beyond the 64-bit range is "Overflow".
    static double ReadNumber(std::string_view text, std::string_view separator);

    // What ReadNumber(Write15(value)) gives, without the text: the 64-bit
    // float nearest to `value` rounded to 15 significant digits (+0 for
    // zero). The same failures: "Overflow" for a value that is not finite or
    // whose 15-digit text lies beyond the range.
    static double Round15(double value);
    // True when text written with `separator` reads back under it as the
    // same number: not empty, and without digits, signs, "e" or "E".
    static bool IsPlainSeparator(std::string_view separator);

  private:
    // Converts a plain decimal (no sign, "." as the point) that is known to
    // be well formed, raising "Overflow" when it lies beyond the range.
    static double ConvertDecimal(std::string_view digits);
};

}  // namespace metrivo
