#include "app/VersionRecord.h"
#include <QFile>
#include <cstring>
#include <elf.h>

namespace {

const char *const SectionName = ".domlar_version";

template <typename T>
bool readAt(QFile &file, qint64 offset, T &out)
{
    return file.seek(offset) && file.read(reinterpret_cast<char *>(&out), sizeof out) == qint64(sizeof out);
}

// The bytes of the named section of a 64-bit ELF file; empty when there is none.
QByteArray elfSection(QFile &file, const char *name)
{
    Elf64_Ehdr header;
    if (!readAt(file, 0, header) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0
        || header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr))
        return {};
    Elf64_Shdr names;
    if (!readAt(file, qint64(header.e_shoff + header.e_shstrndx * sizeof(Elf64_Shdr)), names)) return {};
    for (int i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr section;
        if (!readAt(file, qint64(header.e_shoff + i * sizeof(Elf64_Shdr)), section)) return {};
        char sectionName[32] = {};
        if (!file.seek(qint64(names.sh_offset + section.sh_name))) return {};
        file.read(sectionName, sizeof sectionName - 1);
        if (std::strcmp(sectionName, name) == 0 && section.sh_type == SHT_PROGBITS
            && file.seek(qint64(section.sh_offset)))
            return file.read(qint64(section.sh_size));
    }
    return {};
}

} // namespace

std::optional<VersionRecord> readVersionRecord(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = elfSection(file, SectionName);
    quint32 length = 0;
    if (bytes.size() < qsizetype(sizeof length)) return std::nullopt;
    std::memcpy(&length, bytes.constData(), sizeof length);
    if (length > quint32(bytes.size()) - sizeof length) return std::nullopt;

    VersionRecord record;
    record.translation = bytes.mid(sizeof length, length);
    // NUL-terminated name and text pairs, up to an empty name.
    const QList<QByteArray> parts = bytes.mid(qsizetype(sizeof length + length)).split('\0');
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2)
        record.texts.insert(QString::fromUtf8(parts[i]), QString::fromUtf8(parts[i + 1]));
    return record;
}
