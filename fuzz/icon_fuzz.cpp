// Icon files as the tray's animation and the icon object read them: any file loads
// into a picture or fails with the icon error, and a file taken as an icon has every
// image inside it.
#include <string>
#include <vector>

#include "gui/exceptions.h"
#include "gui/icon.h"
#include "harness.h"

namespace {

std::uint32_t At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshPlatform platform;
    const std::vector<std::uint8_t> bytes(data, data + size);
    if (IsIconFile(bytes)) {
        const std::size_t count = bytes[4] | bytes[5] << 8;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = 6 + 16 * i;
            fuzz::Check(entry + 16 <= size, "the directory lies inside the file");
            const std::uint64_t length = At(bytes, entry + 8), offset = At(bytes, entry + 12);
            fuzz::Check(length > 0 && offset + length <= size, "each image lies inside the file");
        }
    }
    TIcon icon;
    try {
        icon.LoadFromFile(fuzz::FreshPlatform::Write("frame.ico", fuzz::AsText(data, size)));
        fuzz::Check(!icon.Empty(), "a loaded icon has a picture");
    } catch (const EInvalidGraphic&) {
        fuzz::Check(icon.Empty(), "a refused file leaves the icon as it was");
    }
    return 0;
}
