// What the fuzz targets share: a scratch directory made once for the process and
// removed at its end, and a fresh headless platform for every input, so that nothing
// one input leaves behind (recorded calls, windows, open files) reaches the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

class FreshPlatform {
  public:
    FreshPlatform();  // also a fresh Application
    ~FreshPlatform();
    FreshPlatform(const FreshPlatform&) = delete;
    FreshPlatform& operator=(const FreshPlatform&) = delete;

    // A path in the scratch directory.
    static std::string Path(const std::string& name);
    // Creates or replaces the file with the bytes; returns its path.
    static std::string Write(const std::string& name, std::string_view bytes);
};

// A property that must hold for every input does not: report it and abort, which
// libFuzzer keeps as a finding.
[[noreturn]] void Fail(const char* what);
inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
