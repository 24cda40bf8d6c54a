#include "pty_port.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <climits>

namespace zr8812 {

PtyPort::~PtyPort() {
    close();
}

bool PtyPort::open() {
    close();
    termios raw{};
    cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (openpty(&master_, &slave_, nullptr, &raw, nullptr) != 0) {
        master_ = slave_ = -1;
        return false;
    }
    char name[PATH_MAX];
    if (ttyname_r(slave_, name, sizeof name) != 0) {
        close();
        return false;
    }
    slave_path_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    return true;
}

void PtyPort::close() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
    slave_path_.clear();
}

}  // namespace zr8812
