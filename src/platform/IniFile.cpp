#include "platform/IniFile.h"
#include "platform/AppError.h"
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace {

// cp1251 bytes 0x80..0xBF; 0xC0..0xFF are "А".."я" in order (U+0410..U+044F).
// 0x98 is unassigned in cp1251 and maps to U+0098 so it survives a round trip.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

QString fromCp1251(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            text += QChar(b);
        else if (b < 0xC0)
            text += QChar(kCp1251High[b - 0x80]);
        else
            text += QChar(char16_t(0x0410 + b - 0xC0));
    }
    return text;
}

// Returns false when some character has no cp1251 byte.
bool toCp1251(const QString &text, QByteArray &bytes)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            bytes += char(u);
        } else if (u >= 0x0410 && u <= 0x044F) {
            bytes += char(u - 0x0410 + 0xC0);
        } else {
            const char16_t *end = std::end(kCp1251High);
            const char16_t *found = std::find(std::begin(kCp1251High), end, u);
            if (found == end)
                return false;
            bytes += char(0x80 + (found - std::begin(kCp1251High)));
        }
    }
    return true;
}

// Meant for bytes without a cut-off character at the end: the decoder would
// keep such a tail as pending input rather than call it an error.
bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);   // the decoder works only when its result is taken
    return !utf8.hasError();
}

// Length of a multi-byte UTF-8 character cut off at the end, or 0.
qsizetype cutUtf8Tail(QByteArrayView bytes)
{
    for (qsizetype n = 1; n <= 3 && n <= bytes.size(); ++n) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - n]);
        if ((c & 0xC0) == 0x80)
            continue;
        const int needed = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return needed > n ? n : 0;
    }
    return 0;
}

// Text and the encoding it was in: UTF-8 when the bytes are valid UTF-8, else cp1251.
QString decode(const QByteArray &bytes, bool &cp1251)
{
    cp1251 = false;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    // A file truncated inside a character is still UTF-8 if the rest is, but only
    // when the rest shows UTF-8 of its own: one high byte at the end is cp1251.
    const qsizetype cut = cutUtf8Tail(bytes);
    const QByteArrayView rest = QByteArrayView(bytes).chopped(cut);
    const bool restHasHighBytes = std::any_of(rest.begin(), rest.end(), [](char c) { return c & 0x80; });
    if (isUtf8(rest) && (cut == 0 || restHasHighBytes))
        return QString::fromUtf8(rest);
    cp1251 = true;
    return fromCp1251(bytes);
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Binary junk: control characters do not occur in a hand- or program-written INI.
bool isJunk(const QString &line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path) {}

void IniFile::load()
{
    m_sections.clear();
    m_cp1251 = false;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = decode(file.readAll(), m_cp1251);

    Section *current = nullptr;   // nullptr: entries here belong to no section and are ignored
    for (QStringView raw : QStringView(text).split(u'\n')) {
        const QString line = raw.trimmed().toString();
        if (line.isEmpty() || line.startsWith(u';') || isJunk(line))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.lastIndexOf(u']');
            current = nullptr;
            if (close < 0)
                continue;
            const QString name = line.mid(1, close - 1).trimmed();
            current = findSection(name);
            if (!current) {
                m_sections.append({name, {}});
                current = &m_sections.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const bool known = std::any_of(current->entries.cbegin(), current->entries.cend(),
                                       [&](const Entry &e) { return sameName(e.key, key); });
        if (!key.isEmpty() && !known)   // the first of duplicate keys wins, as on Windows
            current->entries.append({key, line.mid(eq + 1).trimmed()});
    }
}

void IniFile::save() const
{
    QStringList blocks;
    for (const Section &section : m_sections) {
        QString block = QLatin1Char('[') + section.name + QStringLiteral("]\r\n");
        for (const Entry &e : section.entries)
            block += e.key + QLatin1Char('=') + e.value + QStringLiteral("\r\n");
        blocks << block;
    }
    const QString text = blocks.join(QStringLiteral("\r\n"));

    QByteArray bytes;
    if (!m_cp1251 || !toCp1251(text, bytes))
        bytes = text.toUtf8();

    // QSaveFile replaces the file only once everything is written.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("Не удалось записать файл «%1»: %2").arg(m_path, file.errorString()));
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (const Section *s = findSection(section))
        for (const Entry &e : s->entries)
            if (sameName(e.key, key))
                return e.value;
    return defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    bool ok = false;
    const int value = readString(section, key).toInt(&ok, 10);
    return ok ? value : defaultValue;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    Section *s = findSection(section);
    if (!s) {
        m_sections.append({section, {}});
        s = &m_sections.last();
    }
    for (Entry &e : s->entries) {
        if (sameName(e.key, key)) {
            e.value = value;
            return;
        }
    }
    s->entries.append({key, value});
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section &s : m_sections)
        names << s.name;
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(section))
        for (const Entry &e : s->entries)
            names << e.key;
    return names;
}

void IniFile::eraseSection(const QString &section)
{
    m_sections.removeIf([&](const Section &s) { return sameName(s.name, section); });
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    if (Section *s = findSection(section))
        s->entries.removeIf([&](const Entry &e) { return sameName(e.key, key); });
}

IniFile::Section *IniFile::findSection(const QString &name)
{
    return const_cast<Section *>(std::as_const(*this).findSection(name));
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    for (const Section &s : m_sections)
        if (sameName(s.name, name))
            return &s;
    return nullptr;
}
