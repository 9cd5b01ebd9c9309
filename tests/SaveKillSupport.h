#pragma once
// A child process that saves in a loop, killed at a random moment: the child
// reports each generation on a pipe once its save has returned, and the
// parent reads the last one confirmed before the kill.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/Random.h"

namespace savekill {

// Forks a child running work(reportFd) (which never returns), kills it after
// a random 0.2 to 3.2 ms, and returns the last generation it reported, or
// `confirmed` when it reported none. Fails the test when the child stopped by itself.
inline int KillWhileSaving(const std::function<void(int reportFd)>& work, int confirmed) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    pid_t child = fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        work(fds[1]);
        _exit(5);
    }
    close(fds[1]);
    usleep(200 + VxRand() % 3000);
    kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: exit " << WEXITSTATUS(status);
    int generation = 0;
    while (read(fds[0], &generation, sizeof generation) == sizeof generation) confirmed = generation;
    close(fds[0]);
    return confirmed;
}

// Reports one generation on the pipe; the child ends when the parent has gone.
inline void Report(int reportFd, int generation) {
    if (write(reportFd, &generation, sizeof generation) != sizeof generation) _exit(4);
}

}  // namespace savekill
