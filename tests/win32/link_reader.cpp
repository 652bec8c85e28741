#include "win32/link_reader.h"

#include <shlobj.h>

bool ReadLink(const std::string& file, LinkFields& out) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* persist = nullptr;
    bool ok = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            char buf[MAX_PATH] = {};
            link->GetPath(buf, MAX_PATH, nullptr, SLGP_RAWPATH);
            out.path = buf;
            buf[0] = 0;
            link->GetWorkingDirectory(buf, MAX_PATH);
            out.workingDir = buf;
            buf[0] = 0;
            link->GetDescription(buf, MAX_PATH);
            out.description = buf;
            link->GetShowCmd(&out.showCmd);
            link->GetHotkey(&out.hotKey);
            ok = true;
        }
        persist->Release();
    }
    link->Release();
    return ok;
}
