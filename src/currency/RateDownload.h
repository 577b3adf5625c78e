#pragma once
#include "data/Money.h"
#include <QDate>
#include <QString>
#include <optional>

class QUrl;

// The currency-rate service answers base + code/YYYY/MM/DD.tsv with a short
// text whose first line holds a number, a tab and the rate: "1\t28.1234".
QString rateAddress(const QString &base, const QString &code, const QDate &date);
// The local file of one fetch: code_DDMMYYYY.tsv.
QString rateFileName(const QString &code, const QDate &date);
// The rate in a first line: its first two characters skipped, the rest the rate
// alone with "." or "," as the decimal separator; nullopt when it is not one.
std::optional<Money> rateFromLine(const QString &line);

struct DownloadLimits {
    int stallMs = 30000;          // no progress for this long fails the download
    qint64 maxBody = 64 * 1024;   // a longer body is cut here
};

// A plain GET of the address through the system proxy, the body saved into the
// file as it comes, whatever the HTTP status. The user's input is held off
// meanwhile. False when the service did not answer (no connection, refused,
// broken off, stalled): then no file of this download is left behind.
// Throws AppError when the file cannot be written.
bool downloadToFile(const QUrl &url, const QString &path, const DownloadLimits &limits = {});
