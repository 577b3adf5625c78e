#include "report/PreparedReport.h"
#include "platform/AppError.h"
#include "report/Expression.h"
#include "report/FontResolver.h"
#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace {
constexpr quint32 Magic = 0x444B5250;   // "DKRP"
constexpr quint32 Version = 1;

QDataStream &operator<<(QDataStream &s, const TextStyle &t)
{
    return s << t.family << t.size << t.bold << t.italic << t.underline << t.halign << t.valign << t.wrap << t.frame
             << t.frameWidth << t.fill;
}
QDataStream &operator>>(QDataStream &s, TextStyle &t)
{
    return s >> t.family >> t.size >> t.bold >> t.italic >> t.underline >> t.halign >> t.valign >> t.wrap >> t.frame >>
           t.frameWidth >> t.fill;
}

// Plain records go as raw bytes: the file is read only by this program.
template <typename T>
void writeRecords(QDataStream &s, const std::vector<T> &v)
{
    s << quint32(v.size());
    s.writeRawData(reinterpret_cast<const char *>(v.data()), int(v.size() * sizeof(T)));
}
template <typename T>
bool readRecords(QDataStream &s, std::vector<T> &v)
{
    quint32 n = 0;
    s >> n;
    if (s.status() != QDataStream::Ok || n > 10'000'000) return false;
    v.resize(n);
    return s.readRawData(reinterpret_cast<char *>(v.data()), int(n * sizeof(T))) == int(n * sizeof(T));
}

QByteArray packPage(const PreparedPage &p)
{
    QByteArray bytes;
    QDataStream s(&bytes, QIODevice::WriteOnly);
    s << p.width << p.height << p.arena;
    writeRecords(s, p.texts);
    writeRecords(s, p.lines);
    writeRecords(s, p.pictures);
    return qCompress(bytes);
}

bool unpackPage(const QByteArray &packed, PreparedPage &p)
{
    const QByteArray bytes = qUncompress(packed);
    QDataStream s(bytes);
    s >> p.width >> p.height >> p.arena;
    if (!readRecords(s, p.texts) || !readRecords(s, p.lines) || !readRecords(s, p.pictures)) return false;
    for (const TextItem &t : p.texts)
        if (qint64(t.offset) + t.length > p.arena.size()) return false;
    return s.status() == QDataStream::Ok;
}

[[noreturn]] void broken(const QString &why)
{
    throw AppError(QStringLiteral("Файл подготовленного отчёта повреждён или имеет неизвестный формат (%1).").arg(why));
}
} // namespace

QFont TextStyle::font() const
{
    QFont f(FontResolver::family(family));
    f.setPixelSize(qRound(size * 2540.0 / 72.0));   // points to hundredths of a millimetre
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setHintingPreference(QFont::PreferNoHinting);   // metrics the same at every zoom and on paper
    return f;
}

int TextStyle::alignmentFlags() const
{
    static const int h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const int v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[halign % 3] | v[valign % 3] | (wrap ? Qt::TextWordWrap : 0);
}

size_t PreparedPage::bytes() const
{
    return sizeof(*this) + texts.capacity() * sizeof(TextItem) + lines.capacity() * sizeof(LineItem) +
           pictures.capacity() * sizeof(PictureItem) + size_t(arena.capacity()) * 2;
}

int PreparedReport::styleIndex(const TextStyle &style)
{
    for (size_t i = 0; i < styles.size(); ++i)
        if (styles[i] == style) return int(i);
    styles.push_back(style);
    return int(styles.size() - 1);
}

QString PreparedReport::displayText(int page, const TextItem &t) const
{
    QString s = pages[page].text(t);
    if (t.flags & TextItem::PageNumbers) {
        s.replace(QChar(PageNumberMark), QString::number(page + 1));
        s.replace(QChar(TotalPagesMark), QString::number(pageCount()));
    }
    return s;
}

void PreparedReport::setText(int page, int item, const QString &text)
{
    PreparedPage &p = pages.at(page);
    TextItem &t = p.texts.at(item);
    t.offset = quint32(p.arena.size());
    t.length = quint32(text.size());
    t.flags &= ~TextItem::PageNumbers;
    p.arena += text;
}

std::optional<PreparedReport::Hit> PreparedReport::find(const QString &needle, Hit from, bool forward) const
{
    if (needle.isEmpty() || pages.empty()) return std::nullopt;
    const int n = pageCount();
    Hit at = from;
    for (int step = 0; step <= n; ++step) {
        const int page = ((at.page % n) + n) % n;
        const auto &texts = pages[page].texts;
        const int count = int(texts.size());
        const int first = step == 0 ? (forward ? at.item + 1 : at.item - 1) : (forward ? 0 : count - 1);
        for (int i = first; i >= 0 && i < count; i += forward ? 1 : -1)
            if (displayText(page, texts[i]).contains(needle, Qt::CaseInsensitive)) return Hit{page, i};
        at.page = page + (forward ? 1 : -1);
    }
    return std::nullopt;
}

size_t PreparedReport::bytes() const
{
    size_t total = 0;
    for (const PreparedPage &p : pages) total += p.bytes();
    for (const QByteArray &b : pictures) total += size_t(b.size());
    return total;
}

void PreparedReport::save(QIODevice &device) const
{
    QDataStream s(&device);
    s.setVersion(QDataStream::Qt_6_4);
    s << Magic << Version << title << notes << quint32(styles.size());
    for (const TextStyle &t : styles) s << t;
    s << quint32(pictures.size());
    for (const QByteArray &b : pictures) s << b;
    s << quint32(pages.size());
    for (const PreparedPage &p : pages) s << packPage(p);
    if (s.status() != QDataStream::Ok) throw AppError(QStringLiteral("Не удалось записать подготовленный отчёт."));
}

PreparedReport PreparedReport::load(QIODevice &device)
{
    QDataStream s(&device);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0, count = 0;
    s >> magic >> version;
    if (magic != Magic) broken(QStringLiteral("не тот тип файла"));
    if (version != Version) broken(QStringLiteral("версия %1").arg(version));
    PreparedReport r;
    s >> r.title >> r.notes >> count;
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) s >> r.styles.emplace_back();
    s >> count;
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) s >> r.pictures.emplace_back();
    s >> count;
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        QByteArray packed;
        s >> packed;
        if (!unpackPage(packed, r.pages.emplace_back())) broken(QStringLiteral("страница %1").arg(i + 1));
    }
    if (s.status() != QDataStream::Ok) broken(QStringLiteral("файл обрезан"));
    for (const PreparedPage &p : r.pages)
        for (const TextItem &t : p.texts)
            if (t.style >= r.styles.size()) broken(QStringLiteral("стиль текста"));
    return r;
}

void PreparedReport::saveFile(const QString &path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, f.errorString()));
    save(f);
    if (!f.commit()) throw AppError(QStringLiteral("Не удалось записать файл «%1»: %2").arg(path, f.errorString()));
}

PreparedReport PreparedReport::loadFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Не удалось открыть файл «%1»: %2").arg(path, f.errorString()));
    return load(f);
}
