#include "gui/filebytes.h"

#include "gui/exceptions.h"
#include "platform/platform.h"

namespace {

class FileHandle {
  public:
    explicit FileHandle(plat::HANDLE h) : h_(h) {}
    ~FileHandle() { plat::Current().CloseHandle(h_); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    plat::HANDLE get() const { return h_; }

  private:
    plat::HANDLE h_;
};

}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    auto& p = plat::Current();
    plat::HANDLE h = p.CreateFileA(path, plat::GENERIC_READ, plat::OPEN_EXISTING);
    if (h == plat::INVALID_HANDLE_VALUE) throw EFOpenError(path);
    FileHandle file(h);
    plat::DWORD size = p.GetFileSize(file.get());
    if (size == plat::INVALID_FILE_ATTRIBUTES) throw EReadError(SReadError);
    std::vector<std::uint8_t> bytes(size);
    plat::DWORD got = 0;
    if (size > 0 && (!p.ReadFile(file.get(), bytes.data(), size, &got) || got != size))
        throw EReadError(SReadError);
    return bytes;
}
