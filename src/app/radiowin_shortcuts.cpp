// The three shortcut boxes: checking one writes the program's link into its shell
// folder, unchecking deletes it.
#include "app/radiowin.h"

#include "components/ShellLnk.h"
#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/paths.h"
#include "platform/platform.h"

namespace {

struct Shortcut {
    TCheckBox* box;
    TPBShellLink* link;
};

TPBShellLink* MakeLink(TRadioForm* form, const char* name) {
    auto* link = new TPBShellLink(form);
    link->SetName(name);
    return link;
}

// A link whose folder lookup failed keeps its bare stored name. Written or deleted,
// it would land in whatever the current directory happens to be.
bool HasFolder(const TPBShellLink* link) {
    return !plat::ExtractFilePath(link->FileName()).empty();
}

// The link's stored values, in the order the component declares its properties, so
// that the folder replaces the directory of the stored name. A user whose registry
// names no such folder still gets a working program: the box is disabled and says why.
void StoreLink(TPBShellLink* link, TCheckBox* box, TShellFolder folder) {
    link->SetDescription("Zelvora");
    link->FileIcon()->SetIconIndex(0);
    link->SetHotKey(0);
    link->SetFileName(plat::Current().LinkFileName("Zelvora"));
    link->SetWindowState(wsNormal);
    try {
        link->SetShellFolder(folder);
    } catch (const Exception&) {
    }
    if (HasFolder(link)) return;
    box->SetEnabled(false);
    box->SetHint(std::string("The registry names no \"") + ShellFolderNames[folder] +
                 "\" folder for this user");
    box->SetShowHint(true);
}

// Checked: the link points at the running program, wherever it now is. Unchecked:
// the link goes; a link that is already gone or cannot be deleted is no error.
void ApplyBox(const Shortcut& s) {
    if (!HasFolder(s.link)) return;
    if (!s.box->Checked()) {
        plat::Current().DeleteFileA(s.link->FileName());
        return;
    }
    const std::string program = plat::Current().GetModuleFileNameA();
    s.link->SetWorkingDir(plat::ExtractFilePath(program));
    s.link->SetTarget(program);
    s.link->Save();
}

// A link that cannot be written is reported here and the caller goes on. Start-up
// sets these boxes from code: a failure leaving the creation handler there would
// skip loading the station list, and the next exit would write the empty list over
// the user's order file.
void Connect(TCheckBox* box, std::function<void(TObject*)> handler) {
    box->OnClick = [handler = std::move(handler)](TObject* sender) {
        try {
            handler(sender);
        } catch (const Exception& e) {
            Application->ShowException(e);
        }
    };
}

}  // namespace

void TRadioForm::CreateShellLinks() {
    PBShellStartMenu = MakeLink(this, "PBShellStartMenu");
    PBShellDesktop = MakeLink(this, "PBShellDesktop");
    PBShellStartupItem = MakeLink(this, "PBShellStartupItem");
    Connect(StartMenuCB, [this](TObject* s) { StartMenuCBClick(s); });
    Connect(DesktopCB, [this](TObject* s) { DesktopCBClick(s); });
    Connect(LaunchAtStartCB, [this](TObject* s) { LaunchAtStartCBClick(s); });
}

void TRadioForm::StoreShellLinks() {
    StoreLink(PBShellStartMenu, StartMenuCB, sfStartMenu);
    StoreLink(PBShellDesktop, DesktopCB, sfDesktop);
    StoreLink(PBShellStartupItem, LaunchAtStartCB, sfStartup);
}

// Every link that exists is written again, so that it follows the program when it
// has been moved. A box is never unchecked here and no link is deleted.
void TRadioForm::RestoreShortcutBoxes() {
    for (const Shortcut& s :
         {Shortcut{StartMenuCB, PBShellStartMenu}, Shortcut{DesktopCB, PBShellDesktop},
          Shortcut{LaunchAtStartCB, PBShellStartupItem}})
        if (HasFolder(s.link) && FileExists(s.link->FileName())) s.box->SetChecked(true);
}

void TRadioForm::StartMenuCBClick(TObject*) {
    ApplyBox({StartMenuCB, PBShellStartMenu});
}
void TRadioForm::DesktopCBClick(TObject*) {
    ApplyBox({DesktopCB, PBShellDesktop});
}
void TRadioForm::LaunchAtStartCBClick(TObject*) {
    ApplyBox({LaunchAtStartCB, PBShellStartupItem});
}
