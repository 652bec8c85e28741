#include "platform/qt/pinned.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

// glibc 2.36's header declares these without C linkage.
extern "C" {
#include <sys/pidfd.h>
}

extern char** environ;

namespace qtb {

namespace {

// The spawn's settings: a new session, so that a signal to this program's terminal
// or process group never reaches the player; every signal at its default and none
// blocked, whatever this program does with them; no output.
class SpawnSetup {
  public:
    SpawnSetup() {
        posix_spawnattr_init(&attr_);
        posix_spawn_file_actions_init(&actions_);
        sigset_t all, none;
        sigfillset(&all);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attr_, &all);
        posix_spawnattr_setsigmask(&attr_, &none);
        posix_spawnattr_setflags(&attr_,
                                 POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
        posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attr_);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    const posix_spawnattr_t* Attr() const { return &attr_; }
    const posix_spawn_file_actions_t* Actions() const { return &actions_; }

  private:
    posix_spawnattr_t attr_;
    posix_spawn_file_actions_t actions_;
};

bool Readable(int fd, int milliseconds) {
    pollfd p{fd, POLLIN, 0};
    int n;
    do n = ::poll(&p, 1, milliseconds);
    while (n < 0 && errno == EINTR);
    return n > 0;
}

}  // namespace

PinnedProcesses::~PinnedProcesses() {
    for (auto& [process, entry] : entries_)
        if (entry.fd >= 0) ::close(entry.fd);
}

plat::PROCESS PinnedProcesses::Spawn(const std::string& file,
                                     const std::vector<std::string>& arguments, int* error) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(file.c_str()));
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const SpawnSetup setup;
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, file.c_str(), setup.Actions(), setup.Attr(),
                                     argv.data(), environ);
    if (failed) {
        if (error) *error = failed;
        return 0;
    }
    // A child's id stays its own until it is reaped, so the pidfd taken now is its.
    const plat::PROCESS process = next_++;
    Entry& entry = entries_[process];
    entry.pid = pid;
    entry.child = true;
    entry.fd = ::pidfd_open(pid, 0);
    if (entry.fd >= 0) {
        entry.reaper = std::make_unique<QSocketNotifier>(entry.fd, QSocketNotifier::Read);
        connect(entry.reaper.get(), &QSocketNotifier::activated, this,
                [this, process] { Reap(process); });
    }
    return process;
}

plat::PROCESS PinnedProcesses::Open(plat::DWORD pid) {
    if (pid == 0 || pid > static_cast<plat::DWORD>(INT_MAX)) return 0;
    const int fd = ::pidfd_open(static_cast<pid_t>(pid), 0);
    if (fd < 0) return 0;
    if (Readable(fd, 0)) {  // it has ended already
        ::close(fd);
        return 0;
    }
    const plat::PROCESS process = next_++;
    Entry& entry = entries_[process];
    entry.pid = static_cast<pid_t>(pid);
    entry.fd = fd;
    return process;
}

void PinnedProcesses::Release(plat::PROCESS process) {
    auto entry = entries_.find(process);
    if (entry == entries_.end()) return;
    entry->second.held = false;
    // A child still running stays until it ends and is reaped.
    if (!entry->second.child || entry->second.reaped) Forget(entry);
}

plat::DWORD PinnedProcesses::Id(plat::PROCESS process) const {
    const Entry* entry = Find(process);
    return entry ? static_cast<plat::DWORD>(entry->pid) : 0;
}

bool PinnedProcesses::Ended(plat::PROCESS process, int milliseconds) {
    Entry* entry = Find(process);
    if (!entry || entry->reaped) return true;
    if (entry->fd >= 0) {
        if (!Readable(entry->fd, milliseconds)) return false;
        if (entry->child) Reap(process);
        return true;
    }
    // No pidfd: the child's id is still its own while unreaped; look every 50 ms.
    for (int waited = 0;; waited += 50) {
        if (::waitpid(entry->pid, nullptr, WNOHANG) != 0) {
            entry->reaped = true;
            return true;
        }
        if (waited >= milliseconds) return false;
        ::usleep(50 * 1000);
    }
}

bool PinnedProcesses::Signal(plat::PROCESS process, int signal) {
    Entry* entry = Find(process);
    if (!entry || entry->reaped) return false;
    if (entry->fd >= 0) return ::pidfd_send_signal(entry->fd, signal, nullptr, 0) == 0;
    return entry->child && ::kill(entry->pid, signal) == 0;
}

void PinnedProcesses::Reap(plat::PROCESS process) {
    auto entry = entries_.find(process);
    if (entry == entries_.end() || entry->second.reaped) return;
    siginfo_t info{};
    const int r = ::waitid(P_PIDFD, static_cast<id_t>(entry->second.fd), &info, WEXITED | WNOHANG);
    if (r == 0 && info.si_pid == 0) return;  // not yet ended
    if (r != 0 && errno != ECHILD) return;   // ECHILD: reaped already, by whom it may be
    entry->second.reaped = true;
    if (entry->second.reaper) entry->second.reaper->setEnabled(false);
    if (!entry->second.held) Forget(entry);
}

void PinnedProcesses::Forget(std::map<plat::PROCESS, Entry>::iterator entry) {
    if (entry->second.reaper) entry->second.reaper.release()->deleteLater();
    if (entry->second.fd >= 0) ::close(entry->second.fd);
    entries_.erase(entry);
}

PinnedProcesses::Entry* PinnedProcesses::Find(plat::PROCESS process) {
    auto entry = entries_.find(process);
    return entry == entries_.end() || !entry->second.held ? nullptr : &entry->second;
}

const PinnedProcesses::Entry* PinnedProcesses::Find(plat::PROCESS process) const {
    auto entry = entries_.find(process);
    return entry == entries_.end() || !entry->second.held ? nullptr : &entry->second;
}

}  // namespace qtb
