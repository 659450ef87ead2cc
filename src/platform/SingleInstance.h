#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Keeps a second copy of the program from running for the same user: the
// first copy holds a lock file in the program folder for its whole run.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &folder);
    ~SingleInstance();

    // True when this process now holds the lock (no other copy runs).
    bool acquire();
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
