// Icons: from the program's resources, from the bytes of an .ico file, copies.
#include <cstring>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

// An .ico file: a 6-byte header, then 16-byte entries that end in the image's size
// and file offset. The resource form that LookupIconIdFromDirectoryEx reads has
// 14-byte entries that end in a resource id instead; we number the images from 1.
#pragma pack(push, 2)
struct IconHeader {
    plat::WORD reserved, type, count;
};
struct FileEntry {
    BYTE width, height, colors, reserved;
    plat::WORD planes, bitCount;
    ::DWORD bytes, offset;
};
struct ResourceEntry {
    BYTE width, height, colors, reserved;
    plat::WORD planes, bitCount;
    ::DWORD bytes;
    plat::WORD id;
};
#pragma pack(pop)

std::vector<BYTE> ResourceDirectory(const IconHeader& header, const FileEntry* entries) {
    std::vector<BYTE> dir(sizeof header + header.count * sizeof(ResourceEntry));
    std::memcpy(dir.data(), &header, sizeof header);
    auto* out = reinterpret_cast<ResourceEntry*>(dir.data() + sizeof header);
    for (plat::WORD i = 0; i < header.count; ++i) {
        const FileEntry& e = entries[i];
        out[i] = {e.width,  e.height,   e.colors, e.reserved,
                  e.planes, e.bitCount, e.bytes,  static_cast<plat::WORD>(i + 1)};
    }
    return dir;
}

}  // namespace

PHICON Win32Platform::LoadIconA(const std::string& resourceName) {
    return PI(::LoadIconA(::GetModuleHandleA(nullptr), resourceName.c_str()));
}

PHICON Win32Platform::CreateIconFromFile(const std::vector<std::uint8_t>& ico) {
    IconHeader header{};
    if (ico.size() < sizeof header) return 0;
    std::memcpy(&header, ico.data(), sizeof header);
    size_t tableEnd = sizeof header + size_t{header.count} * sizeof(FileEntry);
    if (header.type != 1 || header.count == 0 || ico.size() < tableEnd) return 0;
    std::vector<FileEntry> entries(header.count);
    std::memcpy(entries.data(), ico.data() + sizeof header, header.count * sizeof(FileEntry));

    // Windows picks the image that suits a 32x32 icon best; else the first one.
    std::vector<BYTE> dir = ResourceDirectory(header, entries.data());
    int id = ::LookupIconIdFromDirectoryEx(dir.data(), TRUE, 32, 32, LR_DEFAULTCOLOR);
    const FileEntry& e = entries[id >= 1 && id <= header.count ? id - 1 : 0];
    if (e.offset >= ico.size() || e.bytes > ico.size() - e.offset) return 0;
    auto* bits = const_cast<BYTE*>(ico.data() + e.offset);
    return PI(::CreateIconFromResourceEx(bits, e.bytes, TRUE, 0x00030000, 32, 32, LR_DEFAULTCOLOR));
}

PHICON Win32Platform::CopyIcon(PHICON icon) {
    return PI(::CopyIcon(HI(icon)));
}

plat::BOOL Win32Platform::DestroyIcon(PHICON icon) {
    return ::DestroyIcon(HI(icon));
}

}  // namespace w32
