#include "common/Win1252.h"

#include "xbase/LetterCase.h"

#include <algorithm>
#include <array>

namespace {

// Code points of the bytes 0x80..0x9F; the undefined bytes keep their own
// value so that they survive a round trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> makeTable()
{
    std::array<char16_t, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<char16_t>(i);
    for (int i = 0; i < 32; ++i)
        table[0x80 + i] = kHighControls[i];
    return table;
}

constexpr std::array<char16_t, 256> kTable = makeTable();

// The byte for `c`, or -1 when Windows-1252 has no such character.
int byteOf(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return 0x80 + i;
    }
    return -1;
}

// Returns the byte for `c`, or '?' when Windows-1252 has no such character.
char encodeChar(char16_t c)
{
    const int byte = byteOf(c);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

} // namespace

QString fromWin1252(const char* data, qsizetype len)
{
    QString text;
    if (!data || len <= 0)
        return text;
    text.resize(len);
    QChar* out = text.data();
    for (qsizetype i = 0; i < len; ++i)
        out[i] = QChar(kTable[static_cast<unsigned char>(data[i])]);
    return text;
}

QString fromWin1252(const std::string& bytes)
{
    return fromWin1252(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toWin1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        // A surrogate pair is one character and so becomes one "?".
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.push_back(c.isSurrogate() ? '?' : encodeChar(c.unicode()));
    }
    return bytes;
}

bool inWin1252(QChar c) { return byteOf(c.unicode()) >= 0; }

qsizetype firstNotInWin1252(const QString& text, qsizetype from)
{
    for (qsizetype i = qMax<qsizetype>(from, 0); i < text.size(); ++i) {
        if (!inWin1252(text.at(i)))
            return i;
    }
    return -1;
}

QString upperWin1252(const QString& text)
{
    QString upper = text;
    for (QChar& c : upper) {
        const char16_t code = c.unicode();
        const char byte = encodeChar(code);
        if (byte != '?' || code == u'?')
            c = QChar(kTable[xbase::upper1252(static_cast<unsigned char>(byte))]);
    }
    return upper;
}

namespace {

// Each byte's character folded as QString's case-blind comparison folds it.
const std::array<char16_t, 256>& foldedWin1252()
{
    static const std::array<char16_t, 256> folded = [] {
        std::array<char16_t, 256> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = QChar(kTable[i]).toCaseFolded().unicode();
        return t;
    }();
    return folded;
}

} // namespace

int compareWin1252IgnoringCase(std::string_view a, std::string_view b)
{
    const std::array<char16_t, 256>& folded = foldedWin1252();
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t ca = folded[static_cast<unsigned char>(a[i])];
        const char16_t cb = folded[static_cast<unsigned char>(b[i])];
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

quint64 win1252PrefixKey(std::string_view text)
{
    const std::array<char16_t, 256>& folded = foldedWin1252();
    quint64 key = 0;
    for (size_t i = 0; i < 4; ++i)
        key = (key << 16) | (i < text.size() ? folded[static_cast<unsigned char>(text[i])] : 0);
    return key;
}
