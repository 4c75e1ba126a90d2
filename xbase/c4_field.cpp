#include "xbase/c4.h"
#include "xbase/c4_internal.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

using c4detail::fail;

namespace {

int fieldResult(FIELD4* f4, const xbase::Status& s) { return c4detail::result(&f4->table(), s); }

const std::string* memoOf(FIELD4* f4)
{
    const std::string* text = nullptr;
    const xbase::Status s = f4->memo(&text);
    if (!s.isOk()) {
        fail(f4->table().engine(), s);
        return nullptr;
    }
    return text;
}

} // namespace

long f4long(FIELD4* f4) { return long(f4->asLong()); }
double f4double(FIELD4* f4) { return f4->asDouble(); }
int f4assignLong(FIELD4* f4, long value) { return fieldResult(f4, f4->assignLong(value)); }
int f4assignDouble(FIELD4* f4, double value) { return fieldResult(f4, f4->assignDouble(value)); }

int f4assignNVB(FIELD4* f4, const char* text, int length)
{
    const size_t n = text && length > 0 ? size_t(length) : 0;
    return fieldResult(f4, f4->assignText(std::string_view(text ? text : "", n)));
}

const char* f4ptr(FIELD4* f4) { return f4->ptr(); }
int f4len_v(FIELD4* f4) { return f4->length(); }
const char* f4name(FIELD4* f4) { return f4->name().c_str(); }

const char* f4memoPtr(FIELD4* f4)
{
    const std::string* text = memoOf(f4);
    return text ? text->c_str() : nullptr;
}

uint32_t f4memoLenVB(FIELD4* f4)
{
    const std::string* text = memoOf(f4);
    return text ? uint32_t(std::min<size_t>(text->size(), std::numeric_limits<uint32_t>::max())) : 0;
}

int f4memoAssignN(FIELD4* f4, const char* text, uint32_t length)
{
    return fieldResult(f4, f4->assignMemo(std::string_view(text ? text : "", text ? length : 0)));
}

namespace {

// The part of a stored "YYYYMMDD" date that a picture letter stands for.
std::string_view datePart(const char (&d)[8], char letter, size_t run)
{
    switch (letter) {
    case 'C': return {d, 2};
    case 'Y': return run >= 4 ? std::string_view(d, 4) : std::string_view(d + 2, 2);
    case 'M': return {d + 4, 2};
    case 'D': return {d + 6, 2};
    default: return {};
    }
}

} // namespace

void date4format(const char* date, char* result, const char* picture)
{
    char d[8];
    std::memset(d, ' ', sizeof d);
    for (size_t i = 0; date && i < sizeof d && date[i]; ++i)
        d[i] = date[i];
    const size_t n = std::strlen(picture);
    for (size_t i = 0; i < n;) {
        size_t run = 1;
        while (i + run < n && picture[i + run] == picture[i])
            ++run;
        const std::string_view part = datePart(d, picture[i], run);
        if (part.empty()) {
            std::memcpy(result + i, picture + i, run);
        } else {
            // A short run takes the last digits of its part; a long one is padded.
            const size_t used = std::min(run, part.size());
            std::memcpy(result + i, part.data() + part.size() - used, used);
            std::memset(result + i + used, ' ', run - used);
        }
        i += run;
    }
    result[n] = '\0';
}

void u4memCpy(char* to, const char* from, size_t n) { std::memcpy(to, from, n); }

int u4ncpy(char* to, const char* from, int size)
{
    if (size <= 0)
        return 0;
    int n = 0;
    while (from && n < size - 1 && from[n]) {
        to[n] = from[n];
        ++n;
    }
    to[n] = '\0';
    return n;
}
