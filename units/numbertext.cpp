#include "numbertext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
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

// The significant digits of a plain decimal's mantissa ("0.0250" has 3).
std::size_t SignificantDigits(std::string_view number) {
    std::size_t count = 0;
    bool started = false;
    for (const char c : number) {
        if (c == 'e' || c == 'E') break;
        if (!IsDigit(c)) continue;
        started = started || c != '0';
        if (started) ++count;
    }
    return count;
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

double NumberText::ReadAmount(std::string_view text, std::string_view separator, Reading* reading) {
    Reading ignored;
    Reading& r = reading ? *reading : ignored;
    // The text without white space, in a copy only when it has some or its
    // comma is to be read as the point.
    std::string copy;
    std::string_view s = text;
    if (std::any_of(text.begin(), text.end(), IsAmountSpace) ||
        (separator == "," && text.find(',') != std::string_view::npos)) {
        copy.reserve(text.size());
        for (char c : text) {
            if (!IsAmountSpace(c)) copy.push_back(c);
        }
        TakeCommaAsPoint(copy, separator);
        s = copy;
    }

    if (const int radix = RadixOf(s); radix != 10) {
        std::size_t used = 0;
        const double value = ReadRadixInteger(s.substr(2), radix, used);
        r.whole = used > 0 && used + 2 == s.size();
        r.fifteenDigits = true;  // 32 bits at most
        return value;
    }

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
        r.whole = false;
        r.fifteenDigits = true;
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
    r.whole = i == s.size();
    const double magnitude = ConvertDecimal(s.substr(start, i - start));
    // A decimal of at most 15 significant digits is the 15-digit rounding of
    // the double nearest to it, where doubles are spaced finely enough
    // (normal numbers): the double reads back as itself.
    r.fifteenDigits = SignificantDigits(s.substr(start, i - start)) <= 15 &&
                      (magnitude == 0.0 || magnitude >= std::numeric_limits<double>::min());
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

namespace {

// A value rounded to some significant digits: the digits without the point,
// and the decimal exponent of the first.
struct Rounded {
    std::array<char, 32> digits{};
    std::size_t length = 0;
    int exponent = 0;
};

// Exact, through std::to_chars.
Rounded RoundExactly(double magnitude, int digits) {
    std::array<char, 64> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                      std::chars_format::scientific, digits - 1);
    const char* p = buf.data();
    const char* const end = result.ptr;
    Rounded r;
    for (; p < end && *p != 'e'; ++p) {
        if (*p != '.') r.digits[r.length++] = *p;
    }
    ++p;  // the "e"
    const bool negativeExponent = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    for (; p < end; ++p) r.exponent = r.exponent * 10 + (*p - '0');
    if (negativeExponent) r.exponent = -r.exponent;
    return r;
}

constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// magnitude * 10^power, each of its at most three roundings within a part
// in 2^53.
double Scaled(double magnitude, int power) {
    const double step = kPowersOfTen[22];
    for (; power > 22; power -= 22) magnitude *= step;
    for (; power < -22; power += 22) magnitude /= step;
    return power >= 0 ? magnitude * kPowersOfTen[static_cast<std::size_t>(power)]
                      : magnitude / kPowersOfTen[static_cast<std::size_t>(-power)];
}

// Seven significant digits without std::to_chars, where that surely gives
// the exact rounding: scaled to seven digits before the point, the value is
// a few parts in 1e16 off, so unless it lies within a millionth of a half
// its rounding is the exact value's. False when it cannot decide.
bool RoundSevenQuickly(double magnitude, Rounded& r) {
    if (!(magnitude >= 1e-40 && magnitude <= 1e40)) return false;
    // The power of two of the leading bit, and from it the decimal exponent
    // of the first digit or one less: floor(power * log10(2)).
    const int binary = static_cast<int>((std::bit_cast<uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    int exponent = (binary * 78913) >> 18;
    double scaled = Scaled(magnitude, 6 - exponent);
    if (scaled >= 1e7) scaled = Scaled(magnitude, 6 - ++exponent);
    if (scaled < 1e6) scaled = Scaled(magnitude, 6 - --exponent);
    auto n = static_cast<uint32_t>(scaled);
    const double fraction = scaled - n;
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    if (fraction > 0.5) ++n;
    if (n == 10'000'000u) {
        n = 1'000'000u;
        ++exponent;
    }
    for (std::size_t i = 7; i-- > 0; n /= 10) r.digits[i] = static_cast<char>('0' + n % 10);
    r.length = 7;
    r.exponent = exponent;
    return true;
}

}  // namespace

std::string NumberText::Write(double value, int digits, std::string_view separator) {
    if (value != value || value - value != 0.0) throw RunTimeError(RunTimeError::kOverflow);

    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    Rounded rounded;
    if (digits != 7 || !RoundSevenQuickly(magnitude, rounded)) {
        rounded = RoundExactly(magnitude, digits);
    }
    std::size_t length = rounded.length;
    const int exponent = rounded.exponent;
    while (length > 1 && rounded.digits[length - 1] == '0') --length;
    if (length == 1 && rounded.digits[0] == '0') return "0";
    const std::string_view m(rounded.digits.data(), length);

    // Most texts fit in a string's own storage: no allocation.
    std::string out;
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
    const int power = exponent < 0 ? -exponent : exponent;
    if (power >= 100) out.push_back(static_cast<char>('0' + power / 100));
    out.push_back(static_cast<char>('0' + power / 10 % 10));
    out.push_back(static_cast<char>('0' + power % 10));
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
