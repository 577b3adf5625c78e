#pragma once
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// The version record the build writes into an executable (cmake/VersionRecord.cmake):
// the translation table, then the version texts under their full names.
struct VersionRecord {
    QByteArray translation;          // language and code page, 16 bits each, per entry
    QHash<QString, QString> texts;   // "\StringFileInfo\041904E3\ProductVersion" -> "1"
};

// Reads the record from the section ".domlar_version" of an ELF file;
// nothing when the file is not one, carries no such section or a malformed one.
std::optional<VersionRecord> readVersionRecord(const QString &path);
