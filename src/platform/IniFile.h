#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// An INI file with the Windows rules: section and key names compare without
// regard to letter case, keys are kept verbatim ("(Default)",
// "DBGridEh1.IDBazaSale"), values are the raw text after the first "=".
// Reads UTF-8 (with or without BOM) or, where the bytes are not valid UTF-8,
// cp1251; writes CRLF lines in the encoding it was read in (UTF-8 for a new file).
// Lines that are neither sections, "key=value" nor comments are ignored.
class IniFile {
public:
    explicit IniFile(const QString &path);

    // Reads the file; a missing or unreadable file gives an empty INI.
    void load();
    // Writes the file; throws AppError with a Russian text on failure.
    void save() const;

    QString readString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    bool sectionExists(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;   // verbatim, in file order
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

    const QString &path() const { return m_path; }

private:
    struct Entry { QString key, value; };
    struct Section { QString name; QList<Entry> entries; };
    Section *findSection(const QString &name);
    const Section *findSection(const QString &name) const;

    QString m_path;
    QList<Section> m_sections;
    bool m_cp1251 = false;
};
