// The Windows serial code at the line's own speed (not a test: it measures):
// the dump of the sample memory's largest test file read through ComRdUntil
// from the emulated instrument paced at 9600 baud, against the time its
// answer needs on the line. A read that ended at the time-out instead of the
// prompt shows as a ratio well above 1 (and is said).
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/serial/serial.h"

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "/etc/mem/07/01.v";
    constexpr int port = 7;
    if (OpenComConfig(port, "", 9600, NO_PARITY, 8, 1, 512, 512) != 0 || SetXMode(port, 1) != 0 ||
        SetComTime(port, 3.0) != 0) {
        std::printf("COM %d cannot be opened\n", port);
        return 1;
    }
    const std::string command = "od -hxv " + file + "\r";
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (char c : command) ComWrtByte(port, c);
    static char buffer[65536];
    const int n = ComRdUntil(port, buffer, sizeof buffer, [](const char* bytes, std::size_t length) {
        const std::string text(bytes, length);
        return length >= 2 && text.find("korvid:", text.size() > 64 ? text.size() - 64 : 0) !=
                                  std::string::npos &&
               text.compare(length - 2, 2, "$ ") == 0;
    });
    QueryPerformanceCounter(&end);
    const int status = ReturnRS232Err();
    const double wall = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    const double line = (command.size() + static_cast<double>(n)) / 960.0;
    std::printf("%-28s %8s %8s %8s %8s\n", "answer", "bytes", "wall s", "line s", "ratio");
    std::printf("%-28s %8d %8.3f %8.3f %8.2f\n", command.substr(0, command.size() - 1).c_str(), n,
                wall, line, wall / line);
    std::printf("%s\n", status == RS232_NO_ERROR ? "ended at the prompt"
                                                 : "ENDED AT THE TIME-OUT, not at the prompt");
    CloseCom(port);
    return status == RS232_NO_ERROR ? 0 : 1;
}
