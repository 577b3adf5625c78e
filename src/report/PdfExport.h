#pragma once
#include "report/PreparedReport.h"
#include <QString>
#include <functional>

// Writes a prepared report as a PDF. The file is written under a temporary
// name and renamed at the end, so a failure never leaves a half file under the
// chosen name. progress(page, pages) returning false stops the export, and
// nothing is written. Failures throw AppError with a Russian text.
class PdfExport {
public:
    using Progress = std::function<bool(int page, int pages)>;
    // True when written, false when stopped.
    static bool write(const PreparedReport &report, const QString &path, const Progress &progress = {});
};
