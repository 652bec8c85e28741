// Owning wrappers for the Windows handles the backend keeps, and the casts between
// the seam's opaque handle numbers and the real handle types.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

#include "platform/types.h"
#include "platform/win32/win.h"

namespace w32 {

inline ::HWND H(plat::HWND h) {
    return reinterpret_cast<::HWND>(h);
}
inline plat::HWND P(::HWND h) {
    return reinterpret_cast<plat::HWND>(h);
}
inline ::HICON HI(plat::HICON h) {
    return reinterpret_cast<::HICON>(h);
}
inline plat::HICON PI(::HICON h) {
    return reinterpret_cast<plat::HICON>(h);
}

// A unique owner of one handle type, closed by Close.
template <typename Handle, auto Close>
class Unique {
  public:
    Unique() = default;
    explicit Unique(Handle h) : h_(h) {}
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ~Unique() { reset(); }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    Handle release() { return std::exchange(h_, nullptr); }
    void reset(Handle h = nullptr) {
        if (h_) Close(h_);
        h_ = h;
    }

  private:
    Handle h_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void DestroyAccel(HACCEL h) {
    ::DestroyAcceleratorTable(h);
}
inline void DestroyMenuHandle(HMENU h) {
    ::DestroyMenu(h);
}

using UniqueFont = Unique<HFONT, DeleteGdiObject>;
using UniqueAccel = Unique<HACCEL, DestroyAccel>;
using UniqueMenu = Unique<HMENU, DestroyMenuHandle>;
using UniquePen = Unique<HPEN, DeleteGdiObject>;
using UniqueBrush = Unique<HBRUSH, DeleteGdiObject>;

// Selects a GDI object into a DC for one scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~Selected() { ::SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace w32
