#include "form/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

// A number to a field's text. Writing stands on an exact conversion:
// std::to_chars or, where TINTMEND_PRINTF_DIGITS is defined, the C library's
// printf (the WebAssembly build's C++ library has no floating-point
// to_chars). The rules that differ from its (half-away-from-zero rounding in
// two steps, the classic non-finite texts) are built on top here, once.

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace {

constexpr int kSignificantDigits = 17;

// A decimal of kSignificantDigits digits: digits[0].digits[1..] * 10^exponent.
struct Decimal17 {
    char digits[kSignificantDigits];
    int exponent;
};

// a > 0 in scientific form, "d.ddd...e+XX" with precision digits after the
// point, from its exact value correctly rounded (ties to even). The Windows
// program asks the C library's exact printf, which costs it little, where
// to_chars' tables alone would double its size, and so does the web page,
// whose C++ library has no to_chars for doubles; elsewhere to_chars is the
// faster of the two.
void WriteScientific(double a, int precision, char (&text)[64]) {
#ifdef TINTMEND_PRINTF_DIGITS
    std::snprintf(text, sizeof text, "%.*e", precision, a);
#else
    auto r = std::to_chars(text, text + sizeof text - 1, a, std::chars_format::scientific, precision);
    *r.ptr = '\0';
#endif
}

// Reads the digits and exponent of a scientific text "d.ddd...e+XX".
int ReadScientific(const char* text, char* digits, int count) {
    const char* p = text;
    for (int i = 0; i < count; ++i) {
        if (*p == '.') ++p;
        digits[i] = static_cast<char>(*p++ - '0');
    }
    // "e", a sign, then two or three digits.
    const bool negative = p[1] == '-';
    int exponent = 0;
    for (p += 2; IsDigit(*p); ++p) exponent = exponent * 10 + (*p - '0');
    return negative ? -exponent : exponent;
}

// Adds one unit in the last of count digits; true when the carry runs out of
// the first digit (the digits are then 000..., and the caller shifts).
bool IncrementDigits(char* digits, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] < 9) {
            ++digits[i];
            return false;
        }
        digits[i] = 0;
    }
    return true;
}

// Whether a (positive, finite, with decimal exponent e10) lies exactly
// halfway between two neighbouring 17-digit decimals, i.e. whether
// 2 * a * 10^(16 - e10) is an odd integer. With a = m * 2^e and m odd this
// needs no big arithmetic.
bool IsHalfwayAt17(double a, int e10) {
    int binary_exponent = 0;
    double fraction = std::frexp(a, &binary_exponent);
    auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int e = binary_exponent - 53;
    while ((m & 1) == 0) {
        m >>= 1;
        ++e;
    }
    int q = kSignificantDigits - 1 - e10;
    if (q >= 0) return e + q + 1 == 0;  // m * 5^q * 2^(e+q+1), m * 5^q odd
    int p = -q;                         // m * 2^(e+1-p) / 5^p
    if (e + 1 != p) return false;
    for (int i = 0; i < p; ++i, m /= 5) {
        if (m % 5 != 0) return false;
    }
    return true;
}

// The exact value of a > 0 rounded half away from zero to 17 significant
// digits. The exact conversion breaks ties to even, so it is asked for 18
// digits; only when the 18th shows a 5 can the true remainder be below, at or
// above the half, and then it is looked at exactly.
Decimal17 RoundTo17Digits(double a) {
    constexpr int kWide = kSignificantDigits + 1;
    char text[64];
    char digits[kWide];
    WriteScientific(a, kWide - 1, text);
    Decimal17 d{};
    d.exponent = ReadScientific(text, digits, kWide);
    std::memcpy(d.digits, digits, kSignificantDigits);

    bool round_up = digits[kWide - 1] > 5;
    if (digits[kWide - 1] == 5) {
        if (IsHalfwayAt17(a, d.exponent)) {
            round_up = true;
        } else {
            WriteScientific(a, kSignificantDigits - 1, text);
            d.exponent = ReadScientific(text, d.digits, kSignificantDigits);
            return d;
        }
    }
    if (round_up && IncrementDigits(d.digits, kSignificantDigits)) {
        d.digits[0] = 1;
        ++d.exponent;
    }
    return d;
}

constexpr int kPlaces = 5;
constexpr int kMinWidth = 7;

// "[-]d.ddddde+NNN": the digits rounded once more, half away from zero, to
// six significant digits.
void FormatExponent(bool negative, Decimal17 d, char* out) {
    constexpr int kKept = 1 + kPlaces;
    if (d.digits[kKept] >= 5 && IncrementDigits(d.digits, kKept)) {
        d.digits[0] = 1;
        ++d.exponent;
    }
    char* p = out;
    if (negative) *p++ = '-';
    *p++ = static_cast<char>('0' + d.digits[0]);
    *p++ = '.';
    for (int i = 1; i < kKept; ++i) *p++ = static_cast<char>('0' + d.digits[i]);
    *p++ = 'e';
    *p++ = d.exponent < 0 ? '-' : '+';
    int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
    if (magnitude < 10) *p++ = '0';
    p = std::to_chars(p, p + 8, magnitude).ptr;
    *p = '\0';
}

