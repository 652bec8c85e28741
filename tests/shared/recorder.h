// A window's sink for tests of a backend: it keeps every message it is given, and
// answers those from WM_USER up as the test says.
#pragma once

#include <string>
#include <vector>

#include "platform/windowing.h"

class Recorder final : public plat::WindowSink {
  public:
    bool WndProc(plat::Message& m) override;

    int Count(plat::UINT msg) const;
    const plat::Message* Last(plat::UINT msg) const;
    // Position of the first such message in arrival order, -1 when none came.
    int IndexOf(plat::UINT msg) const;
    void Clear() {
        got.clear();
        texts.clear();
    }

    std::vector<plat::Message> got;
    std::vector<std::string> texts;  // copies of the ZM_TEXT texts
    plat::LRESULT answer = 0;        // what the sink answers to messages from WM_USER up
};
