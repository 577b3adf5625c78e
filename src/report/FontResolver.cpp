#include "report/FontResolver.h"
#include <QFontDatabase>
#include <QHash>

QString FontResolver::family(const QString &requested)
{
    static QHash<QString, QString> resolved;
    const QString key = requested.isEmpty() ? QStringLiteral("Arial") : requested;
    if (auto it = resolved.constFind(key); it != resolved.constEnd()) return *it;
    static const std::pair<const char *, const char *> metricTwins[] = {
        {"arial", "Liberation Sans"}, {"helvetica", "Liberation Sans"},
        {"times new roman", "Liberation Serif"}, {"courier new", "Liberation Mono"}};
    const QStringList installed = QFontDatabase::families();
    QString family = QStringLiteral("Liberation Sans");
    if (installed.contains(key, Qt::CaseInsensitive))
        family = key;
    else
        for (const auto &[name, twin] : metricTwins)
            if (key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) family = QLatin1String(twin);
    if (!installed.contains(family)) family = QStringLiteral("DejaVu Sans");
    resolved.insert(key, family);
    return family;
}
