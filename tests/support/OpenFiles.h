#pragma once
#include <QDir>
#include <QFileInfo>
#include <QString>

// Whether the process holds the file open (Linux shows its descriptors as links).
inline bool holdsOpen(qint64 pid, const QString &path)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == path) return true;
    return false;
}
