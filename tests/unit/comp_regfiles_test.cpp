#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/RegFiles.h"
#include "platform/headless/headless.h"
#include "support/platform_fixture.h"

namespace {

const std::string kKey = "Software\\Zelvora\\Test";
constexpr plat::HKEY HKCU = plat::HKEY_CURRENT_USER;

class CompRegFile : public PlatformTest {
  protected:
    plat::headless::HeadlessPlatform& hp() {
        return static_cast<plat::headless::HeadlessPlatform&>(platform());
    }
    void SetUp() override {
        PlatformTest::SetUp();
        reg = std::make_unique<TRegFile>(nullptr);
        reg->SetKey(kKey);
    }
    void TearDown() override {
        reg.reset();  // may close a key, which needs the platform
        PlatformTest::TearDown();
    }
    void Set(const std::string& name, plat::DWORD type, std::vector<std::uint8_t> data) {
        hp().SetRegistryValue(HKCU, kKey, name, type, data);
    }
    int Count(const std::string& call) {
        return static_cast<int>(std::count_if(hp().log.begin(), hp().log.end(), [&](auto& l) {
            return l.rfind(call + "(", 0) == 0;
        }));
    }
    std::string ErrorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const ERegFileError& e) {
            return e.Message();
        }
        return "(no error)";
    }

    std::unique_ptr<TRegFile> reg;
};

}  // namespace

TEST_F(CompRegFile, NamesAreSplitAtTheirLastSingleBackslash) {
    hp().SetRegistryString(HKCU, kKey + "\\Sub", "Val", "one");
    hp().SetRegistryString(HKCU, kKey + "\\A\\B", "Val", "two");
    hp().SetRegistryString(HKCU, kKey, "A\\\\B", "three");
    hp().SetRegistryString(HKCU, kKey + "\\X", "A\\\\B", "four");
    hp().SetRegistryString(HKCU, kKey, "Val", "five");
    hp().SetRegistryString(HKCU, kKey, "", "default");

    EXPECT_EQ(reg->ReadValue("Sub\\Val").AsText(), "one");
    EXPECT_EQ(reg->ReadValue("A\\B\\Val").AsText(), "two");
    EXPECT_EQ(reg->ReadValue("A\\\\B").AsText(), "three");  // doubled: part of the name
    EXPECT_EQ(reg->ReadValue("X\\A\\\\B").AsText(), "four");
    EXPECT_EQ(reg->ReadValue("\\Val").AsText(), "five");  // only a leading one: Key itself
    EXPECT_EQ(reg->ReadValue("").AsText(), "default");
    EXPECT_EQ(Count("RegCloseKey"), 6);
}

TEST_F(CompRegFile, ValuesConvertByTheirRegistryType) {
    auto record = [](std::size_t size) {
        std::vector<std::uint8_t> r(size, 0);
        r[0] = varInteger;
        r[8] = 42;
        return r;
    };
    Set("Empty", plat::REG_SZ, {0});
    Set("NoBytes", plat::REG_SZ, {});
    Set("Dword", plat::REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF});
    Set("ShortDword", plat::REG_DWORD, {1, 0});
    Set("Expand", plat::REG_EXPAND_SZ, {'%', 'X', '%', 0});
    Set("Bin15", plat::REG_BINARY, record(15));
    Set("Bin16", plat::REG_BINARY, record(16));
    Set("Bin17", plat::REG_BINARY, record(17));

    EXPECT_TRUE(reg->ReadValue("Missing").IsNull());
    EXPECT_TRUE(reg->ReadValue("NoBytes").IsNull());
    EXPECT_EQ(reg->ReadValue("Empty").VType(), varString);
    EXPECT_EQ(reg->ReadValue("Dword").AsInteger(), -2);
    EXPECT_TRUE(reg->ReadValue("ShortDword").IsEmpty());
    EXPECT_TRUE(reg->ReadValue("Expand").IsEmpty());
    EXPECT_TRUE(reg->ReadValue("Bin15").IsEmpty());
    EXPECT_EQ(reg->ReadValue("Bin16").AsInteger(), 42);
    EXPECT_TRUE(reg->ReadValue("Bin17").IsEmpty());
}

TEST_F(CompRegFile, MissingKeyIsCreatedExceptBelowDynData) {
    reg->SetKey("Software\\Zelvora\\Nowhere");
    EXPECT_TRUE(reg->ReadValue("Val").IsNull());
    EXPECT_TRUE(hp().RegistryKeyExists(HKCU, "Software\\Zelvora\\Nowhere"));

    reg->SetRootKey(hkDynData);
    EXPECT_EQ(ErrorOf([&] { reg->ReadValue("Val"); }), "Can't open a Key");
    EXPECT_FALSE(hp().RegistryKeyExists(plat::HKEY_DYN_DATA, "Software\\Zelvora\\Nowhere"));

    reg->SetRootKey(hkCurrentUser);
    EXPECT_FALSE(reg->OpenKey("Software\\Zelvora\\Other", true));
    EXPECT_FALSE(hp().RegistryKeyExists(HKCU, "Software\\Zelvora\\Other"));
}

TEST_F(CompRegFile, StatusCodesAreShownInHexadecimal) {
    EXPECT_EQ(ErrorOf([&] { reg->CheckError(234); }), "Reg Error: 000000EA");
    EXPECT_EQ(reg->LastStatus(), 234u);

    hp().failNextRegistry["RegCreateKeyExA"] = plat::ERROR_ACCESS_DENIED;
    EXPECT_EQ(ErrorOf([&] { reg->ReadValue("Val"); }), "Reg Error: 00000005");
    EXPECT_FALSE(reg->IsOpen());

    Set("Big", plat::REG_SZ, {'a', 'b', 'c', 0});
    ASSERT_TRUE(reg->OpenKey(kKey, false));
    std::uint8_t small[2];
    EXPECT_EQ(ErrorOf([&] { reg->ReadData("Big", small, 2); }), "Reg Error: 000000EA");
}

TEST_F(CompRegFile, KeyIsNeverLeftOpen) {
    // A failure while reading still closes the key; the claimed size is not allocated.
    Set("Huge", plat::REG_BINARY, std::vector<std::uint8_t>(MaxRegValueSize + 1));
    EXPECT_EQ(ErrorOf([&] { reg->ReadValue("Huge"); }), "Registry value too large");
    EXPECT_FALSE(reg->IsOpen());
    EXPECT_EQ(Count("RegCloseKey"), 1);

    // Opening again closes the key already open.
    ASSERT_TRUE(reg->OpenKey(kKey, false));
    ASSERT_TRUE(reg->OpenKey(kKey + "\\Sub", false));
    EXPECT_EQ(Count("RegCloseKey"), 2);

    // A failed close raises and keeps the handle, which the destructor then closes.
    hp().failNextRegistry["RegCloseKey"] = plat::ERROR_INVALID_HANDLE;
    EXPECT_EQ(ErrorOf([&] { reg->CloseKey(); }), "Reg Error: 00000006");
    EXPECT_TRUE(reg->IsOpen());
    reg.reset();
    EXPECT_EQ(Count("RegCloseKey"), 4);
}
