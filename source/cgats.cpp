#include "source/cgats.h"

#include <cmath>
#include <cstring>

#include "form/number_text.h"

namespace {

// A number's token is copied here to be read; no number a measurement
// program writes comes near it, and a longer token is no number.
constexpr size_t kNumberTextSize = 64;

constexpr char kBlockOpen[] = "BEGIN_";
constexpr char kBlockClose[] = "END_";
constexpr size_t kBlockOpenSize = sizeof kBlockOpen - 1;
constexpr size_t kBlockCloseSize = sizeof kBlockClose - 1;

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

size_t LineEnd(CgatsText text, size_t at) {
    while (at < text.size && text.bytes[at] != '\n') ++at;
    return at;
}

// The token at or after `at` and before limit, moving `at` past it. Within a
// line only, when within_line, so that a line's first token can be told from
// the next line's.
bool NextToken(CgatsText text, size_t& at, size_t limit, bool within_line, CgatsSpan& token) {
    while (at < limit) {
        const unsigned char c = text.bytes[at];
        if (c == '\n' && within_line) return false;
        if (c == '#') {
            at = LineEnd(text, at);
        } else if (IsBlank(c) || c == '\n') {
            ++at;
        } else {
            break;
        }
    }
    if (at >= limit) return false;
    const size_t start = at;
    if (text.bytes[at] == '"') {
        ++at;
        while (at < limit && text.bytes[at] != '"' && text.bytes[at] != '\n') ++at;
        if (at < limit && text.bytes[at] == '"') ++at;
    } else {
        while (at < limit && !IsBlank(text.bytes[at]) && text.bytes[at] != '\n') ++at;
    }
    token = {start, at - start};
    return true;
}

bool StartsWith(CgatsText text, CgatsSpan span, const char* prefix, size_t length) {
    return span.length >= length && std::memcmp(text.bytes + span.offset, prefix, length) == 0;
}

// After a BEGIN_NAME line: the end of the line whose first token is END_NAME,
// or of the text where none is.
size_t SkipBlock(CgatsText text, CgatsSpan open, size_t limit) {
    const CgatsSpan name = {open.offset + kBlockOpenSize, open.length - kBlockOpenSize};
    size_t at = LineEnd(text, open.offset);
    while (at < limit) {
        CgatsSpan word;
        size_t line = at;
        if (!NextToken(text, line, limit, false, word)) return limit;
        at = LineEnd(text, word.offset);
        if (word.length == kBlockCloseSize + name.length && StartsWith(text, word, kBlockClose, kBlockCloseSize) &&
            std::memcmp(text.bytes + word.offset + kBlockCloseSize, text.bytes + name.offset, name.length) == 0) {
            return at;
        }
    }
    return limit;
}

bool IsSectionWord(CgatsText text, CgatsSpan word) {
    return IsCgatsSpan(text, word, "BEGIN_DATA_FORMAT") || IsCgatsSpan(text, word, "BEGIN_DATA");
}

// Tokens from `at` up to the closing word: their count, and where the closing
// word stands (text.size where it is missing).
size_t CountUntil(CgatsText text, size_t& at, const char* closing, size_t& close_at) {
    size_t count = 0;
    CgatsSpan token;
    while (NextToken(text, at, text.size, false, token)) {
        if (IsCgatsSpan(text, token, closing)) {
            close_at = token.offset;
            return count;
        }
        ++count;
    }
    close_at = text.size;
    return count;
}

CgatsStatus ReadSections(CgatsText text, size_t at, CgatsTable& table) {
    CgatsSpan word;
    while (NextToken(text, at, text.size, false, word)) {
        if (IsCgatsSpan(text, word, "BEGIN_DATA_FORMAT")) {
            table.format_begin = at;
            table.field_count = CountUntil(text, at, "END_DATA_FORMAT", table.format_end);
            if (table.format_end == text.size) return CgatsStatus::kUnterminatedFormat;
        } else if (IsCgatsSpan(text, word, "BEGIN_DATA")) {
            if (table.format_end == 0) return CgatsStatus::kNoFormat;
            table.data_begin = at;
            CountUntil(text, at, "END_DATA", table.data_end);
            if (table.data_end == text.size) return CgatsStatus::kUnterminatedData;
            table.end = at;
            return CgatsStatus::kRead;
        } else if (StartsWith(text, word, kBlockOpen, kBlockOpenSize)) {
            at = SkipBlock(text, word, text.size);
        } else {
            at = LineEnd(text, word.offset);
        }
    }
    return CgatsStatus::kNoFormat;
}

}  // namespace

