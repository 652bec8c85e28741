// The tests' own station directory (tests/directory/server.py), started by the tests
// of the real backends: on Linux as a child process, under Wine through Wine, which
// starts Linux programs as it starts Windows ones. It tells its port through a file
// and ends with this object (or after a few minutes on its own).
#pragma once

#include <string>

class TestDirectory {
  public:
    // scratch: a folder of the test's own for the port file and the request log.
    TestDirectory(const std::string& scratch, const std::string& tone = "");
    ~TestDirectory();
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;

    bool Running() const { return port_ != 0; }
    // "http://127.0.0.1:<port>", with a misbehaviour's path when given ("500").
    std::string Base(const std::string& mode = "") const;
    // The requests it has had: one JSON object a line.
    std::string Log() const;

  private:
    std::string scratch_;
    int port_ = 0;
    long long process_ = 0;  // Linux: the server's process id
};

// A port on 127.0.0.1 where nothing listens: a server that is down.
int DeadPort();
