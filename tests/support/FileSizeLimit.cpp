#include "support/FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(long long bytes)
{
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit rl{};
    getrlimit(RLIMIT_FSIZE, &rl);
    m_oldSoft = static_cast<long long>(rl.rlim_cur);
    rl.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &rl);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit rl{};
    getrlimit(RLIMIT_FSIZE, &rl);
    rl.rlim_cur = static_cast<rlim_t>(m_oldSoft);
    setrlimit(RLIMIT_FSIZE, &rl);
    std::signal(SIGXFSZ, m_oldHandler);
}

int inChildWithFileLimit(long long bytes, const std::function<int()> &step)
{
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        int answer = -1;
        {
            FileSizeLimit limit(bytes);
            answer = step();
        }
        _exit(answer);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
