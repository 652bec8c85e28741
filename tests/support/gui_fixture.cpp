#include "support/gui_fixture.h"

#include <fstream>

#include "gui/application.h"
#include "platform/paths.h"

void GuiTest::SetUp() {
    PlatformTest::SetUp();
    Application = new TApplication();
    Application->SetTitle("Zelvora");
}

void GuiTest::TearDown() {
    delete Application;
    Application = nullptr;
    PlatformTest::TearDown();
}

plat::headless::HeadlessPlatform& GuiTest::harness() {
    return static_cast<plat::headless::HeadlessPlatform&>(platform());
}

std::string GuiTest::WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::string path = plat::JoinPath(dir(), name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}
