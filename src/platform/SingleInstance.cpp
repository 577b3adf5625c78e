#include "platform/SingleInstance.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &name, const QString &folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_path = dir + QLatin1Char('/') + name;
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SingleInstance::acquire(int timeoutMs)
{
    if (m_fd >= 0)
        return true;
    // Close-on-exec, so a program started by this copy does not keep the guard.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return true;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || timer.elapsed() >= timeoutMs)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::close(fd);
    return false;
}
