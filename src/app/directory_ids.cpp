#include "app/directory_ids.h"

#include <algorithm>

#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "platform/platform.h"

namespace {

constexpr const char* kHeader = "# Zelvora: directory ids of stations from the station directory";

bool SameName(const std::string& a, const std::string& b) {
    return plat::Current().CompareStringA(plat::NORM_IGNORECASE, a, b) == plat::CSTR_EQUAL;
}

// An id is what the directory gives: letters, digits and dashes, not too long.
bool UsableId(const std::string& id) {
    return !id.empty() && id.size() <= 64 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '-';
    });
}

bool OneLine(const std::string& name) {
    return !name.empty() && name.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

void TDirectoryIds::Load() {
    entries_.clear();
    if (!FileExists(path_)) return;
    std::string bytes;
    plat::DWORD error = ReadFileChunks(path_, [&](std::string_view chunk) {
        bytes.append(chunk.substr(0, kMaxIdsFileBytes - bytes.size()));
        return bytes.size() < kMaxIdsFileBytes;
    });
    if (error) throw EInOutError(static_cast<int>(error));
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string id = line.substr(0, tab), name = line.substr(tab + 1);
        if (UsableId(id) && OneLine(name)) Set(name, id);
    }
}

void TDirectoryIds::Save(const std::vector<std::string>& listed) {
    auto gone = [&](const auto& entry) {
        return std::none_of(listed.begin(), listed.end(),
                            [&](const std::string& n) { return SameName(n, entry.first); });
    };
    std::erase_if(entries_, gone);
    if (entries_.empty()) {
        if (FileExists(path_)) plat::Current().DeleteFileA(path_);
        return;
    }
    std::string bytes = std::string(kHeader) + "\r\n";
    for (const auto& [name, id] : entries_) bytes += id + "\t" + name + "\r\n";
    if (plat::DWORD error = WriteFileReplacing(path_, bytes))
        throw EInOutError(static_cast<int>(error));
}

std::string TDirectoryIds::IdOf(const std::string& name) const {
    for (const auto& [n, id] : entries_)
        if (SameName(n, name)) return id;
    return {};
}

void TDirectoryIds::Set(const std::string& name, const std::string& uuid) {
    if (!UsableId(uuid) || !OneLine(name)) return;
    for (auto& entry : entries_)
        if (SameName(entry.first, name)) return void(entry = {name, uuid});
    entries_.emplace_back(name, uuid);
}
