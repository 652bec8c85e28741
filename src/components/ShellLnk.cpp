#include "components/ShellLnk.h"

#include <cctype>

#include "components/RegFiles.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace {

std::string Upper(std::string text) {
    for (auto& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Releases a COM interface when the save leaves, by any path.
template <class T>
struct Released {
    T* ptr = nullptr;
    Released() = default;
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    ~Released() {
        if (ptr) ptr->Release();
    }
};

// Balances a successful CoInitialize. A failed one (COM already started in another
// mode on this thread) must not be balanced, or it would end someone else's COM use.
struct ComUse {
    bool started;
    ComUse() : started(plat::SUCCEEDED(plat::Current().CoInitialize())) {}
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    ~ComUse() {
        if (started) plat::Current().CoUninitialize();
    }
};

void CheckLength(const std::string& text, const char* what) {
    if (text.size() > MaxLinkText)
        throw EPBShellLink(std::string("The link's ") + what + " is longer than " +
                           std::to_string(MaxLinkText) + " characters.");
}

int ShowCommandOf(TWindowState state) {
    switch (state) {
        case wsMinimized:
            return plat::SW_SHOWMINNOACTIVE;
        case wsMaximized:
            return plat::SW_SHOWMAXIMIZED;
        default:
            return plat::SW_SHOWNORMAL;
    }
}

}  // namespace

TPBShellLink::TPBShellLink(TComponent* owner)
    : TComponent(owner), fileIcon_(std::make_unique<TFileIcon>()) {}

TPBShellLink::~TPBShellLink() = default;

TShortCut TPBShellLink::HotKey() const {
    TShortCut shortCut = hotKey_ & 0xFF;
    unsigned flags = hotKey_ >> 8;
    // Only Shift, Ctrl and Alt have a shortcut bit; the extended-key flag (0x08)
    // and anything else the shell may have stored are dropped.
    if (flags & 0x01) shortCut |= scShift;
    if (flags & 0x02) shortCut |= scCtrl;
    if (flags & 0x04) shortCut |= scAlt;
    return shortCut;
}

void TPBShellLink::SetHotKey(TShortCut shortCut) {
    // The key code is the shortcut without its three modifier bits. Every virtual key
    // is below 256; a larger code keeps its upper bits, which the shell reads as flags.
    plat::WORD word = shortCut & 0x1FFF;
    if (shortCut & scShift) word |= 0x0100;
    if (shortCut & scCtrl) word |= 0x0200;
    if (shortCut & scAlt) word |= 0x0400;
    hotKey_ = word;
}

TWindowState TPBShellLink::WindowState() const {
    switch (showCmd_) {
        case plat::SW_SHOWMINNOACTIVE:
            return wsMinimized;
        case plat::SW_SHOWMAXIMIZED:
            return wsMaximized;
        default:
            return wsNormal;
    }
}

void TPBShellLink::SetWindowState(TWindowState v) {
    showCmd_ = ShowCommandOf(v);
}

std::string TPBShellLink::FolderPath(TShellFolder folder) {
    // A fresh lookup every time: the user may have moved the folder since the last.
    std::unique_ptr<TRegFile> reg(new TRegFile(this));
    reg->SetRootKey(hkCurrentUser);
    reg->SetKey(SShellFoldersKey);
    // Only a string value is a folder path: a missing value (null) or a number raises
    // "Invalid variant type conversion", another registry type "Invalid variant
    // operation"; the caller's state is not yet changed.
    return reg->ReadValue(ShellFolderNames[folder]).AsText();
}

void TPBShellLink::SetFileName(const std::string& v) {
    if (v == fileName_) return;
    std::string name = v;
    // The folder path is joined as stored: one that already ends in a delimiter
    // gives a doubled one, which the shell accepts.
    if (shellFolder_ != sfNone)
        name = FolderPath(shellFolder_) + plat::Current().PathDelimiter() +
               plat::ExtractFileName(name);
    // The extension of the platform's links: ".lnk", or ".desktop" for a desktop entry.
    const std::string extension = plat::ExtractFileExt(plat::Current().LinkFileName(""));
    if (Upper(plat::ExtractFileExt(name)) != Upper(extension)) name += extension;
    // A name that is nothing but the extension names no file.
    if (Upper(plat::ExtractFileName(name)) == Upper(extension)) name.clear();
    fileName_ = name;
}

void TPBShellLink::SetShellFolder(TShellFolder v) {
    if (v == shellFolder_) return;
    shellFolder_ = v;
    if (v == sfNone) return;
    fileName_ = FolderPath(v) + plat::Current().PathDelimiter() + plat::ExtractFileName(fileName_);
}

void TPBShellLink::SaveToFile(const std::string& name) {
    CheckLength(description_, "description");
    CheckLength(target_, "target");
    CheckLength(workingDir_, "working directory");
    CheckLength(arguments_, "arguments");
    CheckLength(fileIcon_->FileName(), "icon file name");
    if (name.size() > MaxLinkFileName)
        throw EPBShellLink("The link's file name is longer than " +
                           std::to_string(MaxLinkFileName) + " characters.");

    auto& p = plat::Current();
    // Declared in this order so that leaving releases IPersistFile, then
    // IShellLinkA, then ends the use of COM, on failure as on success.
    ComUse com;
    Released<plat::ShellLink> link;
    Released<plat::PersistFile> persist;

    plat::ShellLink* created = nullptr;
    if (plat::FAILED(p.CoCreateShellLink(&created)) || !created)
        throw EPBShellLink(SCoCreateFailed);
    link.ptr = created;

    plat::PersistFile* file = nullptr;
    if (plat::FAILED(link.ptr->QueryPersistFile(&file)) || !file)
        throw EPBShellLink(SQueryPersistFailed);
    persist.ptr = file;

    link.ptr->SetDescription(description_.c_str());
    link.ptr->SetPath(target_.c_str());
    link.ptr->SetWorkingDirectory(workingDir_.c_str());
    link.ptr->SetArguments(arguments_.c_str());
    link.ptr->SetShowCmd(ShowCommandOf(WindowState()));
    link.ptr->SetHotkey(hotKey_);
    link.ptr->SetIconLocation(fileIcon_->FileName().c_str(), fileIcon_->IconIndex());

    char16_t wideName[MaxLinkFileName + 1] = {};
    // A name that cannot be converted cannot be written; saving under whatever the
    // buffer then held would write the wrong file.
    if (p.MultiByteToWideChar(plat::CP_ACP, 0, name.c_str(), -1, wideName,
                              static_cast<int>(MaxLinkFileName + 1)) == 0)
        throw EPBShellLink(SLinkWriteError);
    if (plat::FAILED(persist.ptr->Save(wideName, 1))) throw EPBShellLink(SLinkWriteError);
}
