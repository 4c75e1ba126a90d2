#pragma once

#include <cstdint>

// Letter case of Windows-1252 bytes, as Unicode maps the characters, so that
// a key upper-cased by an index expression matches a search text that was
// upper-cased before its conversion to the code page. Letters without a
// single-letter partner in the code page (ß, µ) stay as they are.
namespace xbase {

uint8_t upper1252(uint8_t c);
uint8_t lower1252(uint8_t c);

} // namespace xbase
