#include "common/Module1.h"

#include "common/Win1252.h"

#include <algorithm>
#include <climits>
#include <string>

namespace Module1 {

QString FieldStr(FIELD4* field)
{
    if (!field)
        return QString();
    const int n = f4len_v(field);
    const char* p = f4ptr(field);
    if (!p || n <= 0)
        return QString();
    std::string bytes(size_t(n), ' ');
    u4memCpy(bytes.data(), p, size_t(n));
    return fromWin1252(bytes);
}

// Memos are returned whole whatever their length: a limit here would read a
// long memo as empty, and the next save would store that empty text.
QString MemoFieldStr(FIELD4* field)
{
    if (!field)
        return QString();
    const uint32_t n = f4memoLenVB(field);
    const char* p = f4memoPtr(field);
    if (!p || n == 0)
        return QString();
    std::string bytes(n, ' ');
    u4memCpy(bytes.data(), p, n);
    return fromWin1252(bytes);
}

// The whole text goes to the engine, which fits it to the field; no count
// limit applies on the way.
void AssignFieldStr(FIELD4* field, const QString& text)
{
    if (!field)
        return;
    const std::string bytes = toWin1252(text);
    f4assignNVB(field, bytes.data(), int(std::min<size_t>(bytes.size(), INT_MAX)));
}

void FormatDate(const QString& date, QString& result, const QString& picture)
{
    const std::string storedDate = toWin1252(date);
    const std::string pictureBytes = toWin1252(picture);
    std::string buffer(pictureBytes.size() + 1, ' ');
    date4format(storedDate.c_str(), buffer.data(), pictureBytes.c_str());
    result = fromWin1252(buffer.data(), qsizetype(pictureBytes.size()));
}

QString FieldNameStr(FIELD4* field) { return field ? PtrToStr(f4name(field)) : QString(); }

QString PtrToStr(const char* address)
{
    if (!address)
        return QString();
    char buffer[256];
    const int n = u4ncpy(buffer, address, int(sizeof buffer));
    return fromWin1252(buffer, n);
}

} // namespace Module1
