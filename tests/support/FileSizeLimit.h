#pragma once

#include <functional>

// Stands in for a full disk: while one of these lives, no file of this
// process can grow past the given size; a write past it fails (EFBIG)
// instead of killing the process. The limit is lifted again at the end.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    long long m_oldSoft = 0;
    void (*m_oldHandler)(int) = nullptr;
};

// Runs step in a forked child process under a file-size limit of bytes
// and returns the child's exit code (step's answer; -1 when it died).
int inChildWithFileLimit(long long bytes, const std::function<int()> &step);
