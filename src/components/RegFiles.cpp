#include "components/RegFiles.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace {

// Splits a value name into a sub-path and the value's own name at the last single
// backslash, scanning from the end; a doubled backslash is part of the name.
std::pair<std::string, std::string> SplitValueName(const std::string& name) {
    for (auto i = static_cast<std::ptrdiff_t>(name.size()) - 1; i >= 0;) {
        if (name[i] != '\\') {
            --i;
        } else if (i > 0 && name[i - 1] == '\\') {
            i -= 2;
        } else {
            return {name.substr(0, i), name.substr(i + 1)};
        }
    }
    return {std::string(), name};
}

// The key path below the root for a sub-path of Key. An empty sub-path (a name
// whose only backslash comes first) means Key itself; with Key empty the sub-path
// stands alone, since a registry path must not begin with a backslash.
std::string FullKeyPath(const std::string& key, std::string sub) {
    if (sub.empty()) return key;
    if (sub.front() == '\\') sub.erase(0, 1);
    return key.empty() ? sub : key + "\\" + sub;
}

const char* ValueNameArg(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}

}  // namespace

TRegFile::TRegFile(TComponent* owner) : TComponent(owner) {}

TRegFile::~TRegFile() {
    if (handle_) plat::Current().RegCloseKey(handle_);
}

plat::HKEY TRegFile::RootHandle() const {
    return RootKeyHandles[rootKey_];
}

bool TRegFile::OpenKey(const std::string& path, bool openOnly) {
    CloseKey();
    auto& p = plat::Current();
    plat::HKEY opened = 0;
    if (openOnly || path.empty() || rootKey_ == hkDynData) {
        if (p.RegOpenKeyExA(RootHandle(), path.c_str(), 0, plat::KEY_ALL_ACCESS, &opened) != 0) {
            if (openOnly) return false;
            throw ERegFileError(SCantOpenKey);
        }
        handle_ = opened;
        return true;
    }
    plat::DWORD disposition = 0;
    // The handle goes through a local: a failed create must not leave a stale value
    // in handle_ that CloseKey would later try to close.
    auto status = p.RegCreateKeyExA(RootHandle(), path.c_str(), 0, "", 0, plat::KEY_ALL_ACCESS,
                                    &opened, &disposition);
    CheckError(static_cast<plat::DWORD>(status));
    handle_ = opened;
    return true;
}

void TRegFile::CloseKey() {
    if (!handle_) return;
    CheckError(static_cast<plat::DWORD>(plat::Current().RegCloseKey(handle_)));
    handle_ = 0;
}

void TRegFile::CheckError(plat::DWORD status) {
    lastStatus_ = status;
    if (status == 0) return;
    char text[32];
    std::snprintf(text, sizeof text, "Reg Error: %8.8X", static_cast<unsigned>(status));
    throw ERegFileError(text);
}

std::int32_t TRegFile::GetDataSize(const std::string& name, plat::DWORD& dataType) {
    plat::DWORD size = 0;
    if (plat::Current().RegQueryValueExA(handle_, ValueNameArg(name), &dataType, nullptr, &size) !=
        0)
        return -1;
    // A size that does not fit the signed result is as unusable as a failed query.
    return size > 0x7FFFFFFFu ? -1 : static_cast<std::int32_t>(size);
}

plat::DWORD TRegFile::ReadData(const std::string& name, std::uint8_t* buffer, std::int32_t bufSize,
                               std::int32_t* bytesRead) {
    plat::DWORD type = 0;
    plat::DWORD size = bufSize > 0 ? static_cast<plat::DWORD>(bufSize) : 0;
    auto status =
        plat::Current().RegQueryValueExA(handle_, ValueNameArg(name), &type, buffer, &size);
    CheckError(static_cast<plat::DWORD>(status));
    if (bytesRead) *bytesRead = static_cast<std::int32_t>(std::min<plat::DWORD>(size, bufSize));
    return type;
}

TVariant TRegFile::ReadValue(const std::string& name) {
    TVariant result = TVariant::Null();
    auto [subPath, valueName] = SplitValueName(name);
    OpenKey(FullKeyPath(key_, subPath), false);
    try {
        plat::DWORD type = 0;
        std::int32_t size = GetDataSize(valueName, type);
        if (size > 0) {
            if (size > MaxRegValueSize) throw ERegFileError("Registry value too large");
            std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size));
            std::int32_t got = 0;
            type = ReadData(valueName, buffer.data(), size, &got);
            result = TVariant();
            const auto* data = buffer.data();
            if (type == plat::REG_SZ) {
                auto end = std::find(data, data + got, std::uint8_t{0});
                result = TVariant::Text(std::string(data, end));
            } else if (type == plat::REG_DWORD && got >= 4) {
                // Shorter data is no 32-bit number; it stays empty rather than being
                // read beyond what the registry delivered.
                auto bits = static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                       static_cast<std::uint32_t>(data[3]) << 24);
                result = TVariant::Integer(static_cast<std::int32_t>(bits));
            } else if (type == plat::REG_BINARY && got == 16) {
                TVariant::Record record;
                std::copy(data, data + 16, record.begin());
                result = TVariant::FromBytes(record);
            }
        }
    } catch (...) {
        // The key is closed on this path too; a failure to close must not hide the
        // failure that got us here.
        try {
            CloseKey();
        } catch (const ERegFileError&) {
        }
        throw;
    }
    CloseKey();
    return result;
}
