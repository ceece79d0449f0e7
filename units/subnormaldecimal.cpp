#include "subnormaldecimal.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace metrivo {
namespace {

// A non-negative integer in base 2^32, least significant limb first.
using Big = std::vector<uint32_t>;

void MultiplyAdd(Big& a, uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (uint32_t& limb : a) {
        const uint64_t v = static_cast<uint64_t>(limb) * factor + carry;
        limb = static_cast<uint32_t>(v);
        carry = v >> 32;
    }
    if (carry != 0) a.push_back(static_cast<uint32_t>(carry));
}

Big ShiftedLeft(const Big& a, unsigned bits) {
    Big out(bits / 32, 0);
    const unsigned shift = bits % 32;
    uint32_t carry = 0;
    for (uint32_t limb : a) {
        out.push_back(shift == 0 ? limb : (limb << shift) | carry);
        carry = shift == 0 ? 0 : limb >> (32 - shift);
    }
    if (carry != 0) out.push_back(carry);
    return out;
}

void Trim(Big& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

int Compare(const Big& a, const Big& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

// a -= b, for a >= b.
void Subtract(Big& a, const Big& b) {
    int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int64_t v = static_cast<int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
        borrow = v < 0 ? 1 : 0;
        if (v < 0) v += int64_t{1} << 32;
        a[i] = static_cast<uint32_t>(v);
    }
    Trim(a);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double SubnormalDecimal::Read(std::string_view number) {
    // The significant digits as an integer D and the power of ten of its last
    // digit, so that the value is D * 10^exponent10 (plus a trace when sticky).
    Big digits;
    std::size_t kept = 0;
    bool sticky = false;
    long long exponent10 = 0;
    std::size_t i = 0;
    bool fraction = false;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (kept == 0 && c == '0') {
            if (fraction) --exponent10;
            continue;
        }
        if (kept < kDigits) {
            MultiplyAdd(digits, 10, static_cast<uint32_t>(c - '0'));
            ++kept;
            if (fraction) --exponent10;
        } else {
            sticky = sticky || c != '0';
            if (!fraction) ++exponent10;
        }
    }
    if (kept == 0) return 0.0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        long long e = 0;
        for (; i < number.size() && IsDigit(number[i]); ++i) {
            if (e < 1'000'000'000) e = e * 10 + (number[i] - '0');
        }
        exponent10 += negative ? -e : e;
    }
    // Below 10^-325 the value is less than half the smallest subnormal.
    if (exponent10 + static_cast<long long>(kept) <= -325) return 0.0;
    if (exponent10 >= 0) return 0.0;  // not a value this reader is for

    // q = round(D * 2^1074 / 10^k) counts the smallest subnormal, 2^-1074.
    const Big numerator = ShiftedLeft(digits, 1074);
    Big denominator{1};
    for (long long k = 0; k < -exponent10; ++k) MultiplyAdd(denominator, 10, 0);

    Big remainder = numerator;
    Trim(remainder);
    uint64_t q = 0;
    for (int bit = 54; bit >= 0; --bit) {
        Big step = ShiftedLeft(denominator, static_cast<unsigned>(bit));
        Trim(step);
        if (Compare(step, remainder) <= 0) {
            Subtract(remainder, step);
            q |= uint64_t{1} << bit;
        }
    }
    Big twice = ShiftedLeft(remainder, 1);
    Trim(twice);
    Trim(denominator);
    const int half = Compare(twice, denominator);
    if (half > 0 || (half == 0 && (sticky || (q & 1) != 0))) ++q;
    return std::ldexp(static_cast<double>(q), -1074);
}

}  // namespace metrivo
