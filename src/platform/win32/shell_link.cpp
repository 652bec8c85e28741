// COM start-up and the shell's link object. The seam's ShellLink and PersistFile are
// small adapters over the real IShellLinkA and IPersistFile; releasing an adapter
// releases the real interface and frees the adapter.
#include "platform/win32/win32_platform.h"

namespace w32 {

namespace {

class PersistFileAdapter final : public plat::PersistFile {
  public:
    explicit PersistFileAdapter(IPersistFile* real) : real_(real) {}

    plat::HRESULT Save(const char16_t* fileName, plat::BOOL remember) override {
        return real_->Save(reinterpret_cast<LPCOLESTR>(fileName), remember);
    }
    plat::UINT Release() override {
        plat::UINT left = real_->Release();
        delete this;
        return left;
    }

  private:
    ~PersistFileAdapter() = default;
    IPersistFile* real_;
};

class ShellLinkAdapter final : public plat::ShellLink {
  public:
    explicit ShellLinkAdapter(IShellLinkA* real) : real_(real) {}

    plat::HRESULT QueryPersistFile(plat::PersistFile** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        IPersistFile* file = nullptr;
        plat::HRESULT hr = real_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        if (SUCCEEDED(hr)) *out = new PersistFileAdapter(file);
        return hr;
    }
    plat::HRESULT SetDescription(const char* text) override { return real_->SetDescription(text); }
    plat::HRESULT SetPath(const char* path) override { return real_->SetPath(path); }
    plat::HRESULT SetWorkingDirectory(const char* dir) override {
        return real_->SetWorkingDirectory(dir);
    }
    plat::HRESULT SetArguments(const char* args) override { return real_->SetArguments(args); }
    plat::HRESULT SetShowCmd(int showCmd) override { return real_->SetShowCmd(showCmd); }
    plat::HRESULT SetHotkey(plat::WORD hotKey) override { return real_->SetHotkey(hotKey); }
    plat::HRESULT SetIconLocation(const char* path, int index) override {
        return real_->SetIconLocation(path, index);
    }
    plat::UINT Release() override {
        plat::UINT left = real_->Release();
        delete this;
        return left;
    }

  private:
    ~ShellLinkAdapter() = default;
    IShellLinkA* real_;
};

}  // namespace

plat::HRESULT Win32Platform::CoInitialize() {
    return ::CoInitialize(nullptr);
}

void Win32Platform::CoUninitialize() {
    ::CoUninitialize();
}

plat::HRESULT Win32Platform::CoCreateShellLink(plat::ShellLink** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    IShellLinkA* link = nullptr;
    plat::HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkA, reinterpret_cast<void**>(&link));
    if (SUCCEEDED(hr)) *out = new ShellLinkAdapter(link);
    return hr;
}

}  // namespace w32
