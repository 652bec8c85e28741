// The registry: an in-memory tree below the predefined roots, with the status codes
// of the real calls.
#include <sstream>

#include "platform/headless/state.h"

namespace plat::headless {

namespace {

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream in(path);
    std::string part;
    while (std::getline(in, part, '\\'))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

RegKey* Descend(RegKey* key, const std::string& path, bool create, bool* created = nullptr) {
    if (created) *created = false;
    for (const auto& part : SplitKeyPath(path)) {
        auto it = key->subKeys.find(part);
        if (it == key->subKeys.end()) {
            if (!create) return nullptr;
            it = key->subKeys.emplace(part, RegKey{}).first;
            if (created) *created = true;
        }
        key = &it->second;
    }
    return key;
}

}  // namespace

// Predefined roots and open handles both name a key; anything else is a bad handle.
static RegKey* KeyOf(HeadlessPlatform::State& s, HKEY handle) {
    if (auto root = s.roots.find(handle); root != s.roots.end()) return &root->second;
    auto open = s.keys.find(handle);
    return open == s.keys.end() ? nullptr : open->second;
}

static bool TakeInjected(std::map<std::string, LONG>& failNext, const char* call, LONG* status) {
    auto it = failNext.find(call);
    if (it == failNext.end()) return false;
    *status = it->second;
    failNext.erase(it);
    return true;
}

void HeadlessPlatform::SetRegistryValue(HKEY root, const std::string& keyPath,
                                        const std::string& name, DWORD type,
                                        const std::vector<std::uint8_t>& data) {
    auto* key = Descend(&state_->roots[root], keyPath, true);
    key->values[name] = {type, data};
}

void HeadlessPlatform::SetRegistryString(HKEY root, const std::string& keyPath,
                                         const std::string& name, const std::string& value) {
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);  // REG_SZ data holds its terminating NUL
    SetRegistryValue(root, keyPath, name, REG_SZ, data);
}

void HeadlessPlatform::DeleteRegistryValue(HKEY root, const std::string& keyPath,
                                           const std::string& name) {
    if (auto* key = Descend(&state_->roots[root], keyPath, false)) key->values.erase(name);
}

bool HeadlessPlatform::RegistryKeyExists(HKEY root, const std::string& keyPath) const {
    auto it = state_->roots.find(root);
    return it != state_->roots.end() &&
           Descend(const_cast<RegKey*>(&it->second), keyPath, false) != nullptr;
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
    auto* parent = KeyOf(*state_, root);
    if (!parent) return ERROR_INVALID_HANDLE;
    auto* key = Descend(parent, InView(root, subKey ? subKey : "", access), false);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = state_->nextKey++;
    state_->keys[*result] = key;
    return ERROR_SUCCESS;
}

LONG HeadlessPlatform::RegCreateKeyExA(HKEY root, const char* subKey, DWORD reserved,
                                       const char* className, DWORD options, DWORD access,
                                       HKEY* result, DWORD* disposition) {
    Record(log, "RegCreateKeyExA", root, subKey, reserved, className, options, access);
    LONG status;
    if (result) *result = 0;
    if (TakeInjected(failNextRegistry, "RegCreateKeyExA", &status)) return status;
    auto* parent = KeyOf(*state_, root);
    if (!parent) return ERROR_INVALID_HANDLE;
    if (!result) return ERROR_INVALID_PARAMETER;
    // Nothing can be created below the dynamic-data root; existing keys still open.
    bool dynamic = root == HKEY_DYN_DATA;
    bool created = false;
    auto* key = Descend(parent, subKey ? subKey : "", !dynamic, &created);
    if (!key) return ERROR_ACCESS_DENIED;
    *result = state_->nextKey++;
    state_->keys[*result] = key;
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG HeadlessPlatform::RegQueryValueExA(HKEY handle, const char* valueName, DWORD* type,
                                        std::uint8_t* data, DWORD* dataSize) {
    Record(log, "RegQueryValueExA", handle, valueName, dataSize ? *dataSize : 0);
    LONG status;
    if (TakeInjected(failNextRegistry, "RegQueryValueExA", &status)) return status;
    auto* key = KeyOf(*state_, handle);
    if (!key) return ERROR_INVALID_HANDLE;
    auto it = key->values.find(valueName ? valueName : "");
    if (it == key->values.end()) return ERROR_FILE_NOT_FOUND;
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    const auto& value = it->second;
    auto size = static_cast<DWORD>(value.data.size());
    if (type) *type = value.type;
    if (!dataSize) return ERROR_SUCCESS;
    // The needed size comes back in every case, so that the caller can try again.
    bool fits = *dataSize >= size;
    *dataSize = size;
    if (!data) return ERROR_SUCCESS;
    if (!fits) return ERROR_MORE_DATA;
    std::copy(value.data.begin(), value.data.end(), data);
    return ERROR_SUCCESS;
}

LONG HeadlessPlatform::RegCloseKey(HKEY handle) {
    Record(log, "RegCloseKey", handle);
    LONG status;
    if (TakeInjected(failNextRegistry, "RegCloseKey", &status)) return status;
    if (state_->roots.count(handle)) return ERROR_SUCCESS;
    return state_->keys.erase(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace plat::headless
