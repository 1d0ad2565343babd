#include "x11/SignalPipe.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>

namespace {

constexpr long kGraceMicroseconds = 150000;

volatile sig_atomic_t inLoop = 0;
volatile sig_atomic_t caught = 0;
int writeEnd = -1;

void endNow(int)
{
    endProcessNow(0);
}

// Only async-signal-safe calls here.
void onTerminate(int)
{
    if (!inLoop)
        endProcessNow(0);
    caught = 1;
    const char byte = 1;
    const ssize_t written = write(writeEnd, &byte, 1);
    (void)written;
    itimerval grace = {};
    grace.it_value.tv_usec = kGraceMicroseconds;
    setitimer(ITIMER_REAL, &grace, nullptr);
}

void install(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

}  // namespace

SignalPipe::SignalPipe()
{
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
        readEnd_ = ends[0];
        writeEnd = ends[1];
    }
    install(SIGALRM, endNow);
    install(SIGTERM, onTerminate);
    install(SIGINT, onTerminate);
}

SignalPipe::~SignalPipe()
{
    inLoop = 0;
}

void SignalPipe::enterLoop()
{
    inLoop = 1;
}

bool SignalPipe::signalled() const
{
    return caught != 0;
}

void endProcessNow(int status)
{
    for (;;)
        syscall(SYS_exit_group, status);
}
