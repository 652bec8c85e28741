#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "gui/application.h"
#include "platform/headless/headless.h"
#include "platform/paths.h"

namespace fuzz {

namespace {

// Made on first use and never freed, so that it outlives the exit handler that
// removes the directory (libFuzzer does not always end through exit, so a caller may
// name a parent of its own to clear, ZEL_FUZZ_SCRATCH). In memory where there is a
// memory file system: a disk file system writes a file out when it replaces another,
// which costs most of each run.
const std::string& ScratchDir() {
    static const std::string* dir = [] {
        std::error_code error;
        const char* parent = std::getenv("ZEL_FUZZ_SCRATCH");
        auto base = parent && *parent ? std::filesystem::path(parent)
                    : std::filesystem::is_directory("/dev/shm", error)
                        ? std::filesystem::path("/dev/shm")
                        : std::filesystem::temp_directory_path();
        auto pattern = (base / "zel-fuzz-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!::mkdtemp(name.data())) Fail("cannot make a scratch directory");
        auto* made = new std::string(name.data());
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDir(), ignored);
        });
        return made;
    }();
    return *dir;
}

}  // namespace

FreshPlatform::FreshPlatform() {
    plat::Install(std::make_unique<plat::headless::HeadlessPlatform>(ScratchDir()));
    Application = new TApplication();
    Application->SetTitle("Zelvora");
}

FreshPlatform::~FreshPlatform() {
    delete Application;
    Application = nullptr;
    plat::Uninstall();
}

std::string FreshPlatform::Path(const std::string& name) {
    return plat::JoinPath(ScratchDir(), name);
}

std::string FreshPlatform::Write(const std::string& name, std::string_view bytes) {
    std::string path = Path(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) Fail("cannot write a scratch file");
    return path;
}

void Fail(const char* what) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

}  // namespace fuzz
