// A registry in memory: a tree of keys below the predefined roots, answered with the
// status codes of the real calls. The headless backend scripts it per test; the Linux
// backend keeps there the few values the program looks up (the user's folders).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/types.h"

namespace plat::posix {

// Orders names as Windows compares registry keys and window classes: ASCII case ignored.
struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};
bool EqualsIgnoreCase(const std::string& a, const std::string& b);

class RegistryTree {
  public:
    RegistryTree();

    LONG OpenKey(HKEY root, const char* subKey, HKEY* result);
    LONG CreateKey(HKEY root, const char* subKey, HKEY* result, DWORD* disposition);
    LONG QueryValue(HKEY key, const char* valueName, DWORD* type, std::uint8_t* data,
                    DWORD* dataSize);
    LONG CloseKey(HKEY key);

    void SetValue(HKEY root, const std::string& keyPath, const std::string& name, DWORD type,
                  const std::vector<std::uint8_t>& data);
    // REG_SZ, with its terminating NUL as the real registry stores it.
    void SetString(HKEY root, const std::string& keyPath, const std::string& name,
                   const std::string& value);
    void DeleteValue(HKEY root, const std::string& keyPath, const std::string& name);
    bool KeyExists(HKEY root, const std::string& keyPath) const;

  private:
    struct Value {
        DWORD type = REG_NONE;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        std::map<std::string, Key, CaseLess> subKeys;
        std::map<std::string, Value, CaseLess> values;
    };
    static Key* Descend(Key* key, const std::string& path, bool create, bool* created = nullptr);
    Key* KeyOf(HKEY handle);

    std::map<HKEY, Key> roots_;
    std::map<HKEY, Key*> open_;  // keys are never removed from the tree
    HKEY nextKey_ = 0x1000;
};

}  // namespace plat::posix
