// The contents of controls: list rows, check marks, track bars, rich text, tabs,
// the default button.
#include <algorithm>

#include "platform/win32/listview.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_table.h"

namespace w32 {

namespace {

bool IsCombo(HWND hwnd) {
    WindowInfo* w = Find(hwnd);
    return w && w->kind == plat::WindowKind::ComboList;
}

// After the rows change, the next selection notification is news whatever its row.
void ForgetSelection(HWND hwnd) {
    if (WindowInfo* w = Find(hwnd)) w->control.ForgetSelection();
}

struct StreamSource {
    const std::string* text;
    size_t at;
};

::DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, ::LONG size, ::LONG* read) {
    try {
        auto* src = reinterpret_cast<StreamSource*>(cookie);
        size_t n = std::min(static_cast<size_t>(size), src->text->size() - src->at);
        std::copy_n(src->text->data() + src->at, n, buffer);
        src->at += n;
        *read = static_cast<::LONG>(n);
        return 0;
    } catch (...) {
        return 1;  // any non-zero value ends the stream as failed
    }
}

bool LooksLikeRtf(const std::string& text) {
    return text.rfind("{\\rtf", 0) == 0;
}

}  // namespace

void Win32Platform::ListInsert(PHWND list, int index, const std::string& text) {
    if (IsListView(H(list))) return ListViewInsert(H(list), index, text);
    plat::UINT msg = IsCombo(H(list)) ? CB_INSERTSTRING : LB_INSERTSTRING;
    ::SendMessageA(H(list), msg, static_cast<plat::WPARAM>(index),
                   reinterpret_cast<plat::LPARAM>(text.c_str()));
    ForgetSelection(H(list));
}

void Win32Platform::ListDelete(PHWND list, int index) {
    if (IsListView(H(list))) return ListViewDelete(H(list), index);
    ::SendMessageA(H(list), IsCombo(H(list)) ? CB_DELETESTRING : LB_DELETESTRING,
                   static_cast<plat::WPARAM>(index), 0);
    ForgetSelection(H(list));
}

void Win32Platform::ListClear(PHWND list) {
    if (IsListView(H(list))) return ListViewClear(H(list));
    ::SendMessageA(H(list), IsCombo(H(list)) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    ForgetSelection(H(list));
}

void Win32Platform::ListSetSelection(PHWND list, int index) {
    if (IsListView(H(list))) return ListViewSelect(H(list), index);
    ::SendMessageA(H(list), IsCombo(H(list)) ? CB_SETCURSEL : LB_SETCURSEL,
                   static_cast<plat::WPARAM>(index), 0);
    ForgetSelection(H(list));
}

int Win32Platform::ListGetTopIndex(PHWND list) {
    if (IsListView(H(list))) return ListViewTopIndex(H(list));
    plat::UINT msg = IsCombo(H(list)) ? CB_GETTOPINDEX : LB_GETTOPINDEX;
    return static_cast<int>(::SendMessageA(H(list), msg, 0, 0));
}

void Win32Platform::CheckSet(PHWND checkBox, bool checked) {
    ::SendMessageA(H(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Platform::TrackSetRange(PHWND trackBar, int min, int max) {
    ::SendMessageA(H(trackBar), TBM_SETRANGEMIN, FALSE, min);
    ::SendMessageA(H(trackBar), TBM_SETRANGEMAX, TRUE, max);
    // The range may have moved the thumb; that is not a move to report either.
    if (WindowInfo* w = Find(H(trackBar)))
        w->control.SetPosition(static_cast<int>(::SendMessageA(H(trackBar), TBM_GETPOS, 0, 0)));
}

void Win32Platform::TrackSetPosition(PHWND trackBar, int position) {
    Quiet quiet(H(trackBar));
    ::SendMessageA(H(trackBar), TBM_SETPOS, TRUE, position);
    if (WindowInfo* w = Find(H(trackBar)))
        w->control.SetPosition(static_cast<int>(::SendMessageA(H(trackBar), TBM_GETPOS, 0, 0)));
}

void Win32Platform::TrackSetFrequency(PHWND trackBar, int frequency) {
    ::SendMessageA(H(trackBar), TBM_SETTICFREQ, frequency, 0);
}

bool Win32Platform::RichSetText(PHWND richEdit, const std::string& text, bool asRichText) {
    // Some rich edit versions quietly take anything as plain text; rich text that
    // does not even start like rich text is refused here so every version agrees.
    if (asRichText && !LooksLikeRtf(text)) return false;
    StreamSource src{&text, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = ReadStream;
    plat::WPARAM format = asRichText ? SF_RTF : SF_TEXT;
    plat::LRESULT taken =
        ::SendMessageA(H(richEdit), EM_STREAMIN, format, reinterpret_cast<plat::LPARAM>(&es));
    return es.dwError == 0 && (taken > 0 || text.empty());
}

void Win32Platform::TabAdd(PHWND tabs, const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    plat::LRESULT count = ::SendMessageA(H(tabs), TCM_GETITEMCOUNT, 0, 0);
    ::SendMessageA(H(tabs), TCM_INSERTITEMA, static_cast<plat::WPARAM>(count),
                   reinterpret_cast<plat::LPARAM>(&item));
}

void Win32Platform::ButtonSetDefault(PHWND button, bool isDefault) {
    // Only the look: Enter reaches the form as ZM_DEFAULT and the GUI library picks the
    // button. Owner-drawn glyph buttons keep their style.
    WindowInfo* w = Find(H(button));
    if (w && w->kind == plat::WindowKind::Button)
        ::SendMessageA(H(button), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

}  // namespace w32
