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

    enum Result {
        Taken,         // this process holds the lock: no other copy runs
        HeldByAnother, // a running copy holds it
        NotWritten,    // the lock file cannot be written (a full disk, say); error() says why
    };
    Result acquire();
    QString lockPath() const { return m_path; }
    QString error() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    std::unique_ptr<QLockFile> m_lock;
};
