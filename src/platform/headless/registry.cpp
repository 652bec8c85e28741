// The registry calls: recorded, failed on the test's request, and otherwise answered
// by the in-memory tree that the test fills.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

bool TakeInjected(std::map<std::string, LONG>& failNext, const char* call, LONG* status) {
    auto it = failNext.find(call);
    if (it == failNext.end()) return false;
    *status = it->second;
    failNext.erase(it);
    return true;
}

}  // namespace

void HeadlessPlatform::SetRegistryValue(HKEY root, const std::string& keyPath,
                                        const std::string& name, DWORD type,
                                        const std::vector<std::uint8_t>& data) {
    state_->registry.SetValue(root, keyPath, name, type, data);
}

void HeadlessPlatform::SetRegistryString(HKEY root, const std::string& keyPath,
                                         const std::string& name, const std::string& value) {
    state_->registry.SetString(root, keyPath, name, value);
}

void HeadlessPlatform::DeleteRegistryValue(HKEY root, const std::string& keyPath,
                                           const std::string& name) {
    state_->registry.DeleteValue(root, keyPath, name);
}

bool HeadlessPlatform::RegistryKeyExists(HKEY root, const std::string& keyPath) const {
    return state_->registry.KeyExists(root, keyPath);
}

// What 64-bit Windows shows a program that asks for the 32-bit view: the machine's
// software keys below WOW6432Node. Asked for no view, the keys are as they stand.
static std::string InView(HKEY root, const std::string& subKey, DWORD access) {
    const std::string software = "SOFTWARE\\";
    bool redirected = root == HKEY_LOCAL_MACHINE && (access & KEY_WOW64_32KEY) &&
                      subKey.size() >= software.size() &&
                      EqualsIgnoreCase(subKey.substr(0, software.size()), software);
    return redirected ? software + "WOW6432Node\\" + subKey.substr(software.size()) : subKey;
}

LONG HeadlessPlatform::RegOpenKeyExA(HKEY root, const char* subKey, DWORD options, DWORD access,
                                     HKEY* result) {
    Record(log, "RegOpenKeyExA", root, subKey, options, access);
    LONG status;
    if (result) *result = 0;
    if (TakeInjected(failNextRegistry, "RegOpenKeyExA", &status)) return status;
    const std::string viewed = InView(root, subKey ? subKey : "", access);
    return state_->registry.OpenKey(root, viewed.c_str(), result);
}

LONG HeadlessPlatform::RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved,
                                       const char* className, DWORD options, DWORD access,
                                       HKEY* result, DWORD* disposition) {
    Record(log, "RegCreateKeyExA", root, subKey, reserved, className, options, access);
    LONG status;
    if (result) *result = 0;
    if (TakeInjected(failNextRegistry, "RegCreateKeyExA", &status)) return status;
    return state_->registry.CreateKey(root, subKey, result, disposition);
}

LONG HeadlessPlatform::RegQueryValueExA(HKEY handle, const char* valueName, DWORD* type,
                                        std::uint8_t* data, DWORD* dataSize) {
    Record(log, "RegQueryValueExA", handle, valueName, dataSize ? *dataSize : 0);
    LONG status;
    if (TakeInjected(failNextRegistry, "RegQueryValueExA", &status)) return status;
    return state_->registry.QueryValue(handle, valueName, type, data, dataSize);
}

LONG HeadlessPlatform::RegCloseKey(HKEY handle) {
    Record(log, "RegCloseKey", handle);
    LONG status;
    if (TakeInjected(failNextRegistry, "RegCloseKey", &status)) return status;
    return state_->registry.CloseKey(handle);
}

}  // namespace plat::headless
