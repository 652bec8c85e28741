// Other programs' processes held by pidfd. A pidfd names its process and no other,
// even after that process has ended and its id has been given to a new one: nothing
// done through it can reach a stranger. The programs started here are children of
// this one; each is reaped as soon as it ends (its pidfd becomes readable), so that
// none lingers as a zombie, whether or not it is still held.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/types.h"

namespace qtb {

class PinnedProcesses final : public QObject {
  public:
    PinnedProcesses() = default;
    ~PinnedProcesses() override;

    // Starts the program file with the arguments (argv[0] is the file), its input and
    // output on /dev/null, in a session of its own, with default signal handling.
    // 0 and errno's value in *error when it cannot be started.
    plat::PROCESS Spawn(const std::string& file, const std::vector<std::string>& arguments,
                        int* error);
    // The running process of that id, pinned; 0 when there is none, it cannot be
    // pinned, or the id is no process id at all (above INT32_MAX).
    plat::PROCESS Open(plat::DWORD pid);
    void Release(plat::PROCESS process);
    plat::DWORD Id(plat::PROCESS process) const;  // 0 when not held
    bool Ended(plat::PROCESS process, int milliseconds);
    // Sends the signal to the process; false when it has ended or is not held.
    bool Signal(plat::PROCESS process, int signal);

  private:
    struct Entry {
        pid_t pid = 0;
        int fd = -1;         // the pidfd; -1 where the kernel has none (a child only)
        bool child = false;  // started here, so reaped here
        bool reaped = false;
        bool held = true;
        std::unique_ptr<QSocketNotifier> reaper;
    };
    Entry* Find(plat::PROCESS process);
    const Entry* Find(plat::PROCESS process) const;
    void Reap(plat::PROCESS process);
    void Forget(std::map<plat::PROCESS, Entry>::iterator entry);

    std::map<plat::PROCESS, Entry> entries_;
    plat::PROCESS next_ = 1;
};

}  // namespace qtb
