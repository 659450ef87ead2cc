#pragma once

#include <csignal>
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
