#include "x11/SignalPipe.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr int kReachedTheEnd = 7;
constexpr int kSawTheSignal = 42;

// Runs body in a child process and returns how it ended: its exit status, or 128 +
// the signal that killed it.
template <class Body> int inChild(Body body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(kReachedTheEnd);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(SignalPipe, BeforeTheLoopTermAndIntEndTheProgramAtOnceWithZero)
{
    for (int signal : {SIGTERM, SIGINT}) {
        EXPECT_EQ(inChild([signal] {
                      SignalPipe signals;
                      raise(signal);
                  }),
                  0)
            << signal;
    }
}

TEST(SignalPipe, DuringTheLoopTheSignalWakesTheLoopInsteadOfEndingIt)
{
    EXPECT_EQ(inChild([] {
                  SignalPipe signals;
                  signals.enterLoop();
                  raise(SIGTERM);
                  pollfd watched = {signals.descriptor(), POLLIN, 0};
                  if (signals.signalled() && poll(&watched, 1, 0) == 1)
                      _exit(kSawTheSignal);
              }),
              kSawTheSignal);
}

TEST(SignalPipe, ALoopThatDoesNotEndIsEndedWithZeroSoonAfter)
{
    EXPECT_EQ(inChild([] {
                  SignalPipe signals;
                  signals.enterLoop();
                  raise(SIGINT);
                  sleep(2);  // well past the grace time
              }),
              0);
}

TEST(SignalPipe, EndingNowGivesTheStatus)
{
    EXPECT_EQ(inChild([] { endProcessNow(3); }), 3);
}

}  // namespace
