#pragma once
#include "report/ReportModel.h"
#include <QByteArray>
#include <QString>

// Reads and writes a report file (".rkd"): UTF-8 XML, lengths in millimetres.
// Unknown attributes and elements are kept; writing a file that was read gives
// the same bytes. Failures throw AppError; a broken file names its line and column.
class ReportFile {
public:
    static Report parse(const QByteArray &xml);
    static QByteArray serialize(const Report &report);
    static Report load(const QString &path);
    static void save(const Report &report, const QString &path);
};
