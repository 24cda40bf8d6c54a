// The program's end of the line in the emulator's tests: opens the slave side
// of the pseudo-terminal raw and exchanges bytes with time-outs (the
// time-outs only bound a failing test; a passing one never waits for them).
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "emulator.h"

namespace emulator_test {

class LineClient {
   public:
    explicit LineClient(const std::string& device) {
        fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ >= 0) {
            termios raw{};
            tcgetattr(fd_, &raw);
            cfmakeraw(&raw);
            tcsetattr(fd_, TCSANOW, &raw);
        }
    }
    // Reads (and writes) an already open descriptor, e.g. a pipe; takes it over.
    struct Adopt {};
    LineClient(int fd, Adopt) : fd_(fd) {}
    ~LineClient() {
        if (fd_ >= 0) ::close(fd_);
    }
    LineClient(const LineClient&) = delete;
    LineClient& operator=(const LineClient&) = delete;

    bool is_open() const { return fd_ >= 0; }

    bool send(const std::string& bytes) {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Everything up to and including `end` (kept bytes after it stay for the
    // next read); what arrived when the time-out struck, otherwise.
    std::string read_until(const std::string& end, int timeout_ms = 3000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        for (;;) {
            const auto found = pending_.find(end);
            if (found != std::string::npos) {
                std::string text = pending_.substr(0, found + end.size());
                pending_.erase(0, found + end.size());
                return text;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0 || !wait_readable(static_cast<int>(left.count()))) {
                return std::exchange(pending_, {});
            }
            char buffer[4096];
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0) pending_.append(buffer, static_cast<std::size_t>(got));
        }
    }

    // Sends a command line as the program does (CR LF and a NUL byte) and
    // reads the answer through the prompt.
    std::string command(const std::string& line) {
        send(line + "\r\n" + std::string(1, '\0'));
        return read_until("$ ");
    }

    // True when the other end has closed the line.
    bool hung_up() const {
        pollfd fd{fd_, POLLIN, 0};
        return ::poll(&fd, 1, 0) > 0 && (fd.revents & POLLHUP) != 0;
    }

    // A request frame: ":" + body + its check + CR LF.
    static std::string frame(const std::string& hex_body);

   private:
    bool wait_readable(int timeout_ms) {
        pollfd fd{fd_, POLLIN, 0};
        return ::poll(&fd, 1, timeout_ms) > 0;
    }

    int fd_ = -1;
    std::string pending_;
};

inline std::string LineClient::frame(const std::string& hex_body) {
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < hex_body.size(); i += 2) {
        sum += static_cast<unsigned>(std::stoul(hex_body.substr(i, 2), nullptr, 16));
    }
    char check[3];
    std::snprintf(check, sizeof check, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return ":" + hex_body + check + "\r\n";
}

// A fresh temporary folder, removed with the object.
class TempDir {
   public:
    TempDir() {
        char pattern[] = "/tmp/zr8812-test-XXXXXX";
        path_ = ::mkdtemp(pattern) ? pattern : "";
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::string& path() const { return path_; }

   private:
    std::string path_;
};

// An emulator started over a fresh memory folder, and the program's end of
// its line.
class EmulatedLine : public ::testing::Test {
   protected:
    // (Re)starts the emulator with `options` over memory_.
    void start(zr8812::EmulatorOptions options) {
        client_.reset();
        emulator_.reset();
        options.memory_dir = memory_.path();
        emulator_ = std::make_unique<zr8812::Emulator>(options);
        ASSERT_TRUE(emulator_->start());
        client_ = std::make_unique<LineClient>(emulator_->device_path());
        ASSERT_TRUE(client_->is_open());
    }

    TempDir memory_;
    std::unique_ptr<zr8812::Emulator> emulator_;
    std::unique_ptr<LineClient> client_;
};

// The zr8812-emulator program, as the build leaves it.
inline const std::string kEmulatorProgram = std::string(BRISKEL_PROGRAM_DIR) + "/zr8812-emulator";

// Starts `program` with `args`, its standard output readable through
// `output`; the child's process id, or -1.
inline pid_t launch(const std::string& program, const std::vector<std::string>& args,
                    std::unique_ptr<LineClient>& output) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipe_fds[1], STDOUT_FILENO);
        close(pipe_fds[0]);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipe_fds[1]);
    output = std::make_unique<LineClient>(pipe_fds[0], LineClient::Adopt{});
    return pid;
}

// The exit status of the child `pid` once it has ended; -1 when a signal ended it.
inline int wait_exit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Answers of the switch sequence, as the program sends its frames.
inline const std::string kReadRegister25 = ":010300190001E2\r\n";
inline const std::string kSwitchCodeBody = "011001000004085B27E0D41963F8A2";
inline const std::string kConfirmBody = "010601009E3B";

}  // namespace emulator_test
