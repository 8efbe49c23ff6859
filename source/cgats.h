// A small reader of CGATS text, the table format of measurement files (.ti3),
// calibration files (.cal) and the measurement text inside profiles. It finds
// a table's parts and hands out spans of the caller's text; it never copies
// or allocates, and every read stops at the text's size.
//
// A table, as ArgyllCMS and other programs write it:
//   CTI3                              an identifier alone on its first line
//   DESCRIPTOR "..."                  keyword lines: a name and its value
//   KEYWORD "COLOR_REP"               (declares a name; itself a keyword line)
//   BEGIN_ARGYLL_COLPROF_ARGS         blocks of free lines, skipped whole
//   ...
//   END_ARGYLL_COLPROF_ARGS
//   NUMBER_OF_FIELDS 7
//   BEGIN_DATA_FORMAT
//   SAMPLE_ID RGB_R RGB_G RGB_B XYZ_X XYZ_Y XYZ_Z
//   END_DATA_FORMAT
//   NUMBER_OF_SETS 79
//   BEGIN_DATA
//   1 100.00 100.00 100.00 95.05 100.00 108.90
//   END_DATA
// A file may hold several tables one after another. Tokens are split by white
// space; a token opening with " runs to the closing " or the end of its line;
// # starts a comment to the end of the line. Rows are the data's tokens taken
// as many at a time as there are field names, whatever their lines.
#pragma once

#include <cstddef>
#include <cstdint>

struct CgatsText {
    const unsigned char* bytes;
    size_t size;
};

// Bytes [offset, offset + length) of the text.
struct CgatsSpan {
    size_t offset;
    size_t length;
};

struct CgatsTable {
    size_t begin;          // the table's first line
    CgatsSpan identifier;  // length 0 where the table opens with a keyword line
    size_t format_begin;   // the field names lie in [format_begin, format_end)
    size_t format_end;
    size_t field_count;
    size_t data_begin;  // the rows lie in [data_begin, data_end)
    size_t data_end;
    size_t end;  // just after END_DATA, where a next table may begin
};

enum class CgatsStatus {
    kRead,
    kNoTable,             // nothing but blank lines and comments from there on
    kNoFormat,            // BEGIN_DATA before any BEGIN_DATA_FORMAT, or neither
    kUnterminatedFormat,  // no END_DATA_FORMAT
    kUnterminatedData,    // no END_DATA
};

// The first table at or after from (0 for the first of the text, a table's
// end for the one after it).
CgatsStatus ReadCgatsTable(CgatsText text, size_t from, CgatsTable& table);

// The value of the table's keyword line for name, without its quotes (such as
// RGB_XYZ for COLOR_REP "RGB_XYZ"); false where the table has none.
bool FindCgatsKeyword(CgatsText text, const CgatsTable& table, const char* name, CgatsSpan& value);

constexpr size_t kCgatsNoField = SIZE_MAX;

// The position of the field name among the table's fields, counting from 0;
// kCgatsNoField where it has none.
size_t FindCgatsField(CgatsText text, const CgatsTable& table, const char* name);

enum class CgatsRow {
    kRead,
    kEnd,    // no more rows
    kShort,  // the data ends within a row: fewer tokens than fields are left
};

// The row starting at `at` (table.data_begin for the first), moving `at` past
// it: values[i] is the token of field fields[i] (a position FindCgatsField
// gave; one out of range gets an empty span).
CgatsRow ReadCgatsRow(CgatsText text, const CgatsTable& table, size_t& at, const size_t* fields, size_t count,
                      CgatsSpan* values);

// Whether the span is exactly the text.
bool IsCgatsSpan(CgatsText text, CgatsSpan span, const char* expected);

// A token that is one number and nothing else, such as 95.047 or 1.2e-05, as
// a double; false for anything else (an empty span, a word, "12abc").
bool ReadCgatsNumber(CgatsText text, CgatsSpan token, double& value);
