// A picture of a window as the screen shows it, written as a .bmp file.
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace w32 {

namespace {

using UniqueBitmap = Unique<HBITMAP, DeleteGdiObject>;
inline void DeleteDCHandle(HDC dc) {
    ::DeleteDC(dc);
}
using UniqueDC = Unique<HDC, DeleteDCHandle>;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool WriteBmp(const std::string& path, const BITMAPINFOHEADER& info, const void* bits,
              DWORD bitsSize) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bitsSize;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
    return f && std::fwrite(&file, sizeof file, 1, f.get()) == 1 &&
           std::fwrite(&info, sizeof info, 1, f.get()) == 1 &&
           std::fwrite(bits, 1, bitsSize, f.get()) == bitsSize;
}

bool SaveImage(HWND hwnd, const std::string& bmpPath) {
    RECT r{};
    if (!::GetWindowRect(hwnd, &r)) return false;
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up, as .bmp files store rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC mem(::CreateCompatibleDC(nullptr));
    if (!dib || !mem || !bits) return false;
    {
        Selected use(mem.get(), dib.get());
        // Copied from the screen: what a person sees, frame included, whichever way each
        // control paints.
        HDC screen = ::GetDC(nullptr);
        BOOL ok = ::BitBlt(mem.get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
        if (!ok) return false;
    }
    ::GdiFlush();
    DWORD stride = ((width * 3 + 3) / 4) * 4;
    return WriteBmp(bmpPath, bi.bmiHeader, bits, stride * height);
}

}  // namespace

}  // namespace w32

namespace plat::win32 {

bool SaveWindowImage(plat::HWND window, const std::string& bmpPath) {
    return w32::SaveImage(w32::H(window), bmpPath);
}

}  // namespace plat::win32
