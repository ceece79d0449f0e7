#include "numbertext.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

#include "runtimeerror.h"
#include "subnormaldecimal.h"

namespace metrivo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&H..." and "&O...": an integer in base 16 or 8, 16-bit two's complement
// when it fits in 16 bits, 32-bit two's complement when it fits in 32.
// `used` counts the digits read.
double ReadRadixInteger(std::string_view text, int base, std::size_t& used) {
    uint64_t value = 0;
    used = 0;
    for (char c : text) {
        const int d = HexDigitValue(c);
        if (d < 0 || d >= base) break;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFu) throw RunTimeError(RunTimeError::kOverflow);
        ++used;
    }
    if (value <= 0xFFFFu) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// The base an amount starting "&H" or "&O" (either case) is written in; 10
// for every other text.
int RadixOf(std::string_view s) {
    if (s.size() < 2 || s[0] != '&') return 10;
    if (s[1] == 'H' || s[1] == 'h') return 16;
    if (s[1] == 'O' || s[1] == 'o') return 8;
    return 10;
}

bool IsAmountSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Where the separator is ",", one comma followed by a digit in a text
// without "." is that text's decimal point.
void TakeCommaAsPoint(std::string& s, std::string_view separator) {
    if (separator != ",") return;
    const std::size_t comma = s.find(',');
    if (comma == std::string::npos || s.find(',', comma + 1) != std::string::npos ||
        s.find('.') != std::string::npos || comma + 1 >= s.size() || !IsDigit(s[comma + 1])) {
        return;
    }
    s[comma] = '.';
}

// Where a plain decimal's first significant digit stands, as a power of ten
// (saturating). Used only to tell an overflow from an underflow.
long long LeadingExponent(std::string_view number) {
    std::size_t i = 0;
    long long integerDigits = 0;
    long long firstNonZero = 0;
    bool found = false;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        if (!found && number[i] != '0') {
            found = true;
            firstNonZero = integerDigits;
        }
        ++integerDigits;
    }
    long long exponentOfFirst = 0;
    if (found) {
        exponentOfFirst = integerDigits - 1 - firstNonZero;
    }
    if (i < number.size() && number[i] == '.') {
        ++i;
        for (long long k = 1; i < number.size() && IsDigit(number[i]); ++i, ++k) {
            if (!found && number[i] != '0') {
                found = true;
                exponentOfFirst = -k;
            }
        }
    }
    if (!found) return 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            negative = number[i] == '-';
            ++i;
        }
        long long exponent = 0;
        for (; i < number.size() && IsDigit(number[i]); ++i) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
        }
        exponentOfFirst += negative ? -exponent : exponent;
    }
    return exponentOfFirst;
}

}  // namespace

double NumberText::ConvertDecimal(std::string_view number) {
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (LeadingExponent(number) > 0) throw RunTimeError(RunTimeError::kOverflow);
        return SubnormalDecimal::Read(number);
    }
    if (result.ec != std::errc()) return 0.0;
    // Zero, subnormal and smallest normal results are read exactly here:
    // library versions disagree on them.
    if (value <= std::numeric_limits<double>::min()) return SubnormalDecimal::Read(number);
    return value;
}

double NumberText::ReadAmount(std::string_view text, std::string_view separator, bool* whole) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!IsAmountSpace(c)) s.push_back(c);
    }

    if (const int radix = RadixOf(s); radix != 10) {
        std::size_t used = 0;
        const double value = ReadRadixInteger(std::string_view(s).substr(2), radix, used);
        if (whole) *whole = used > 0 && used + 2 == s.size();
        return value;
    }
    TakeCommaAsPoint(s, separator);

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) ++mantissaDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (; i < s.size() && IsDigit(s[i]); ++i) ++mantissaDigits;
    }
    if (mantissaDigits == 0) {
        if (whole) *whole = false;
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    if (whole) *whole = i == s.size();
    const double magnitude = ConvertDecimal(std::string_view(s).substr(start, i - start));
    return negative ? -magnitude : magnitude;
}

