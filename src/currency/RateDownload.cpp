#include "currency/RateDownload.h"
#include "platform/AppError.h"
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTimer>
#include <memory>

QString rateAddress(const QString &base, const QString &code, const QDate &date)
{
    return base + code + date.toString(QStringLiteral("/yyyy/MM/dd")) + QStringLiteral(".tsv");
}

QString rateFileName(const QString &code, const QDate &date)
{
    return code + QLatin1Char('_') + date.toString(QStringLiteral("ddMMyyyy")) + QStringLiteral(".tsv");
}

std::optional<Money> rateFromLine(const QString &line)
{
    QString text = line.mid(2).trimmed();
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    // Money::parse also takes grouping blanks and a point; a rate is plainer than that.
    static const QRegularExpression plain(QStringLiteral("^[+-]?[0-9]+(,[0-9]*)?$"));
    if (!plain.match(text).hasMatch()) return std::nullopt;
    return Money::parse(text);
}

namespace {

// One GET into one file. The file is made when the first bytes of the body
// arrive, so an address that never answers writes nothing.
class Transfer {
public:
    Transfer(const QString &path, const DownloadLimits &limits) : m_file(path), m_limits(limits) {}

    bool run(const QUrl &url);

private:
    void drain(QNetworkReply &reply);
    bool finish(QNetworkReply &reply, bool stalled);
    [[noreturn]] void fileFailed();

    QFile m_file;
    DownloadLimits m_limits;
    qint64 m_written = 0;
    bool m_cut = false;
    bool m_fileFailed = false;
};

// Network-layer errors (codes below 100) mean no answer came; HTTP error
// statuses are answers, and their bodies are saved like any other.
bool answered(const QNetworkReply &reply)
{
    const int error = reply.error();
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() && (error == 0 || error >= 100);
}

bool Transfer::run(const QUrl &url)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    QTimer stall;
    stall.setSingleShot(true);
    stall.setInterval(m_limits.stallMs);
    bool stalled = false;
    QObject::connect(&stall, &QTimer::timeout, &loop, [&] {
        stalled = true;
        loop.quit();
    });
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &stall, qOverload<>(&QTimer::start));
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        stall.start();
        drain(*reply);
        if (m_cut || m_fileFailed) loop.quit();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    stall.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return finish(*reply, stalled);
}

// Appends the waiting bytes in blocks of at most 1 KiB, up to the size limit.
void Transfer::drain(QNetworkReply &reply)
{
    if (!m_file.isOpen() && !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_fileFailed = true;
        return;
    }
    char block[1024];
    while (!m_fileFailed && reply.bytesAvailable() > 0) {
        if (m_written >= m_limits.maxBody) {
            m_cut = true;
            return;
        }
        const qint64 n = reply.read(block, qMin<qint64>(sizeof block, m_limits.maxBody - m_written));
        if (n <= 0) return;
        m_fileFailed = m_file.write(block, n) != n;
        m_written += n;
    }
}

bool Transfer::finish(QNetworkReply &reply, bool stalled)
{
    reply.disconnect();
    if (!reply.isFinished()) reply.abort();
    if (!m_fileFailed && (m_cut || (!stalled && answered(reply)))) {
        drain(reply);   // an empty body still makes its (empty) file
        if (m_fileFailed || !m_file.flush()) fileFailed();
        m_file.close();
        return true;
    }
    if (m_fileFailed) fileFailed();
    // A body broken off halfway is no rate; it must not be read as one.
    if (m_file.isOpen()) m_file.remove();
    return false;
}

void Transfer::fileFailed()
{
    const QString reason = m_file.errorString();
    m_file.remove();
    throw AppError(QStringLiteral("Не удалось записать файл «%1»: %2").arg(m_file.fileName(), reason));
}

} // namespace

bool downloadToFile(const QUrl &url, const QString &path, const DownloadLimits &limits)
{
    return Transfer(path, limits).run(url);
}
