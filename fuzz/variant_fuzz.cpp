// Variants as the registry delivers them to the shell link: a value of any registry
// type and size, and any 16 stored bytes, give a variant whose conversions either
// answer or raise the library's variant errors. A stored record is taken only when
// its kind holds its whole value; integers survive the trip through their text.
#include <algorithm>
#include <cstring>
#include <vector>

#include "components/RegFiles.h"
#include "gui/variant.h"
#include "harness.h"
#include "platform/headless/headless.h"

namespace {

bool IsPlainInteger(std::uint16_t kind) {
    for (std::uint16_t k :
         {varSmallint, varInteger, varShortInt, varByte, varWord, varLongWord, varInt64})
        if (kind == k) return true;
    return false;
}

void Convert(const TVariant& v) {
    try {
        v.AsString();
    } catch (const EVariantError&) {
    }
    try {
        v.AsText();
    } catch (const EVariantError&) {
    }
    try {
        const std::int32_t n = v.AsInteger();
        if (IsPlainInteger(v.VType()))
            fuzz::Check(TVariant::Text(v.AsString()).AsInteger() == n,
                        "an integer reads back from its text");
    } catch (const EVariantError&) {
    }
}

void FromStoredBytes(const std::uint8_t* data, std::size_t size) {
    TVariant::Record record{};
    std::memcpy(record.data(), data, std::min(size, record.size()));
    const TVariant v = TVariant::FromBytes(record);
    fuzz::Check(v.IsEmpty() || v.ToBytes() == record, "a record taken is kept byte for byte");
    Convert(v);
}

void FromRegistry(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    constexpr plat::DWORD types[] = {plat::REG_SZ,        plat::REG_DWORD,    plat::REG_BINARY,
                                     plat::REG_EXPAND_SZ, plat::REG_MULTI_SZ, plat::REG_NONE};
    fuzz::FreshPlatform platform;
    auto& registry = static_cast<plat::headless::HeadlessPlatform&>(plat::Current());
    registry.SetRegistryValue(plat::HKEY_CURRENT_USER, "Software\\Fuzz", "Value",
                              types[data[0] % std::size(types)],
                              std::vector<std::uint8_t>(data + 1, data + size));
    TRegFile reg(nullptr);
    reg.SetKey("Software\\Fuzz");
    Convert(reg.ReadValue("Value"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FromStoredBytes(data, size);
    FromRegistry(data, size);
    return 0;
}
