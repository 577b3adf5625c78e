#pragma once
#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test; removed at the end.
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    // Writes bytes to a file under the folder (creating subfolders); returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};
