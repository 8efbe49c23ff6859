#include "form/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>

// A field's text to its number. Reading stands on an exact conversion:
// std::from_chars or, where TINTMEND_STRTOD_READING is defined, the C
// library's strtod (the WebAssembly build's C++ library has no floating-point
// from_chars). The rules that differ from its (the grammar, the d exponent
// letter) are built on top here, once.

namespace {

// An exponent's digits are added up only to here: past it the number lies far
// outside a double's range whatever digits stand before it (a field holds at
// most 254), and the sum cannot overflow a long long however many follow.
constexpr long long kExponentCap = 1000000000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) ++p;
    return p;
}

// Copies the delimited number [mantissa, end), "mantissa[letter[+|-]digits]",
// where the conversions want it: with zeros more digits of 0 at the end of the
// mantissa (after a full stop, added if it has none), the exponent letter made
// an e, and a terminating zero; into local when it fits, as a field's text
// always does, and otherwise into heap. Returns the copy and its length.
const char* CopyNumber(const char* mantissa, const char* mantissa_end, const char* end, int zeros,
                       char (&local)[kFieldBufferSize], std::unique_ptr<char[]>& heap,
                       size_t& length) {
    const bool add_point = zeros > 0 && std::find(mantissa, mantissa_end, '.') == mantissa_end;
    const size_t head = static_cast<size_t>(mantissa_end - mantissa);
    const size_t tail = static_cast<size_t>(end - mantissa_end);
    length = head + (add_point ? 1 : 0) + static_cast<size_t>(zeros) + tail;
    if (length + 1 > sizeof local) heap.reset(new char[length + 1]);
    char* copy = heap ? heap.get() : local;
    char* p = copy;
    std::memcpy(p, mantissa, head);
    p += head;
    if (add_point) *p++ = '.';
    std::memset(p, '0', static_cast<size_t>(zeros));
    p += zeros;
    std::memcpy(p, mantissa_end, tail);
    if (tail != 0) *p = 'e';
    copy[length] = '\0';
    return copy;
}

#ifdef TINTMEND_STRTOD_READING
// strtod knows more forms than a field holds (hexadecimal, inf, nan), so it
// sees only the delimited number, terminated. Out of range it gives infinity
// or zero itself, and its full stop is the program's: the "C" locale is never
// changed.
double ConvertNumber(const char* mantissa, const char* mantissa_end, const char* end, long long) {
    char local[kFieldBufferSize];
    std::unique_ptr<char[]> heap;
    size_t length = 0;
    return std::strtod(CopyNumber(mantissa, mantissa_end, end, 0, local, heap, length), nullptr);
}
#else
// Whether a number out of a double's range overflows (rather than
// underflows): with the value at 0.1 to 1 times 10^k, whether k > 0.
bool IsOverflow(const char* mantissa, const char* mantissa_end, long long exponent) {
    const char* point = std::find(mantissa, mantissa_end, '.');
    const char* first = mantissa;
    while (first != mantissa_end && (*first == '0' || *first == '.')) ++first;
    if (first == mantissa_end) return false;
    long long k = first < point ? point - first : -(first - point - 1);
    return k + exponent > 0;
}

// How many digits of 0 to add to the mantissa so that it has at least
// kReadDigits significant digits; none for a mantissa of zeros, which reads
// as zero exactly.
//
// With fewer, from_chars may take its fast path: the mantissa as an integer
// of at most 2^53 (exact in a double), times or divided by an exact power of
// ten up to 10^22, rounded once. On 32-bit x86 the C++ library is compiled for
// the x87 unit, which rounds that product to 64 significant bits first and
// only then to a double, and a few numbers (7552294797528605e5 among them)
// come out one unit in the last place off. A mantissa of 17 significant
// digits is at least 10^16, over 2^53, so from_chars takes its integer-only
// path, where nothing is rounded twice, on every build alike.
constexpr int kReadDigits = 17;

int PaddingZeros(const char* mantissa, const char* mantissa_end) {
    const char* first = mantissa;
    while (first != mantissa_end && (*first == '0' || *first == '.')) ++first;
    if (first == mantissa_end) return 0;
    const auto digits = (mantissa_end - first) - (std::find(first, mantissa_end, '.') != mantissa_end);
    return digits < kReadDigits ? static_cast<int>(kReadDigits - digits) : 0;
}

// from_chars reads a copy, "mantissa[e[+|-]digits]", its mantissa padded as
// above and its exponent letter an e; a number that needs neither is read as
// it stands.
double ConvertNumber(const char* mantissa, const char* mantissa_end, const char* end,
                     long long exponent) {
    double value = 0.0;
    const char letter = *mantissa_end;
    const int zeros = PaddingZeros(mantissa, mantissa_end);
    std::from_chars_result result;
    if (zeros > 0 || (end != mantissa_end && (letter == 'd' || letter == 'D'))) {
        char local[kFieldBufferSize];
        std::unique_ptr<char[]> heap;
        size_t length = 0;
        const char* copy = CopyNumber(mantissa, mantissa_end, end, zeros, local, heap, length);
        result = std::from_chars(copy, copy + length, value);
    } else {
        result = std::from_chars(mantissa, end, value);
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Like classic conversion: too large is infinite, too small is zero.
        value = IsOverflow(mantissa, mantissa_end, exponent)
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    }
    return value;
}
#endif

}  // namespace

namespace {

// Where the parts of a field's leading number lie: [mantissa, mantissa_end)
// digits and full stop, up to end with the exponent; found is false when the
// text does not begin with a number.
struct NumberExtent {
    bool found;
    bool negative;
    const char* mantissa;
    const char* mantissa_end;
    const char* end;
    long long exponent;
};

NumberExtent ScanFieldNumber(const char* text) {
    NumberExtent n = {false, false, text, text, text, 0};
    const char* p = text;
    while (IsBlank(*p)) ++p;
    if (*p == '+' || *p == '-') n.negative = *p++ == '-';

    // Mantissa: digits, an optional full stop, digits; at least one digit.
    n.mantissa = p;
    const char* int_end = SkipDigits(p);
    const char* end = int_end;
    if (*end == '.') end = SkipDigits(end + 1);
    if (end - n.mantissa == (*int_end == '.' ? 1 : 0)) return n;
    n.mantissa_end = end;

    // Exponent: only when a digit follows the letter and its optional sign.
    const char letter = *end;
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        const char* q = end + 1;
        bool exp_negative = false;
        if (*q == '+' || *q == '-') exp_negative = *q++ == '-';
        if (IsDigit(*q)) {
            end = SkipDigits(q);
            for (; q != end && n.exponent < kExponentCap; ++q) n.exponent = n.exponent * 10 + (*q - '0');
            if (exp_negative) n.exponent = -n.exponent;
        }
    }
    n.end = end;
    n.found = true;
    return n;
}

}  // namespace

double ParseFieldNumber(const char* text) {
    const NumberExtent n = ScanFieldNumber(text);
    if (!n.found) return 0.0;
    double value = ConvertNumber(n.mantissa, n.mantissa_end, n.end, n.exponent);
    return n.negative ? -value : value;
}

size_t MeasureFieldNumber(const char* text) {
    const NumberExtent n = ScanFieldNumber(text);
    return n.found ? static_cast<size_t>(n.end - text) : 0;
}

bool IsWhollyFieldNumber(const char* text) {
    const size_t length = MeasureFieldNumber(text);
    if (length == 0) return false;
    const char* p = text + length;
    while (IsBlank(*p)) ++p;
    return *p == '\0';
}
