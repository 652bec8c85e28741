#include "gui/icon.h"

#include <cstdint>
#include <vector>

#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

std::uint32_t ReadLE(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

}  // namespace

bool IsIconFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kHeaderSize) return false;
    std::uint32_t count = ReadLE(bytes, 4, 2);
    if (ReadLE(bytes, 0, 2) != 0 || ReadLE(bytes, 2, 2) != 1) return false;
    if (count < 1 || count > 255) return false;
    if (bytes.size() < kHeaderSize + count * kEntrySize) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::size_t entry = kHeaderSize + i * kEntrySize;
        std::uint64_t size = ReadLE(bytes, entry + 8, 4);
        std::uint64_t offset = ReadLE(bytes, entry + 12, 4);
        if (size == 0 || offset + size > bytes.size()) return false;
    }
    return true;
}

TIcon::~TIcon() {
    if (handle_) plat::Current().DestroyIcon(handle_);
}

void TIcon::Assign(const TPersistent& source) {
    auto* other = dynamic_cast<const TIcon*>(&source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    Replace(other->Empty() ? 0 : plat::Current().CopyIcon(other->handle_));
}

void TIcon::LoadFromFile(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    if (!IsIconFile(bytes)) throw EInvalidGraphic(SInvalidIcon);
    plat::HICON icon = plat::Current().CreateIconFromFile(bytes);
    if (!icon) throw EInvalidGraphic(SInvalidIcon);
    Replace(icon);
}

void TIcon::SetHandle(plat::HICON handle) {
    if (handle == handle_) return;
    Replace(handle);
}

plat::HICON TIcon::ReleaseHandle() {
    plat::HICON h = handle_;
    handle_ = 0;
    return h;
}

void TIcon::Replace(plat::HICON handle) {
    if (handle_) plat::Current().DestroyIcon(handle_);
    handle_ = handle;
    Fire(OnChange, this);
}
