#include "platform/posix/registry.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace plat::posix {

namespace {

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream in(path);
    std::string part;
    while (std::getline(in, part, '\\'))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

bool CaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && !CaseLess{}(a, b) && !CaseLess{}(b, a);
}

RegistryTree::RegistryTree() {
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                      HKEY_CURRENT_CONFIG, HKEY_DYN_DATA})
        roots_[root];
}

RegistryTree::Key* RegistryTree::Descend(Key* key, const std::string& path, bool create,
                                         bool* created) {
    if (created) *created = false;
    for (const auto& part : SplitKeyPath(path)) {
        auto it = key->subKeys.find(part);
        if (it == key->subKeys.end()) {
            if (!create) return nullptr;
            it = key->subKeys.emplace(part, Key{}).first;
            if (created) *created = true;
        }
        key = &it->second;
    }
    return key;
}

// Predefined roots and open handles both name a key; anything else is a bad handle.
RegistryTree::Key* RegistryTree::KeyOf(HKEY handle) {
    if (auto root = roots_.find(handle); root != roots_.end()) return &root->second;
    auto open = open_.find(handle);
    return open == open_.end() ? nullptr : open->second;
}

void RegistryTree::SetValue(HKEY root, const std::string& keyPath, const std::string& name,
                            DWORD type, const std::vector<std::uint8_t>& data) {
    auto* key = Descend(&roots_[root], keyPath, true);
    key->values[name] = {type, data};
}

void RegistryTree::SetString(HKEY root, const std::string& keyPath, const std::string& name,
                             const std::string& value) {
    std::vector<std::uint8_t> data(value.begin(), value.end());
    data.push_back(0);  // REG_SZ data holds its terminating NUL
    SetValue(root, keyPath, name, REG_SZ, data);
}

void RegistryTree::DeleteValue(HKEY root, const std::string& keyPath, const std::string& name) {
    if (auto* key = Descend(&roots_[root], keyPath, false)) key->values.erase(name);
}

bool RegistryTree::KeyExists(HKEY root, const std::string& keyPath) const {
    auto it = roots_.find(root);
    return it != roots_.end() && Descend(const_cast<Key*>(&it->second), keyPath, false) != nullptr;
}

LONG RegistryTree::OpenKey(HKEY root, const char* subKey, HKEY* result) {
    if (result) *result = 0;
    auto* parent = KeyOf(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    auto* key = Descend(parent, subKey ? subKey : "", false);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nextKey_++;
    open_[*result] = key;
    return ERROR_SUCCESS;
}

LONG RegistryTree::CreateKey(HKEY root, const char* subKey, HKEY* result, DWORD* disposition) {
    if (result) *result = 0;
    auto* parent = KeyOf(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    if (!result) return ERROR_INVALID_PARAMETER;
    // Nothing can be created below the dynamic-data root; existing keys still open.
    bool dynamic = root == HKEY_DYN_DATA;
    bool created = false;
    auto* key = Descend(parent, subKey ? subKey : "", !dynamic, &created);
    if (!key) return ERROR_ACCESS_DENIED;
    *result = nextKey_++;
    open_[*result] = key;
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegistryTree::QueryValue(HKEY handle, const char* valueName, DWORD* type, std::uint8_t* data,
                              DWORD* dataSize) {
    auto* key = KeyOf(handle);
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

LONG RegistryTree::CloseKey(HKEY handle) {
    if (roots_.count(handle)) return ERROR_SUCCESS;
    return open_.erase(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace plat::posix
