// The shell's link object: records what is set on it and, on Save, writes a small
// text file at the name so that the link exists on disk for the program to find.
#include "platform/headless/state.h"
#include "platform/posix/fileops.h"
#include "platform/posix/text.h"

namespace plat::headless {

namespace {

constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

HRESULT FromWin32(DWORD error) {
    return static_cast<HRESULT>(0x80070000u | (error & 0xFFFF));
}

class Link final : public ShellLink, public PersistFile {
  public:
    Link(HeadlessPlatform& platform, HeadlessPlatform::State& state)
        : platform_(platform), state_(state) {
        ++state_.liveShellLinks;
    }

    HRESULT QueryPersistFile(PersistFile** out) override {
        Record(platform_.log, "ShellLink.QueryPersistFile");
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        if (FAILED(platform_.queryPersistFileResult)) return platform_.queryPersistFileResult;
        ++references_;
        *out = this;
        return platform_.queryPersistFileResult;
    }
    HRESULT SetDescription(const char* text) override {
        return Set("SetDescription", text, saved_.description);
    }
    HRESULT SetPath(const char* path) override { return Set("SetPath", path, saved_.path); }
    HRESULT SetWorkingDirectory(const char* dir) override {
        return Set("SetWorkingDirectory", dir, saved_.workingDirectory);
    }
    HRESULT SetArguments(const char* args) override {
        return Set("SetArguments", args, saved_.arguments);
    }
    HRESULT SetShowCmd(int showCmd) override {
        Record(platform_.log, "ShellLink.SetShowCmd", showCmd);
        saved_.showCmd = showCmd;
        return S_OK;
    }
    HRESULT SetHotkey(WORD hotKey) override {
        Record(platform_.log, "ShellLink.SetHotkey", hotKey);
        saved_.hotKey = hotKey;
        return S_OK;
    }
    HRESULT SetIconLocation(const char* path, int index) override {
        Record(platform_.log, "ShellLink.SetIconLocation", path, index);
        saved_.iconPath = path ? path : "";
        saved_.iconIndex = index;
        return S_OK;
    }
    HRESULT Save(const char16_t* fileName, BOOL remember) override;
    UINT Release() override {
        Record(platform_.log, "ShellLink.Release");
        if (--references_ > 0) return references_;
        --state_.liveShellLinks;
        delete this;
        return 0;
    }

  private:
    HRESULT Set(const char* method, const char* text, std::string& field) {
        Record(platform_.log, ("ShellLink." + std::string(method)).c_str(), text);
        field = text ? text : "";
        return S_OK;
    }
    std::string Content() const {
        return "[Shortcut]\r\nPath=" + saved_.path + "\r\nArguments=" + saved_.arguments +
               "\r\nWorkingDirectory=" + saved_.workingDirectory +
               "\r\nDescription=" + saved_.description + "\r\nIcon=" + saved_.iconPath + "," +
               std::to_string(saved_.iconIndex) + "\r\n";
    }

    HeadlessPlatform& platform_;
    HeadlessPlatform::State& state_;
    ShellLinkSave saved_;
    UINT references_ = 1;
};

HRESULT Link::Save(const char16_t* fileName, BOOL remember) {
    if (!fileName) {
        Record(platform_.log, "ShellLink.Save", static_cast<const char*>(nullptr), remember);
        return E_INVALIDARG;
    }
    std::u16string wide(fileName);
    auto path = posix::Utf16ToUtf8(wide);
    Record(platform_.log, "ShellLink.Save", path, remember);
    auto record = saved_;
    record.fileName = wide;
    record.remember = remember;
    platform_.linkSaves.push_back(record);
    // A scripted answer replaces the disk: a failure writes nothing.
    if (platform_.saveLinkResult && FAILED(*platform_.saveLinkResult))
        return *platform_.saveLinkResult;
    DWORD error = posix::fileops::ReplaceWith(state_.files.ReadOnly(), path, Content());
    if (platform_.saveLinkResult) return *platform_.saveLinkResult;
    return error ? FromWin32(error) : S_OK;
}

}  // namespace

int HeadlessPlatform::LiveShellLinks() const {
    return state_->liveShellLinks;
}

HRESULT HeadlessPlatform::CoCreateShellLink(ShellLink** out) {
    Record(log, "CoCreateShellLink");
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (FAILED(coCreateResult)) return coCreateResult;
    *out = new Link(*this, *state_);
    return coCreateResult;
}

}  // namespace plat::headless
