#include "childprocess.h"

#include "sampling.h"

#include <cmath>
#include <sys/wait.h>
#include <unistd.h>

namespace Bench {

double InChild(const std::function<double()>& sample) {
    int channel[2];
    if (pipe(channel) != 0) {
        return NoSample("no pipe to a child");
    }
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return NoSample("no child process");
    }
    if (child == 0) {
        close(channel[0]);
        const double value = sample();
        const bool sent = write(channel[1], &value, sizeof value) == sizeof value;
        // Straight out: the parent's objects are the parent's to destroy.
        _exit(sent && !std::isnan(value) ? 0 : 1);
    }
    close(channel[1]);
    double value = 0;
    const bool received = read(channel[0], &value, sizeof value) == sizeof value;
    close(channel[0]);
    int status = 0;
    const bool reaped = waitpid(child, &status, 0) == child;
    if (!received || !reaped || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return NoSample("the child process failed");
    }
    return value;
}

} // namespace Bench