// A finite double has at most 309 integer digits (it is below 1.8e308), and
// rounding to 17 digits can carry into one more; then the spare digit for a
// carry out of the integer part, and the places.
constexpr int kMaxIntegerDigits = std::numeric_limits<double>::max_exponent10 + 2;
constexpr int kMaxFixedDigits = 1 + kMaxIntegerDigits + kPlaces;

// The classic texts: the full stop after the marker's first character, zeros
// up to five places.
const char* NonFiniteText(double value) {
    bool negative = std::signbit(value);
    if (std::isinf(value)) return negative ? "-1.#INF0" : "1.#INF0";
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
    constexpr std::uint64_t kQuietBit = std::uint64_t{1} << 51;
    // The "indefinite" that 0/0 yields on x86: sign set, top fraction bit only.
    if (negative && (bits & kFractionMask) == kQuietBit) return "-1.#IND0";
    return negative ? "-1.#QNAN" : "1.#QNAN";
}

// Fixed point: the integer digits then five places, rounded from the 17
// digits of d, half away from zero, with one spare digit in front for a
// carry out of the integer part. Returns the count of digits in fixed.
int RoundToFixed(const Decimal17& d, bool zero, char (&fixed)[kMaxFixedDigits]) {
    const int int_digits = d.exponent >= 0 ? d.exponent + 1 : 1;
    const int count = 1 + int_digits + kPlaces;
    std::memset(fixed, 0, static_cast<size_t>(count));
    if (zero) return count;
    // Digit i of d has place 10^(exponent - i), so it lands at shift + i.
    const int shift = int_digits - d.exponent;
    for (int i = 0; i < kSignificantDigits; ++i) {
        int at = shift + i;
        if (at >= count) {
            // The first dropped place decides: 5 or more rounds up in magnitude.
            if (at == count && d.digits[i] >= 5) IncrementDigits(fixed, count);
            break;
        }
        fixed[at] = d.digits[i];
    }
    return count;
}

}  // namespace

void FormatFieldNumber(double value, char (&text)[kFieldBufferSize]) {
    if (!std::isfinite(value)) {
        std::strcpy(text, NonFiniteText(value));
        return;
    }
    bool negative = std::signbit(value);
    Decimal17 d{};
    if (value != 0.0) d = RoundTo17Digits(std::fabs(value));

    char fixed[kMaxFixedDigits];
    const int count = RoundToFixed(d, value == 0.0, fixed);
    int first = fixed[0] != 0 ? 0 : 1;
    int length = (negative ? 1 : 0) + (count - first) + 1;
    if (length > kFieldBufferSize - 1) {
        FormatExponent(negative, d, text);
        return;
    }

    char* p = text;
    for (int pad = kMinWidth - length; pad > 0; --pad) *p++ = ' ';
    if (negative) *p++ = '-';
    for (int i = first; i < count; ++i) {
        if (i == count - kPlaces) *p++ = '.';
        *p++ = static_cast<char>('0' + fixed[i]);
    }
    *p = '\0';
}

namespace {

// Scientific digits from 1e-6 up to below 1e21 are written in fixed point,
// as JavaScript writes numbers; others keep their exponent.
constexpr int kLowestFixedExponent = -6;
constexpr int kHighestFixedExponent = 20;

// The digits (count of them, with decimal exponent e10) as plain decimal.
void WriteDecimal(const char* digits, int count, int e10, char*& p) {
    if (e10 < kLowestFixedExponent || e10 > kHighestFixedExponent) {
        *p++ = static_cast<char>('0' + digits[0]);
        if (count > 1) *p++ = '.';
        for (int i = 1; i < count; ++i) *p++ = static_cast<char>('0' + digits[i]);
        p += std::snprintf(p, 8, "e%+d", e10);
        return;
    }
    const int int_digits = e10 >= 0 ? e10 + 1 : 1;
    for (int i = 0; i < int_digits; ++i) *p++ = e10 >= 0 && i < count ? static_cast<char>('0' + digits[i]) : '0';
    if (count <= int_digits && e10 >= 0) return;
    *p++ = '.';
    for (int z = e10 + 1; z < 0; ++z) *p++ = '0';
    for (int i = e10 >= 0 ? int_digits : 0; i < count; ++i) *p++ = static_cast<char>('0' + digits[i]);
}

}  // namespace

void FormatShortestNumber(double value, char (&text)[kShortestNumberSize]) {
    if (!std::isfinite(value)) {
        std::strcpy(text, NonFiniteText(value));
        return;
    }
    char* p = text;
    if (std::signbit(value)) *p++ = '-';
    const double a = std::fabs(value);
    if (a == 0.0) {
        std::strcpy(p, "0");
        return;
    }
    // Seventeen significant digits always read back as the same double.
    char scientific[64];
    int precision = 0;
    for (; precision < kSignificantDigits - 1; ++precision) {
        WriteScientific(a, precision, scientific);
        if (ParseFieldNumber(scientific) == a) break;
    }
    if (precision == kSignificantDigits - 1) WriteScientific(a, precision, scientific);
    char digits[kSignificantDigits];
    const int e10 = ReadScientific(scientific, digits, precision + 1);
    WriteDecimal(digits, precision + 1, e10, p);
    *p = '\0';
}
