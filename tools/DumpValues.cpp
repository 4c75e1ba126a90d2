#include "DumpValues.h"

#include "common/Win1252.h"
#include "xbase/Calendar.h"

#include <charconv>
#include <cstdio>

namespace {

std::string escaped(const std::string& bytes)
{
    std::string out;
    for (const unsigned char c : bytes) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += char(c);
            }
        }
    }
    return fromWin1252(out).toStdString();
}

std::string trimmedRight(std::string s)
{
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string trimmed(const std::string& s)
{
    const size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : trimmedRight(s.substr(b));
}

std::string dateTime(const xbase::Field& field)
{
    int32_t day = 0, ms = 0;
    field.dateTime(&day, &ms);
    if (day == 0 && ms == 0)
        return std::string();
    int y = 0, m = 0, d = 0;
    xbase::calendar::civilFromJulianDay(day, &y, &m, &d);
    const int seconds = (ms + 500) / 1000;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return buf;
}

std::string shortest(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string hexBytes(const std::string& raw)
{
    std::string out;
    char hex[4];
    for (const unsigned char c : raw) {
        std::snprintf(hex, sizeof hex, "%02X", c);
        out += hex;
    }
    return out;
}

} // namespace

std::string dumpValue(xbase::Field& field, std::string* error)
{
    if (field.isNull())
        return ".NULL.";
    if (field.isMemo()) {
        const std::string* text = nullptr;
        const xbase::Status s = field.memo(&text);
        if (!s.isOk()) {
            *error = s.toString();
            return std::string();
        }
        return escaped(*text);
    }
    switch (field.type()) {
    case 'N': case 'F': return trimmed(field.raw());
    case 'I': return std::to_string(field.asLong());
    case 'B': return shortest(field.asDouble());
    case 'Y': {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.4f", field.asDouble());
        return buf;
    }
    case 'T': return dateTime(field);
    case '0': return hexBytes(field.raw());
    case 'V': case 'Q': return escaped(field.text());
    default: return escaped(trimmedRight(field.raw()));
    }
}
