#include "gui/fileutil.h"

#include <vector>

#include "gui/exceptions.h"
#include "platform/platform.h"

using namespace plat;

namespace {

constexpr DWORD kChunkSize = 64 * 1024;

// Closes the handle when the scope ends, whichever way it ends.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) Current().CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now and reports whether the close succeeded.
    bool Close() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return Current().CloseHandle(h) != 0;
    }

private:
    HANDLE h_;
};

DWORD WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() < kChunkSize ? static_cast<DWORD>(bytes.size()) : kChunkSize;
        DWORD written = 0;
        if (!Current().WriteFile(h, bytes.data(), chunk, &written)) return Current().GetLastError();
        if (written != chunk) return kDiskFull;
        bytes.remove_prefix(chunk);
    }
    return 0;
}

}  // namespace

bool FileExists(const std::string& path) {
    DWORD a = Current().GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = Current().GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD ReadFileChunks(const std::string& path,
                     const std::function<bool(std::string_view chunk)>& consume, bool* opened) {
    FileHandle file(Current().CreateFileA(path, GENERIC_READ, OPEN_EXISTING));
    if (opened) *opened = file.valid();
    if (!file.valid()) return Current().GetLastError();
    std::vector<char> buffer(kChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!Current().ReadFile(file.get(), buffer.data(), kChunkSize, &read))
            return Current().GetLastError();
        if (read == 0 || !consume(std::string_view(buffer.data(), read))) break;
    }
    return file.Close() ? 0 : Current().GetLastError();
}

DWORD ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    return ReadFileChunks(path, [&](std::string_view chunk) {
        bytes.append(chunk);
        return true;
    });
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    bool opened = false;
    DWORD error = ReadFileChunks(
        path,
        [&](std::string_view chunk) {
            bytes.insert(bytes.end(), chunk.begin(), chunk.end());
            return true;
        },
        &opened);
    if (!opened) throw EFOpenError(path);
    if (error) throw EReadError(SReadError);
    return bytes;
}

DWORD WriteFileReplacing(const std::string& path, std::string_view bytes) {
    const std::string temp = path + ".tmp";
    DWORD error = 0;
    {
        FileHandle file(Current().CreateFileA(temp, GENERIC_WRITE, CREATE_ALWAYS));
        if (!file.valid()) return Current().GetLastError();
        error = WriteAll(file.get(), bytes);
        if (!file.Close() && !error) error = Current().GetLastError();
    }
    if (!error && !Current().MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING))
        error = Current().GetLastError();
    if (error) Current().DeleteFileA(temp);
    return error;
}
