// A fresh headless platform and a fresh Application for every GUI test, with the
// harness at hand to script the user and read what reached the platform.
#pragma once

#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "support/platform_fixture.h"

class GuiTest : public PlatformTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    plat::headless::HeadlessPlatform& harness();
    // Writes bytes to a file in the test's directory and returns its path.
    std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes);
};
