#include "support/FileSizeLimit.h"

#include <sys/wait.h>
#include <unistd.h>

int inChildWithFileLimit(rlim_t bytes, const std::function<int()> &step)
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
