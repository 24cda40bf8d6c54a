// The emulated ZR8812 installation tester.
//
// One Emulator serves one pseudo-terminal from its own thread. It starts in
// Modbus ASCII mode (slave 01), moves to its text command mode after the
// switch sequence, and answers the shell-like commands of the instrument over
// a memory folder given to it, which it shows at /etc/mem/. Tests start it
// in-process, open device_path() like a serial port, script it (turn the
// rotary switch, ask for a fault) and read its wire log.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pieces.h"

namespace zr8812 {

// What "ident" prints.
struct Identity {
    std::string model = "ZR8812";
    int hardware = 12;
    std::string firmware = "1.05";
    long serial = 123;
    std::string fab = "0101";
    std::string sub = "0002";
};

// Faults the instrument can be told to make (see Emulator::set_fault).
enum class Fault {
    None,             // clears every fault
    Silent,           // answers nothing at all (Modbus or command mode)
    WrongLrc,         // Modbus answers carry a wrong check
    Register25FFFF,   // register 25 reads FFFF
    StopMidAnswer,    // the answer stops half-way (no prompt, no frame end)
    ErrorAnswer,      // the command answers "<command>: Error: I/O error"
    HighBitInModbus,  // a Modbus answer carries a byte with the high bit set
    Garbage,          // the answer is line noise of its length, without the prompt
    ModbusRestart,    // the instrument restarts (power cycle): back in Modbus mode,
                      // the command that met it gets no answer
    RefusedErase,     // "rm" answers "rm: can't remove 'FILE': Read-only file system"
                      // (a refusal without the word "Error") and keeps the file
    LateAnswer,       // the answer begins only after late_answer_seconds, as a slow
                      // instrument's does
};

// One chunk of bytes on the line: incoming = sent to the instrument.
struct WireEvent {
    bool incoming;
    std::string bytes;
    double seconds;  // since start()
};

struct EmulatorOptions {
    std::string memory_dir;  // folder shown at /etc/mem/
    bool start_in_command_mode = false;
    int rotary = 25;                 // status.RotPos; 25 = SET-UP
    int shutof_en = 1;               // status.ShutofEn; 1 = automatic power-off on
    uint16_t switch_block = 0x0100;  // value of register 25
    bool paced = false;              // output at the line rate, 960 bytes/s
    Identity identity;
    std::time_t fixed_clock = 0;  // instrument clock for listings; 0 = system clock
    // "ls -l" pads a day below 10 with a blank ("Dec  4"), as most ls
    // programs do, instead of a zero ("Dec 04").
    bool blank_padded_days = false;
    // Called from the emulator's thread for every chunk on the line (outside
    // its lock, so it may call the emulator). Optional.
    std::function<void(const WireEvent&)> monitor;
    // Answers in random pieces with random pauses (see pieces.h).
    PieceOptions pieces;
    // How long an answer hit by Fault::LateAnswer waits before its first byte.
    double late_answer_seconds = 1.0;
};

class Emulator {
   public:
    explicit Emulator(EmulatorOptions options);
    ~Emulator();  // stops and unregisters
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Opens the pseudo-terminal (raw mode) and starts the serving thread.
    // False when the pseudo-terminal or the thread cannot be created.
    bool start();
    // Stops the thread and closes the pseudo-terminal; safe to call twice.
    void stop();
    bool running() const;

    // Slave side of the pseudo-terminal, e.g. /dev/pts/7 ("" before start()).
    std::string device_path() const;
    // The line settings the program's side gave the pseudo-terminal, as a
    // serial port takes them: "9600 8N1 XON/XOFF" ("" when not started).
    std::string line_settings() const;

    // Registers the instrument as COM `com` of the program directory: the
    // link dosdevices/comN -> device_path() and the bridge declaration
    // dosdevices/comN.usb holding "10c4 ea60 <usb_serial>". Creates the
    // dosdevices folder when missing. False when not started or on a file error.
    bool register_com(const std::string& program_dir, int com,
                      const std::string& usb_serial = "ZR8812-0000123");
    // Removes the two files of register_com (only if the link is still ours).
    void unregister_com();

    // Scripting, thread-safe.
    void set_rotary(int position);
    void set_shutof_en(int value);
    int shutof_en() const;
    // Switches a fault on. None clears every fault.
    // `command` narrows StopMidAnswer, ErrorAnswer, Garbage, ModbusRestart, RefusedErase
    // and LateAnswer:
    // "" = the next answer only (one shot); otherwise every answer to a
    // command line starting with that text ("od", "ls -l", "btb status.RotPos")
    // until cleared. In Modbus mode the command text is the function code ("03", "10", "06").
    // `times` > 0 limits the fault to that many answers (any fault).
    void set_fault(Fault fault, const std::string& command = {}, int times = 0);
    void clear_fault(Fault fault);
    bool in_command_mode() const;
    void set_command_mode(bool on);
    // The next answer stops half-way for `seconds`, then goes on.
    void stall_next_answer(double seconds);
    // Answers of a foreign or damaged instrument (command mode): every answer
    // to a command line starting with `command` becomes `answer`, sent as
    // given, without echo or prompt of its own; the command is not run.
    // `times` > 0 limits it to that many answers, a `directory` ("/etc/mem/03")
    // to answers given there.
    void forge_answer(const std::string& command, const std::string& answer, int times = 0,
                      const std::string& directory = {});
    void clear_forged_answers();

    // The cable pulled: the pseudo-terminal closes (the program's side hangs
    // up and device_path() goes away) and the COM registration is removed,
    // as when a USB bridge disappears. The instrument keeps its memory, mode
    // and settings. unplug() pulls it now; unplug_after_bytes() once that many
    // more bytes went out; unplug_at() when a line starting with `command`
    // arrives ("" = the next line; in Modbus mode the function code "03",
    // "10", "06"), after `answer_bytes` bytes of its answer went out.
    void unplug();
    void unplug_after_bytes(std::size_t bytes);
    void unplug_at(const std::string& command, std::size_t answer_bytes = 0);
    bool plugged() const;
    // Waits (up to `timeout_ms`) until a pull that was asked for has happened.
    bool wait_unplugged(int timeout_ms = 5000) const;
    // The cable back in: a fresh pseudo-terminal, registered again as the COM
    // number of the last register_com(). False when it cannot be opened.
    bool plug_back();

    // The wire log: every chunk read from or written to the line, in order.
    std::vector<WireEvent> wire_log() const;
    std::string received() const;  // all bytes received, concatenated
    std::string sent() const;      // all bytes sent, concatenated
    void clear_log();

    std::string memory_dir() const;
    // The instrument's current directory, e.g. "/etc/mem/03".
    std::string current_directory() const;

    struct State;  // internal

   private:
    std::unique_ptr<State> state_;
};

}  // namespace zr8812
