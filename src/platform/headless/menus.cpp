// Menus and the standard dialogs, answered from the test's script.
#include "platform/headless/state.h"

namespace plat::headless {

namespace {

// "&File" reads "File"; "&&" is a literal ampersand.
std::string WithoutMnemonic(const std::string& caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

// The first item, depth first, that a person could choose under that caption: not a
// separator, not disabled, not the head of a submenu.
UINT FindChoice(const std::vector<MenuItemSpec>& items, const std::string& choice) {
    for (const auto& item : items) {
        if (!item.items.empty()) {
            if (UINT id = FindChoice(item.items, choice)) return id;
            continue;
        }
        if (item.caption == "-" || !item.enabled) continue;
        if (item.caption == choice || WithoutMnemonic(item.caption) == choice) return item.id;
    }
    return 0;
}

}  // namespace

void HeadlessPlatform::SetMenu(HWND form, const std::vector<MenuItemSpec>& menuBar) {
    Record(log, "SetMenu", form, menuBar.size());
    if (auto* w = state_->Find(form)) w->menuBar = menuBar;
}

UINT HeadlessPlatform::TrackPopupMenu(const std::vector<MenuItemSpec>& items, POINT at,
                                      HWND owner) {
    Record(log, "TrackPopupMenu", items.size(), at.x, at.y, owner);
    popups.push_back({items, at, owner});
    if (popupChoices.empty()) return 0;
    auto choice = popupChoices.front();
    popupChoices.pop_front();
    return choice.empty() ? 0 : FindChoice(items, choice);
}

int HeadlessPlatform::MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                                  UINT type) {
    Record(log, "MessageBoxA", owner, text, caption, type);
    messageBoxes.push_back({owner, text, caption, type});
    if (onMessageBox) onMessageBox(messageBoxes.back());
    if (messageBoxAnswers.empty()) return IDOK;
    int answer = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    return answer;
}

// The scripted answer of a file dialog: a file's full path, or a cancel.
static bool Answer(std::deque<std::optional<std::string>>& answers, OpenFileRequest& request) {
    if (answers.empty()) return false;
    auto answer = answers.front();
    answers.pop_front();
    if (!answer || answer->empty()) return false;
    request.fileName = *answer;
    return true;
}

bool HeadlessPlatform::GetOpenFileNameA(OpenFileRequest& request) {
    Record(log, "GetOpenFileNameA", request.owner, request.title, request.initialDir,
           request.fileName);
    openDialogs.push_back(request);
    return Answer(openDialogAnswers, request);
}

bool HeadlessPlatform::GetSaveFileNameA(OpenFileRequest& request) {
    Record(log, "GetSaveFileNameA", request.owner, request.title, request.initialDir,
           request.fileName, request.defaultExt);
    saveDialogs.push_back(request);
    return Answer(saveDialogAnswers, request);
}

}  // namespace plat::headless