bool IsCgatsSpan(CgatsText text, CgatsSpan span, const char* expected) {
    const size_t length = std::strlen(expected);
    return span.length == length && std::memcmp(text.bytes + span.offset, expected, length) == 0;
}

CgatsStatus ReadCgatsTable(CgatsText text, size_t from, CgatsTable& table) {
    table = CgatsTable{};
    size_t at = from;
    CgatsSpan word;
    if (!NextToken(text, at, text.size, false, word)) return CgatsStatus::kNoTable;
    table.begin = word.offset;
    // An identifier is a word alone on the table's first line.
    CgatsSpan more;
    size_t rest = at;
    if (!IsSectionWord(text, word) && !StartsWith(text, word, kBlockOpen, kBlockOpenSize) &&
        !NextToken(text, rest, text.size, true, more)) {
        table.identifier = word;
    }
    return ReadSections(text, table.begin, table);
}

bool FindCgatsKeyword(CgatsText text, const CgatsTable& table, const char* name, CgatsSpan& value) {
    size_t at = table.begin + table.identifier.length;
    CgatsSpan word;
    while (at < table.data_begin && NextToken(text, at, table.data_begin, false, word)) {
        if (IsSectionWord(text, word)) {
            at = word.offset < table.format_begin ? table.format_end : table.data_begin;
        } else if (StartsWith(text, word, kBlockOpen, kBlockOpenSize)) {
            at = SkipBlock(text, word, table.data_begin);
        } else if (IsCgatsSpan(text, word, name)) {
            const size_t end = LineEnd(text, at);
            CgatsSpan token = {at, 0};
            if (NextToken(text, at, end, true, token) && text.bytes[token.offset] == '"') {
                const bool closed = token.length >= 2 && text.bytes[token.offset + token.length - 1] == '"';
                token = {token.offset + 1, token.length - (closed ? 2 : 1)};
            }
            value = token;
            return true;
        }
        at = LineEnd(text, at);
    }
    return false;
}

size_t FindCgatsField(CgatsText text, const CgatsTable& table, const char* name) {
    size_t at = table.format_begin;
    CgatsSpan token;
    for (size_t k = 0; k < table.field_count && NextToken(text, at, table.format_end, false, token); ++k) {
        if (IsCgatsSpan(text, token, name)) return k;
    }
    return kCgatsNoField;
}

CgatsRow ReadCgatsRow(CgatsText text, const CgatsTable& table, size_t& at, const size_t* fields, size_t count,
                      CgatsSpan* values) {
    for (size_t i = 0; i < count; ++i) values[i] = {at, 0};
    if (table.field_count == 0) return CgatsRow::kEnd;
    CgatsSpan token;
    for (size_t k = 0; k < table.field_count; ++k) {
        if (!NextToken(text, at, table.data_end, false, token)) return k == 0 ? CgatsRow::kEnd : CgatsRow::kShort;
        for (size_t i = 0; i < count; ++i) {
            if (fields[i] == k) values[i] = token;
        }
    }
    return CgatsRow::kRead;
}

bool ReadCgatsNumber(CgatsText text, CgatsSpan token, double& value) {
    char number[kNumberTextSize];
    if (token.length == 0 || token.length >= sizeof number) return false;
    std::memcpy(number, text.bytes + token.offset, token.length);
    number[token.length] = '\0';
    if (MeasureFieldNumber(number) != token.length) return false;
    value = ParseFieldNumber(number);
    return std::isfinite(value);
}
