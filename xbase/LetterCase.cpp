#include "xbase/LetterCase.h"

namespace xbase {

uint8_t upper1252(uint8_t c)
{
    if (c >= 'a' && c <= 'z')
        return uint8_t(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return uint8_t(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
    }
}

uint8_t lower1252(uint8_t c)
{
    if (c >= 'A' && c <= 'Z')
        return uint8_t(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return uint8_t(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

} // namespace xbase
