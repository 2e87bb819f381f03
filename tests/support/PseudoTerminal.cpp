#include "tests/support/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

#include <gtest/gtest.h>

namespace testsupport {

PseudoTerminal::PseudoTerminal()
{
    mController = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (mController < 0 || ::grantpt(mController) != 0 || ::unlockpt(mController) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return;
    }
    mPath = QString::fromLocal8Bit(::ptsname(mController));
    mTerminal = ::open(::ptsname(mController), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (mTerminal < 0 || ::tcgetattr(mTerminal, &mode) != 0) {
        ADD_FAILURE() << "the pseudo-terminal cannot be opened";
        return;
    }
    ::cfmakeraw(&mode);
    ::tcsetattr(mTerminal, TCSANOW, &mode);
}

PseudoTerminal::~PseudoTerminal()
{
    if (mTerminal >= 0)
        ::close(mTerminal);
    if (mController >= 0)
        ::close(mController);
}

std::string PseudoTerminal::written()
{
    std::string text;
    pollfd ready{mController, POLLIN, 0};
    char buffer[4096];
    while (mController >= 0 && ::poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN) != 0) {
        const ssize_t got = ::read(mController, buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

}  // namespace testsupport
