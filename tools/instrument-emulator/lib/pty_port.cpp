#include "pty_port.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <climits>
#include <utility>

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

std::string PtyPort::line_settings() const {
    termios line{};
    if (master_ < 0 || tcgetattr(master_, &line) != 0) return "";
    static const std::pair<speed_t, const char*> speeds[] = {
        {B1200, "1200"},   {B2400, "2400"},   {B4800, "4800"},   {B9600, "9600"},
        {B19200, "19200"}, {B38400, "38400"}, {B57600, "57600"}, {B115200, "115200"}};
    std::string text = "?";
    for (const auto& [speed, name] : speeds) {
        if (cfgetospeed(&line) == speed && cfgetispeed(&line) == speed) text = name;
    }
    const tcflag_t size = line.c_cflag & CSIZE;
    text += size == CS5 ? " 5" : size == CS6 ? " 6" : size == CS7 ? " 7" : " 8";
    text += (line.c_cflag & PARENB) == 0 ? 'N' : (line.c_cflag & PARODD) != 0 ? 'O' : 'E';
    text += (line.c_cflag & CSTOPB) != 0 ? '2' : '1';
    const bool xon = (line.c_iflag & IXON) != 0, xoff = (line.c_iflag & IXOFF) != 0;
    text += xon && xoff ? " XON/XOFF" : xon ? " XON" : xoff ? " XOFF" : "";
    if ((line.c_cflag & CRTSCTS) != 0) text += " RTS/CTS";
    return text;
}

void PtyPort::close() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
    master_ = slave_ = -1;
    slave_path_.clear();
}

}  // namespace zr8812
