#pragma once

#include <csignal>
#include <functional>
#include <sys/resource.h>

// While it lives, no file of this process grows past `bytes`: a write beyond
// fails with "File too large", as on a full disk (as root, permissions would
// not stop it).
struct FileSizeLimit
{
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old{};
};

// Runs step in a forked child process under a file-size limit of bytes
// and returns the child's exit code (step's answer; -1 when it died).
int inChildWithFileLimit(rlim_t bytes, const std::function<int()> &step);
