// zr8812-emulator: the emulated ZR8812 on a pseudo-terminal, for people
// trying the program without an instrument.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "emulator.h"
#include "records.h"

namespace {

const char kUsage[] =
    "Usage: zr8812-emulator [options]\n"
    "  --memory DIR            memory folder shown at /etc/mem/ (default: a fresh sample\n"
    "                          memory in a temporary folder, removed at exit)\n"
    "  --make-sample DIR       write the sample memory into DIR and exit\n"
    "  --com N                 register as COM N: DIR/dosdevices/comN and comN.usb\n"
    "  --program-dir DIR       program directory for --com (default: this program's folder)\n"
    "  --usb-serial TEXT       bridge serial number declared in comN.usb\n"
    "  --pace                  send at the real line rate, 960 bytes/s\n"
    "  --pieces SEED           send answers in random pieces with pauses up to 1.5 s\n"
    "  --start-in-command-mode skip the Modbus switch sequence\n"
    "  --rotary N              rotary switch position (25 = SET-UP)\n"
    "  --shutoff N             automatic power-off setting (1 on, 0 off)\n"
    "  --blank-padded-days     ls -l pads a day below 10 with a blank (Dec  4), not a zero\n"
    "  --clock SECONDS         the instrument's clock (seconds since 1970) for its listings\n"
    "                          and the sample memory's dates, instead of the system's\n"
    "Faults:\n"
    "  --silent                never answer\n"
    "  --wrong-lrc             Modbus answers carry a wrong check\n"
    "  --register25-ffff       register 25 reads FFFF\n"
    "  --high-bit              Modbus answers carry a byte with the high bit set\n"
    "  --stop-mid-answer CMD   answers to commands starting with CMD stop half-way\n"
    "  --error-answer CMD      commands starting with CMD answer with an error\n"
    "  --garbage CMD           answers to commands starting with CMD are line noise\n"
    "  --silent-at CMD         commands starting with CMD get no answer\n"
    "  --silent-times N        ... only their first N times (a silence tried again)\n"
    "  --modbus-restart CMD    at CMD the instrument restarts in Modbus mode (power cycle)\n"
    "  --late-answer CMD       answers to commands starting with CMD begin only after 1 s\n"
    "                          (\"\" = the next answer only)\n"
    "  --refuse-erase CMD      \"rm\" commands starting with CMD are refused (\"Read-only file\n"
    "                          system\", without the word Error) and keep the file\n"
    "  --unplug-at CMD         the cable is pulled when CMD arrives (\"\" = the next line)\n"
    "  --unplug-answer-bytes N ... after N bytes of its answer went out\n"
    "  --unplug-after-bytes N  the cable is pulled after N bytes went out\n"
    "  --show-output           log what the instrument sends as well\n"
    "Signals: SIGUSR1 pulls the cable now, SIGUSR2 plugs it back in (fresh\n"
    "pseudo-terminal, registered again).\n";

struct Settings {
    zr8812::EmulatorOptions options;
    std::string program_dir;
    std::string usb_serial = "ZR8812-0000123";
    std::string make_sample;
    int com = 0;
    int silent_times = 0;  // 0: silent for good
    bool show_output = false;
    std::vector<std::pair<zr8812::Fault, std::string>> faults;
    // The cable pull asked for on the command line.
    std::optional<std::string> unplug_at;
    int unplug_answer_bytes = 0;
    int unplug_after_bytes = -1;
};

std::string program_folder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

std::string printable(const std::string& bytes) {
    std::string text;
    char escape[8];
    for (unsigned char c : bytes) {
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            text += escape;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

// The sample memory's "now": the instrument's clock.
std::time_t Now(const Settings& s) {
    return s.options.fixed_clock != 0 ? s.options.fixed_clock : std::time(nullptr);
}

bool parse_number(const char* text, int& value) {
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || number < 0 || number > 9999) return false;
    value = static_cast<int>(number);
    return true;
}

// The faults of the line (noise, silence, restart, the cable): true when
// `arg` is one of them and its value was taken.
bool parse_line_fault(const std::string& arg, const char* value, Settings& s) {
    using zr8812::Fault;
    if (arg == "--garbage") {
        s.faults.emplace_back(Fault::Garbage, value);
    } else if (arg == "--silent-at") {
        s.faults.emplace_back(Fault::Silent, value);
    } else if (arg == "--silent-times") {
        return parse_number(value, s.silent_times);
    } else if (arg == "--modbus-restart") {
        s.faults.emplace_back(Fault::ModbusRestart, value);
    } else if (arg == "--late-answer") {
        s.faults.emplace_back(Fault::LateAnswer, value);
    } else if (arg == "--refuse-erase") {
        s.faults.emplace_back(Fault::RefusedErase, value);
    } else if (arg == "--unplug-at") {
        s.unplug_at = value;
    } else if (arg == "--unplug-answer-bytes") {
        return parse_number(value, s.unplug_answer_bytes);
    } else if (arg == "--unplug-after-bytes") {
        return parse_number(value, s.unplug_after_bytes);
    } else {
        return false;
    }
    return true;
}

// Pulls or plugs the cable on SIGUSR1 / SIGUSR2; returns on any other
// signal of the set.
void serve_until_stopped(zr8812::Emulator& emulator, const sigset_t& signals) {
    for (;;) {
        int received = 0;
        sigwait(&signals, &received);
        if (received == SIGUSR1) {
            emulator.unplug();
            if (emulator.wait_unplugged()) std::cout << "Cable pulled." << std::endl;
        } else if (received == SIGUSR2) {
            const bool back = emulator.plug_back();
            std::cout << (back ? "Cable plugged back in on " + emulator.device_path()
                               : std::string("Cannot plug the cable back in"))
                      << std::endl;
        } else {
            return;
        }
    }
}

// Returns 0 to run, 1 to stop with success (help), 2 on a usage error.
int parse_arguments(int argc, char** argv, Settings& s) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        auto value = [&]() -> const char* { return argv[++i]; };
        using zr8812::Fault;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 1;
        } else if (arg == "--pace") {
            s.options.paced = true;
        } else if (arg == "--blank-padded-days") {
            s.options.blank_padded_days = true;
        } else if (arg == "--start-in-command-mode") {
            s.options.start_in_command_mode = true;
        } else if (arg == "--silent") {
            s.faults.emplace_back(Fault::Silent, "");
        } else if (arg == "--wrong-lrc") {
            s.faults.emplace_back(Fault::WrongLrc, "");
        } else if (arg == "--register25-ffff") {
            s.faults.emplace_back(Fault::Register25FFFF, "");
        } else if (arg == "--high-bit") {
            s.faults.emplace_back(Fault::HighBitInModbus, "");
        } else if (arg == "--show-output") {
            s.show_output = true;
        } else if (!has_value) {
            std::cerr << "zr8812-emulator: unknown option or missing value: " << arg << "\n"
                      << kUsage;
            return 2;
        } else if (arg == "--memory") {
            s.options.memory_dir = value();
        } else if (arg == "--make-sample") {
            s.make_sample = value();
        } else if (arg == "--clock") {
            s.options.fixed_clock = std::strtoll(value(), nullptr, 10);
        } else if (arg == "--program-dir") {
            s.program_dir = value();
        } else if (arg == "--usb-serial") {
            s.usb_serial = value();
        } else if (arg == "--stop-mid-answer") {
            s.faults.emplace_back(Fault::StopMidAnswer, value());
        } else if (arg == "--error-answer") {
            s.faults.emplace_back(Fault::ErrorAnswer, value());
        } else if (parse_line_fault(arg, argv[i + 1], s)) {
            ++i;
        } else if (arg == "--com" && parse_number(argv[i + 1], s.com) && s.com > 0) {
            ++i;
        } else if (arg == "--pieces" && parse_number(argv[i + 1], s.options.pieces.seed)) {
            s.options.pieces.on = true;
            ++i;
        } else if (arg == "--rotary" && parse_number(argv[i + 1], s.options.rotary)) {
            ++i;
        } else if (arg == "--shutoff" && parse_number(argv[i + 1], s.options.shutof_en)) {
            ++i;
        } else {
            std::cerr << "zr8812-emulator: bad option: " << arg << " " << argv[i + 1] << "\n"
                      << kUsage;
            return 2;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Settings s;
    if (const int parsed = parse_arguments(argc, argv, s); parsed != 0) return parsed == 1 ? 0 : 2;
    if (!s.make_sample.empty()) {
        if (!zr8812::make_sample_memory(s.make_sample, Now(s))) {
            std::cerr << "zr8812-emulator: cannot write the sample memory into " << s.make_sample
                      << "\n";
            return 1;
        }
        std::cout << "Sample memory written into " << s.make_sample << "\n";
        return 0;
    }

    std::string temporary_memory;
    if (s.options.memory_dir.empty()) {
        char pattern[] = "/tmp/zr8812-memory-XXXXXX";
        if (mkdtemp(pattern) == nullptr || !zr8812::make_sample_memory(pattern, Now(s))) {
            std::cerr << "zr8812-emulator: cannot create a sample memory\n";
            return 1;
        }
        temporary_memory = s.options.memory_dir = pattern;
    } else if (!std::filesystem::is_directory(s.options.memory_dir)) {
        std::cerr << "zr8812-emulator: no memory folder " << s.options.memory_dir << "\n";
        return 1;
    }

    // Ctrl-C, SIGTERM and a closed terminal are taken by sigwait below, so
    // that the dosdevices files are always removed; the emulator's thread
    // inherits the blocked mask. A background start may have them ignored.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2}) {
        sigaddset(&stop_signals, signal_number);
        signal(signal_number, SIG_DFL);
    }
    signal(SIGPIPE, SIG_IGN);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    const bool show_output = s.show_output;
    // The line's settings are logged as the program's side changes them.
    const zr8812::Emulator* served = nullptr;
    std::string line_shown;
    s.options.monitor = [show_output, &served, &line_shown](const zr8812::WireEvent& event) {
        if (event.incoming && served != nullptr && served->line_settings() != line_shown) {
            line_shown = served->line_settings();
            std::printf("[%9.3f] line %s\n", event.seconds, line_shown.c_str());
        }
        if (!event.incoming && !show_output) return;
        std::printf("[%9.3f] %s %s\n", event.seconds, event.incoming ? "<<" : ">>",
                    printable(event.bytes).c_str());
        std::fflush(stdout);
    };
    zr8812::Emulator emulator(s.options);
    served = &emulator;
    for (const auto& [fault, command] : s.faults)
        emulator.set_fault(fault, command, fault == zr8812::Fault::Silent ? s.silent_times : 0);
    if (s.unplug_at) emulator.unplug_at(*s.unplug_at, static_cast<std::size_t>(s.unplug_answer_bytes));
    if (s.unplug_after_bytes >= 0)
        emulator.unplug_after_bytes(static_cast<std::size_t>(s.unplug_after_bytes));
    if (!emulator.start()) {
        std::cerr << "zr8812-emulator: cannot open a pseudo-terminal\n";
        return 1;
    }
    std::cout << "ZR8812 emulator listening on " << emulator.device_path() << "\n"
              << "Memory: " << s.options.memory_dir << "\n"
              << "Mode: " << (s.options.start_in_command_mode ? "command" : "Modbus ASCII")
              << ", rotary switch " << s.options.rotary << (s.options.paced ? ", paced" : "")
              << "\n";
    int status = 0;
    if (s.com > 0) {
        const std::string dir = s.program_dir.empty() ? program_folder() : s.program_dir;
        if (emulator.register_com(dir, s.com, s.usb_serial)) {
            std::cout << "Registered as COM" << s.com << " in " << dir << "/dosdevices\n";
        } else {
            std::cerr << "zr8812-emulator: cannot register COM" << s.com << " in " << dir << "\n";
            status = 1;
        }
    }
    std::cout << "Ctrl-C stops it." << std::endl;
    if (status == 0) {
        serve_until_stopped(emulator, stop_signals);
        std::cout << "Stopping." << std::endl;
    }
    emulator.stop();
    emulator.unregister_com();
    if (!temporary_memory.empty()) {
        std::error_code error;
        std::filesystem::remove_all(temporary_memory, error);
    }
    return status;
}
