#include "platform/serial/hang_up.h"

#include <poll.h>

bool NativeHandleHungUp(long long handle) {
    if (handle < 0) return true;
    // A terminal whose device disappeared (a USB bridge pulled, the other end
    // of a pseudo-terminal closed) reports a hang-up or an error at once.
    pollfd fd{static_cast<int>(handle), 0, 0};
    return ::poll(&fd, 1, 0) > 0 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