std::string_view NumberText::LargestAmountText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsAmountSpace(text[i])) ++i;
    std::string start;
    for (; i < text.size() && start.size() < 2; ++i) {
        if (!IsAmountSpace(text[i])) start.push_back(text[i]);
    }
    switch (RadixOf(start)) {
        case 16:
            return "&HFFFFFFFF";
        case 8:
            return "&O37777777777";
        default:
            return kLargestDoubleText;
    }
}

std::string NumberText::Write(double value, int digits, std::string_view separator) {
    if (value != value || value - value != 0.0) throw RunTimeError(RunTimeError::kOverflow);

    // Scientific form rounded to the digits wanted: "-d.ddddde+XX".
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                      std::chars_format::scientific, digits - 1);
    const char* p = buf.data();
    const char* const end = result.ptr;
    const bool negative = *p == '-';
    if (negative) ++p;
    std::array<char, 64> mantissa{};
    std::size_t length = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.') mantissa[length++] = *p;
    }
    int exponent = 0;
    ++p;  // the "e"
    const bool negativeExponent = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    for (; p < end; ++p) exponent = exponent * 10 + (*p - '0');
    if (negativeExponent) exponent = -exponent;
    while (length > 1 && mantissa[length - 1] == '0') --length;
    if (length == 1 && mantissa[0] == '0') return "0";
    const std::string_view m(mantissa.data(), length);

    std::string out;
    out.reserve(length + separator.size() + 8);
    if (negative) out.push_back('-');
    if (exponent >= -4 && exponent < digits) {
        if (exponent >= 0) {
            const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (length <= integerDigits) {
                out += m;
                out.append(integerDigits - length, '0');
            } else {
                out += m.substr(0, integerDigits);
                out += separator;
                out += m.substr(integerDigits);
            }
        } else {
            out.push_back('0');
            out += separator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += m;
        }
        return out;
    }
    out.push_back(m[0]);
    if (length > 1) {
        out += separator;
        out += m.substr(1);
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) out.push_back(static_cast<char>('0' + magnitude / 100));
    out.push_back(static_cast<char>('0' + magnitude / 10 % 10));
    out.push_back(static_cast<char>('0' + magnitude % 10));
    return out;
}

double NumberText::Round15(double value) {
    if (value != value || value - value != 0.0) throw RunTimeError(RunTimeError::kOverflow);
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                      std::chars_format::scientific, 14);
    const bool negative = buf[0] == '-';
    const char* begin = buf.data() + (negative ? 1 : 0);
    const double magnitude =
        ConvertDecimal(std::string_view(begin, static_cast<std::size_t>(result.ptr - begin)));
    if (magnitude == 0.0) return 0.0;
    return negative ? -magnitude : magnitude;
}

bool NumberText::IsPlainSeparator(std::string_view separator) {
    if (separator.empty()) return false;
    for (char c : separator) {
        if (IsDigit(c) || c == '+' || c == '-' || c == 'e' || c == 'E') return false;
    }
    return true;
}

double NumberText::ReadNumber(std::string_view text, std::string_view separator) {
    // Accept exactly the forms Write produces: [-]digits[SEP digits][E(+|-)digits],
    // copying the number with "." in place of the separator.
    const std::string_view point = separator.empty() ? std::string_view(".") : separator;
    std::string plain;
    plain.reserve(text.size());
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::size_t digitCount = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digitCount) plain.push_back(text[i]);
    if (text.substr(i).starts_with(point)) {
        i += point.size();
        plain.push_back('.');
        for (; i < text.size() && IsDigit(text[i]); ++i, ++digitCount) plain.push_back(text[i]);
    }
    if (digitCount == 0) throw RunTimeError(RunTimeError::kTypeMismatch);
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        plain.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
        if (i >= text.size() || !IsDigit(text[i])) throw RunTimeError(RunTimeError::kTypeMismatch);
        for (; i < text.size() && IsDigit(text[i]); ++i) plain.push_back(text[i]);
    }
    if (i != text.size()) throw RunTimeError(RunTimeError::kTypeMismatch);
    const double magnitude = ConvertDecimal(plain);
    return negative ? -magnitude : magnitude;
}

}  // namespace metrivo
