// The shell's link object on this desktop: a freedesktop entry that starts the target.
// Its icon, when none is given, is the program's own, put into the user's icon theme
// folder so that menus and desktops find it by name.
//
// An entry in the user's applications folder takes the place of the package's entry of
// the same name (zelvora.desktop): it carries what that entry tells menus and their
// searches of the program (its generic name, comment, keywords and categories), read
// from the installed entry, or from the program's own copy of it where none is installed.
#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>

#include "platform/posix/fileops.h"
#include "platform/posix/text.h"
#include "platform/command_line.h"
#include "platform/qt/desktop_entry.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/xdg.h"

namespace qtb {

namespace {

constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

HRESULT FromError(DWORD error) {
    return static_cast<HRESULT>(0x80070000u | (error & 0xFFFF));
}

std::string Text(const char* s) {
    return s ? s : "";
}

// The installed entry of this file name in the system's data folders, else the copy
// the program carries of its package's entry.
std::vector<std::pair<std::string, std::string>> PackagedDescription(const QString& fileName) {
    QStringList candidates;
    for (const std::string& dir : xdg::DataDirs())
        candidates << QString::fromStdString(dir) + "/applications/" + fileName;
    candidates << ":/zelvora/" + fileName;
    for (const QString& candidate : candidates) {
        QFile file(candidate);
        if (file.size() > 64 * 1024 || !file.open(QIODevice::ReadOnly)) continue;
        return DescriptionFields(file.readAll().toStdString());
    }
    return {};
}

// The program finds its files by where it is, not by the folder it is started in: an
// entry that would start it in its own folder needs no Path.
bool IsProgramFolder(const std::string& dir, const std::string& program) {
    if (dir.empty() || program.empty()) return false;
    return QDir::cleanPath(QString::fromStdString(dir)) ==
           QFileInfo(QString::fromStdString(program)).absolutePath();
}

// The program's icon as the theme's "zelvora", written once.
std::string ProgramIcon(const QIcon& icon) {
    const std::string dir = xdg::DataHome() + "/icons/hicolor/32x32/apps";
    const QString file = QString::fromStdString(dir + "/zelvora.png");
    if (!QFileInfo::exists(file) && xdg::MakePath(dir)) icon.pixmap(32, 32).save(file, "PNG");
    return "zelvora";
}

class Link final : public plat::ShellLink, public plat::PersistFile {
  public:
    Link(const plat::posix::ReadOnlyMarks& readOnly, QIcon programIcon)
        : readOnly_(readOnly), programIcon_(std::move(programIcon)) {}

    HRESULT QueryPersistFile(plat::PersistFile** out) override {
        if (!out) return E_INVALIDARG;
        ++references_;
        *out = this;
        return plat::S_OK;
    }
    HRESULT SetDescription(const char* text) override { return Set(entry_.name, text); }
    HRESULT SetPath(const char* path) override { return Set(entry_.program, path); }
    HRESULT SetWorkingDirectory(const char* dir) override { return Set(entry_.workingDir, dir); }
    HRESULT SetArguments(const char* args) override {
        // Given as a Windows command line would carry them.
        entry_.arguments = plat::SplitArguments(Text(args));
        return plat::S_OK;
    }
    HRESULT SetShowCmd(int) override { return plat::S_OK; }        // the program decides
    HRESULT SetHotkey(plat::WORD) override { return plat::S_OK; }  // the desktop's affair
    HRESULT SetIconLocation(const char* path, int) override { return Set(iconFile_, path); }
    HRESULT Save(const char16_t* fileName, plat::BOOL) override;
    UINT Release() override {
        const UINT left = --references_;
        if (left == 0) delete this;
        return left;
    }

  private:
    static HRESULT Set(std::string& field, const char* value) {
        field = Text(value);
        return plat::S_OK;
    }

    const plat::posix::ReadOnlyMarks& readOnly_;
    QIcon programIcon_;
    DesktopEntry entry_;
    std::string iconFile_;
    UINT references_ = 1;
};

// Written whole or not at all, into a folder made when missing. Runnable, as desktops
// want an entry on the desktop to be before they start it.
HRESULT Link::Save(const char16_t* fileName, plat::BOOL) {
    if (!fileName) return E_INVALIDARG;
    const std::string path = plat::posix::Utf16ToUtf8(fileName);
    const std::string dir = QFileInfo(QString::fromStdString(path)).path().toStdString();
    if (path.empty() || !xdg::MakePath(dir)) return FromError(plat::ERROR_PATH_NOT_FOUND);
    DesktopEntry entry = entry_;
    const QFileInfo file(QString::fromStdString(path));
    if (entry.name.empty()) entry.name = file.completeBaseName().toStdString();
    entry.fields = PackagedDescription(file.fileName());
    if (IsProgramFolder(entry.workingDir, entry.program)) entry.workingDir.clear();
    entry.icon = iconFile_.empty() ? ProgramIcon(programIcon_) : iconFile_;
    if (DWORD error = plat::posix::fileops::ReplaceWith(readOnly_, path, DesktopEntryText(entry)))
        return FromError(error);
    ::chmod(path.c_str(), 0755);
    return plat::S_OK;
}

}  // namespace

HRESULT QtPlatform::CoCreateShellLink(plat::ShellLink** out) {
    if (!out) return E_INVALIDARG;
    *out = new Link(files_.ReadOnly(), IconOf(LoadIconA("ZELVORA")));
    return plat::S_OK;
}

}  // namespace qtb
