#include "live/test_directory.h"

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

TestDirectory::TestDirectory(const std::string& scratch, const std::string& tone)
    : scratch_(scratch) {
    const std::string portFile = scratch + "/directory.port";
    std::vector<std::string> args = {
        "python3",        std::string(ZEL_SOURCE_DIR) + "/tests/directory/server.py",
        "--port-file",    portFile,
        "--log",          scratch + "/directory.log",
        "--max-seconds",  "300",
        "--slow-seconds", "4"};
    if (!tone.empty()) args.insert(args.end(), {"--tone", tone});
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "python3", nullptr, nullptr, argv.data(), environ) != 0) return;
    process_ = pid;
    for (int i = 0; i < 200 && port_ == 0; ++i) {
        port_ = std::atoi(ReadAll(portFile).c_str());
        if (port_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TestDirectory::~TestDirectory() {
    if (process_ <= 0) return;
    kill(static_cast<pid_t>(process_), SIGTERM);
    waitpid(static_cast<pid_t>(process_), nullptr, 0);
}

std::string TestDirectory::Base(const std::string& mode) const {
    return "http://127.0.0.1:" + std::to_string(port_) + (mode.empty() ? "" : "/" + mode);
}

std::string TestDirectory::Log() const {
    return ReadAll(scratch_ + "/directory.log");
}

int DeadPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    close(s);
    return ntohs(address.sin_port);
}
