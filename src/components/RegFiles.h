// TRegFile: opens one registry key below a predefined root and reads typed values
// from it. It only reads; opening a key that does not exist creates it, except
// where noted on OpenKey.
#pragma once

#include <cstdint>
#include <string>

#include "gui/component.h"
#include "gui/exceptions.h"
#include "gui/variant.h"
#include "platform/types.h"

enum TRootKey : std::uint8_t {
    hkClassesRoot,
    hkCurrentUser,
    hkLocalMachine,
    hkUsers,
    hkCurrentConfig,
    hkDynData,
};

// The predefined handle of each root, by ordinal. The performance-data root
// (0x80000004) is deliberately not reachable.
inline constexpr plat::HKEY RootKeyHandles[] = {
    plat::HKEY_CLASSES_ROOT, plat::HKEY_CURRENT_USER,   plat::HKEY_LOCAL_MACHINE,
    plat::HKEY_USERS,        plat::HKEY_CURRENT_CONFIG, plat::HKEY_DYN_DATA,
};

class ERegFileError : public Exception {
  public:
    using Exception::Exception;
};

inline constexpr const char* SCantOpenKey = "Can't open a Key";

// Values larger than this are refused rather than allocated: the registry's own
// limit for a value in the standard format is 1 MB, so a larger size can only come
// from a damaged or hostile answer.
inline constexpr std::int32_t MaxRegValueSize = 1024 * 1024;

class TRegFile : public TComponent {
  public:
    explicit TRegFile(TComponent* owner);
    // Closes a key still open, ignoring the status: a destructor cannot report it,
    // and leaving the handle open would leak it for the rest of the run.
    ~TRegFile() override;

    TRootKey RootKey() const { return rootKey_; }
    void SetRootKey(TRootKey rootKey) { rootKey_ = rootKey; }
    const std::string& Key() const { return key_; }
    void SetKey(const std::string& key) { key_ = key; }

    bool IsOpen() const { return handle_ != 0; }
    plat::DWORD LastStatus() const { return lastStatus_; }

    // Opens Path below the root and keeps its handle. With openOnly, an empty path
    // or the hkDynData root (below which nothing can be created) the key is only
    // opened; otherwise it is opened or created. A key already open is closed first,
    // so that its handle is never lost. Returns false only when openOnly is set and
    // the key cannot be opened.
    virtual bool OpenKey(const std::string& path, bool openOnly);
    // Closes the open key, if any. A failure raises and leaves the handle in place.
    virtual void CloseKey();

    // Records status as the last status; raises "Reg Error: XXXXXXXX" if it is not 0.
    void CheckError(plat::DWORD status);
    // Size in bytes and registry type of a value of the open key; -1 when it cannot
    // be queried. An empty name stands for the key's default value.
    std::int32_t GetDataSize(const std::string& name, plat::DWORD& dataType);
    // Reads a value of the open key into buffer (bufSize bytes) and returns its type.
    // bytesRead, when given, receives the number of bytes the registry delivered.
    plat::DWORD ReadData(const std::string& name, std::uint8_t* buffer, std::int32_t bufSize,
                         std::int32_t* bytesRead = nullptr);

    // Opens Key (plus the sub-path part of name), reads one value and closes the key
    // again on every path. The name is split at its last single backslash: "A\B\Val"
    // reads Val of Key\A\B; a doubled backslash belongs to the value name. A name
    // whose only backslash comes first ("\Val") reads Val of Key itself.
    // Result: null when the value is missing or holds zero bytes; text for REG_SZ;
    // an integer for a REG_DWORD of at least four bytes; the stored variant for a
    // REG_BINARY of exactly 16 bytes; empty for everything else.
    TVariant ReadValue(const std::string& name);

  private:
    plat::HKEY RootHandle() const;

    TRootKey rootKey_ = hkCurrentUser;
    std::string key_;
    plat::HKEY handle_ = 0;
    plat::DWORD lastStatus_ = 0;
};
