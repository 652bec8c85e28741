// A fresh platform for every test: the headless one in the native build, the real
// Windows one in the Windows build (tests under Wine). Each test also gets a fresh
// directory of its own to write into.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    plat::Platform& platform() { return plat::Current(); }
    const std::string& dir() const { return dir_; }  // no trailing delimiter

private:
    std::string dir_;
};
