#include "data/TextCompare.h"
#include <QChar>

namespace {

// A character's place: its case-folded code point doubled, "ё" put just after "е".
inline char32_t rank(char32_t c)
{
    c = QChar::toCaseFolded(c);
    return c == 0x451 ? 0x435 * 2 + 1 : c * 2;
}

// Reads one code point of UTF-8 (malformed bytes read as themselves).
inline char32_t nextUtf8(const unsigned char *&p, const unsigned char *end)
{
    const unsigned char c = *p++;
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t v = c & (0x3F >> extra);
    for (; extra > 0 && p < end && (*p & 0xC0) == 0x80; --extra) v = (v << 6) | (*p++ & 0x3F);
    return v;
}

} // namespace

int compareText(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    auto next = [](QStringView s, qsizetype &k) -> char32_t {
        if (k >= s.size()) return 0;
        const QChar c = s[k++];
        if (c.isHighSurrogate() && k < s.size() && s[k].isLowSurrogate())
            return QChar::surrogateToUcs4(c, s[k++]);
        return c.unicode() == 0 ? char32_t(0xFFFF) : c.unicode();
    };
    for (;;) {
        const char32_t ca = next(a, i), cb = next(b, j);
        if (ca == 0 || cb == 0) return ca == cb ? 0 : (ca == 0 ? -1 : 1);
        const char32_t ra = rank(ca), rb = rank(cb);
        if (ra != rb) return ra < rb ? -1 : 1;
    }
}

int compareUtf8Text(const char *a, int lengthA, const char *b, int lengthB)
{
    auto pa = reinterpret_cast<const unsigned char *>(a), pb = reinterpret_cast<const unsigned char *>(b);
    const auto ea = pa + lengthA, eb = pb + lengthB;
    for (;;) {
        if (pa >= ea || pb >= eb) return (pa >= ea) == (pb >= eb) ? 0 : (pa >= ea ? -1 : 1);
        const char32_t ra = rank(nextUtf8(pa, ea)), rb = rank(nextUtf8(pb, eb));
        if (ra != rb) return ra < rb ? -1 : 1;
    }
}
