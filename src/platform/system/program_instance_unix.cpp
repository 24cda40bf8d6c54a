// The claim is a listening socket in Linux's abstract namespace, named after
// the user and the program folder: binding it is the claim, the kernel frees
// it when the process ends however it ends (no stale lock file), and a second
// copy's connection is the request to come forward, seen by the first copy's
// event loop (QSocketNotifier).
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/system/program_instance.h"

struct ProgramInstance::Held {
    int socket = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void()> another_start;
};

namespace {

socklen_t AbstractAddress(const std::string& folder, sockaddr_un& address) {
    const std::string name =
        "briskel-view/" + std::to_string(getuid()) + "/" + ProgramInstanceName(folder);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    // A leading NUL puts the name in the abstract namespace.
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// The connection is the request. True when the name's holder is a copy of
// this user's: any user can bind any abstract name, and another one holding
// this user's must not keep the program from starting.
bool AskFirstCopyForward(const sockaddr_un& address, socklen_t length) {
    const int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) return false;
    ucred holder{};
    socklen_t size = sizeof holder;
    const bool ours = connect(client, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                      getsockopt(client, SOL_SOCKET, SO_PEERCRED, &holder, &size) == 0 &&
                      holder.uid == getuid();
    close(client);
    return ours;
}

}  // namespace

ProgramInstance::ProgramInstance(const std::string& programFolder,
                                 std::function<void()> anotherStart) {
    sockaddr_un address;
    const socklen_t length = AbstractAddress(programFolder, address);
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0) return;  // cannot tell: run
    if (bind(listener, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        listen(listener, 4) != 0) {
        const bool held_elsewhere = errno == EADDRINUSE;
        close(listener);
        if (held_elsewhere) claimed_ = !AskFirstCopyForward(address, length);
        return;
    }
    held_ = std::make_unique<Held>();
    held_->socket = listener;
    held_->another_start = std::move(anotherStart);
    held_->notifier = std::make_unique<QSocketNotifier>(listener, QSocketNotifier::Read);
    Held* held = held_.get();
    QObject::connect(held->notifier.get(), &QSocketNotifier::activated, [held] {
        bool asked = false;
        for (int peer; (peer = accept4(held->socket, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            close(peer);
            asked = true;
        }
        if (asked && held->another_start) held->another_start();
    });
}

ProgramInstance::~ProgramInstance() {
    if (!held_) return;
    held_->notifier.reset();
    close(held_->socket);
}
