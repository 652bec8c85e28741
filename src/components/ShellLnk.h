// TPBShellLink: the description of one shell link (".lnk" file) and the means to
// write it through the shell's link object. The link file may be placed in one of
// the current user's special folders, looked up in the registry each time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/FileIcon.h"
#include "gui/component.h"
#include "gui/exceptions.h"
#include "gui/forms.h"  // TWindowState
#include "gui/keys.h"   // TShortCut
#include "platform/types.h"

enum TShellFolder : std::uint8_t {
    sfNone,
    sfDesktop,
    sfFavorites,
    sfFonts,
    sfPersonal,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates,
};

// The value names below the Shell Folders key, by ordinal; none for sfNone.
inline constexpr const char* ShellFolderNames[] = {
    "",       "Desktop", "Favorites",  "Fonts",   "Personal",  "Programs",
    "Recent", "SendTo",  "Start Menu", "Startup", "Templates",
};
inline constexpr const char* SShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class EPBShellLink : public Exception {
  public:
    using Exception::Exception;
};

inline constexpr const char* SCoCreateFailed = "CoCreateInstance failed.";
inline constexpr const char* SQueryPersistFailed = "PersistFile QueryInterface failed.";
// Texts are in the system code page: Windows-1252 on the Windows the program is
// made for, UTF-8 on Linux.
#ifdef _WIN32
inline constexpr const char* SLinkWriteError =
    "Erreur en \xE9"
    "criture.";
#else
inline constexpr const char* SLinkWriteError =
    "Erreur en \xC3\xA9"
    "criture.";
#endif

// The shell takes each text through a buffer of 256 characters and the link's file
// name through one of 260 wide characters. Longer values are refused with an
// EPBShellLink naming the field rather than cut: a cut target or file name would
// silently write a link to somewhere else.
inline constexpr std::size_t MaxLinkText = 255;
inline constexpr std::size_t MaxLinkFileName = 259;

class TPBShellLink : public TComponent {
  public:
    explicit TPBShellLink(TComponent* owner);
    ~TPBShellLink() override;

    // Properties in the order in which stored values are applied.
    const std::string& Arguments() const { return arguments_; }
    void SetArguments(const std::string& v) { arguments_ = v; }
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& v) { description_ = v; }
    // The owned icon object itself, so that its fields can be set through it.
    TFileIcon* FileIcon() const { return fileIcon_.get(); }
    void SetFileIcon(const TFileIcon& icon) { fileIcon_->Assign(icon); }
    TShortCut HotKey() const;
    void SetHotKey(TShortCut shortCut);
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& v);
    const std::string& Target() const { return target_; }
    void SetTarget(const std::string& v) { target_ = v; }
    // A show command other than the three known ones (0 before the first write)
    // reads as wsNormal, and is saved as a normal window: a link saved with 0
    // (SW_HIDE) would start the program invisible.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    const std::string& WorkingDir() const { return workingDir_; }
    void SetWorkingDir(const std::string& v) { workingDir_ = v; }
    TShellFolder ShellFolder() const { return shellFolder_; }
    void SetShellFolder(TShellFolder v);

    // The shell's hot-key word: key code in the low byte, modifier flags above.
    plat::WORD HotKeyWord() const { return hotKey_; }

    // Writes the link to FileName, replacing a file of that name.
    void Save() { SaveToFile(fileName_); }
    // Writes the link to the file name; raises EPBShellLink on failure.
    void SaveToFile(const std::string& name);

  private:
    std::string FolderPath(TShellFolder folder);

    std::string arguments_;
    std::string description_;
    std::unique_ptr<TFileIcon> fileIcon_;
    plat::WORD hotKey_ = 0;
    std::string fileName_;
    std::string target_;
    int showCmd_ = 0;
    std::string workingDir_;
    TShellFolder shellFolder_ = sfNone;
};
