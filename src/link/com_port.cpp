#include "link/com_port.h"

#include <cstring>

#include "platform/serial/serial.h"
#include "platform/system/system.h"

int ComWrite(const LinkContext& ctx, const char* text) {
    char local[COM_WRITE_MAX + 1] = {};
    std::strncpy(local, text, COM_WRITE_MAX);
    const std::size_t length = std::strlen(local);
    // The terminating NUL goes out too: the instrument expects it after every frame.
    for (std::size_t i = 0; i <= length; ++i) {
        if (ComWrtByte(ctx.serial_port, static_cast<unsigned char>(local[i])) <= 0) {
            return ReturnRS232Err();
        }
    }
    return 1;
}

int OpenInstrumentPort(LinkContext& ctx, int port) {
    ctx.serial_port = port;
    const int status = OpenComConfig(port, "", 9600, NO_PARITY, 8, 1, 5000, 5000);
    if (status < 0) return status;
    SetXMode(port, 1);
    Delay(0.2);
    FlushInQ(port);
    FlushOutQ(port);
    SetComTime(port, 3.0);
    return 0;
}

void LinkAnswered(LinkContext& ctx) {
    ctx.link_flag = 1;
    FlushInQ(ctx.serial_port);
    FlushOutQ(ctx.serial_port);
}
