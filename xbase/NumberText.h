#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Numbers as N and F fields store them: right-aligned ASCII text with a fixed
// number of decimals. Locale-independent, whatever the program's locale.
namespace xbase::number {

// The value of stored number text: blanks around it are ignored, a leading
// '+' is allowed, reading stops at the first character that does not fit.
// Blank or unreadable text is 0.
double parse(const char* text, size_t length);
// The same value cut toward zero, as truncate(parse(text, length)).
int64_t parseWhole(const char* text, size_t length);

// `value` with `decimals` decimals, right-aligned in `width` characters.
// False when it does not fit (or is not finite).
bool format(double value, int width, int decimals, std::string* out);
bool formatWhole(int64_t value, int width, int decimals, std::string* out);

// A double cut toward zero into the int64 range (0 for NaN).
int64_t truncate(double value);

} // namespace xbase::number
