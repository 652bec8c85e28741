// Message boxes and the open-file dialog.
#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace w32 {

int Win32Platform::MessageBoxA(PHWND owner, const std::string& text, const std::string& caption,
                               plat::UINT type) {
    return ::MessageBoxA(H(owner), text.c_str(), caption.c_str(), type);
}

namespace {

// One file dialog, open or save: the request's fields into the record and back.
bool RunFileDialog(plat::OpenFileRequest& request, bool save) {
    // "Name|*.exe|All|*.*" becomes NUL-separated pairs ending in two NULs.
    std::string filter = request.filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.push_back('\0');
    std::vector<char> file(4 * MAX_PATH, '\0');
    request.fileName.copy(file.data(), file.size() - 1);

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = H(request.owner);
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<plat::DWORD>(file.size());
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn))) return false;
    request.fileName = file.data();
    return true;
}

}  // namespace

bool Win32Platform::GetOpenFileNameA(plat::OpenFileRequest& request) {
    return RunFileDialog(request, false);
}

bool Win32Platform::GetSaveFileNameA(plat::OpenFileRequest& request) {
    return RunFileDialog(request, true);
}

}  // namespace w32
