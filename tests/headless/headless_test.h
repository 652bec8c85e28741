// What the tests of the headless platform itself share: the platform under test and a
// window sink that keeps what it was given.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "support/platform_fixture.h"

class RecordingSink final : public plat::WindowSink {
  public:
    std::vector<plat::Message> got;
    std::function<void(plat::Message&)> onMessage;  // runs inside WndProc

    bool WndProc(plat::Message& m) override {
        got.push_back(m);
        if (onMessage) onMessage(m);
        return true;
    }
    std::vector<plat::UINT> Messages() const {
        std::vector<plat::UINT> ids;
        for (const auto& m : got) ids.push_back(m.msg);
        return ids;
    }
};

class HeadlessTest : public PlatformTest {
  protected:
    plat::headless::HeadlessPlatform& hl() {
        return static_cast<plat::headless::HeadlessPlatform&>(platform());
    }
    plat::HWND Form(RecordingSink& sink, const std::string& className = "TTestForm") {
        plat::WindowSpec spec;
        spec.className = className;
        spec.sink = &sink;
        return hl().CreateWindowA(spec);
    }
};
