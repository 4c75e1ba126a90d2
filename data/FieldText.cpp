#include "data/FieldText.h"

#include "common/Win1252.h"

#include <cstdint>
#include <cstring>

std::string_view trimmedFieldBytes(FIELD4* field)
{
    const char* first = f4ptr(field);
    const char* end = first + f4len_v(field);
    while (first < end && *first == ' ')
        ++first;
    // Texts are mostly shorter than their fields: trailing blanks go eight
    // at a time first.
    constexpr uint64_t kEightBlanks = 0x2020202020202020ull;
    for (uint64_t last8 = 0; end - first >= 8; end -= 8) {
        std::memcpy(&last8, end - 8, sizeof last8);
        if (last8 != kEightBlanks)
            break;
    }
    while (end > first && end[-1] == ' ')
        --end;
    return std::string_view(first, size_t(end - first));
}

QString trimmedFieldText(FIELD4* field)
{
    const std::string_view bytes = trimmedFieldBytes(field);
    return fromWin1252(bytes.data(), qsizetype(bytes.size()));
}
