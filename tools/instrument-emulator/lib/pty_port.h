// The instrument's end of the line: a pseudo-terminal in raw mode. The
// program opens the slave side like a serial port; the emulator reads and
// writes the master side.
#pragma once

#include <string>

namespace zr8812 {

class PtyPort {
   public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort&) = delete;
    PtyPort& operator=(const PtyPort&) = delete;

    // Opens a pseudo-terminal, raw, master non-blocking. False on failure.
    bool open();
    void close();
    int master() const { return master_; }
    int slave() const { return slave_; }
    const std::string& slave_path() const { return slave_path_; }
    // The line as the program's side last set it, e.g. "9600 8N1 XON/XOFF"
    // ("" when closed): a pseudo-terminal keeps the settings a serial port
    // would be given, and its master sees them.
    std::string line_settings() const;

   private:
    int master_ = -1;
    // Held open so that the line stays up (no hang-up, no lost bytes) while
    // the program closes and reopens its side.
    int slave_ = -1;
    std::string slave_path_;
};

}  // namespace zr8812
