// Number text: the one place where a field's text becomes a double and a
// double becomes a field's text. Another front end may swap the conversion
// underneath without touching the rules these two functions keep.
#pragma once

#include <cstddef>

#include "form/form.h"

// The longest leading part of text of the form
//   [white space] [+|-] digits [. digits] [(e|E|d|D) [+|-] digits]
// (either side of the full stop may be empty, not both) as the nearest double;
// 0.0 when the text does not begin with such a number. No hexadecimal form, no
// words for infinity or not-a-number, and the full stop whatever the locale.
double ParseFieldNumber(const char* text);

// How many characters the number that ParseFieldNumber reads takes, leading
// white space and sign included; 0 when the text does not begin with one.
size_t MeasureFieldNumber(const char* text);

// Whether the text is one number and nothing else but white space, so that
// its reading loses nothing ("0,2831" and "" are not; " 0.3127 " is).
bool IsWhollyFieldNumber(const char* text);

// value as "%7.5f": the exact value rounded half away from zero first to 17
// significant digits, then to five places; -0.00000 for a negative value that
// rounds to zero; 1.#INF0, -1.#INF0, -1.#IND0, 1.#QNAN or -1.#QNAN when not
// finite. A value whose fixed text would not fit the buffer is written as
// d.ddddde+NNN with the same rounding, which reads back as the value shown.
void FormatFieldNumber(double value, char (&text)[kFieldBufferSize]);

// The shortest decimal text that ParseFieldNumber reads back as exactly
// value ("0.459862", "-2.2", "1e+300"), for where a number goes on to be read
// by a program (the companion's --json) rather than shown in a field; the
// classic texts when not finite.
constexpr int kShortestNumberSize = 40;
void FormatShortestNumber(double value, char (&text)[kShortestNumberSize]);
