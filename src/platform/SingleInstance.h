#pragma once
#include <QString>

// The guard against a second running copy: an exclusive flock() on a lock file
// named after the guard in the user's runtime folder. The system releases the
// lock when the holder ends, even on a crash.
class SingleInstance {
public:
    explicit SingleInstance(const QString &name, const QString &folder = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Tries to take the guard for at most timeoutMs; true when this copy now holds it.
    bool acquire(int timeoutMs = 10);
    bool held() const { return m_fd >= 0; }
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};
