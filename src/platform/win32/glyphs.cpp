#include "platform/win32/glyphs.h"

#include <string>

namespace w32 {

namespace {

using plat::Glyph;

constexpr int kGlyph = 16;  // the pictures are drawn in a 16 by 16 box
constexpr int kGap = 4;     // between the picture and the caption

// Draws shapes of one colour in the glyph box at (x, y).
class Pen {
  public:
    Pen(HDC dc, int x, int y, COLORREF color, int width)
        : dc_(dc),
          x_(x),
          y_(y),
          pen_(::CreatePen(PS_SOLID, width, color)),
          brush_(::CreateSolidBrush(color)),
          usePen_(dc, pen_.get()),
          useBrush_(dc, brush_.get()) {}

    void Polygon(std::initializer_list<POINT> pts) {
        POINT moved[8];
        int n = 0;
        for (POINT p : pts) moved[n++] = {x_ + p.x, y_ + p.y};
        ::Polygon(dc_, moved, n);
    }
    void Line(std::initializer_list<POINT> pts) {
        POINT moved[8];
        int n = 0;
        for (POINT p : pts) moved[n++] = {x_ + p.x, y_ + p.y};
        ::Polyline(dc_, moved, n);
    }
    void Rect(int l, int t, int r, int b) { ::Rectangle(dc_, x_ + l, y_ + t, x_ + r, y_ + b); }
    void Arc(RECT box, POINT from, POINT to) {
        ::Arc(dc_, x_ + box.left, y_ + box.top, x_ + box.right, y_ + box.bottom, x_ + from.x,
              y_ + from.y, x_ + to.x, y_ + to.y);
    }
    void Ellipse(int l, int t, int r, int b) { ::Ellipse(dc_, x_ + l, y_ + t, x_ + r, y_ + b); }
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    int x_, y_;
    UniquePen pen_;
    UniqueBrush brush_;
    Selected usePen_, useBrush_;
};

COLORREF ColorOf(Glyph g) {
    switch (g) {
        case Glyph::Play:
        case Glyph::Add:
        case Glyph::Apply:
            return RGB(0, 128, 0);
        case Glyph::Stop:
            return RGB(128, 0, 0);
        case Glyph::Delete:
            return RGB(192, 0, 0);
        case Glyph::Revert:
        case Glyph::Web:
            return RGB(0, 0, 160);
        default:
            return RGB(0, 0, 0);
    }
}

void DrawGlyph(HDC dc, Glyph g, int x, int y, bool disabled) {
    COLORREF color = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : ColorOf(g);
    bool thick = g == Glyph::Delete || g == Glyph::Apply;
    Pen p(dc, x, y, color, thick ? 3 : g == Glyph::Revert ? 2 : 1);
    switch (g) {
        case Glyph::Play:
            p.Polygon({{4, 2}, {12, 8}, {4, 14}});
            break;
        case Glyph::Stop:
            p.Rect(4, 4, 12, 12);
            break;
        case Glyph::Add:
            p.Rect(7, 2, 10, 15);
            p.Rect(2, 7, 15, 10);
            break;
        case Glyph::Delete:
            p.Line({{3, 3}, {13, 13}});
            p.Line({{13, 3}, {3, 13}});
            break;
        case Glyph::Apply:
            p.Line({{2, 8}, {6, 12}, {14, 3}});
            break;
        case Glyph::Revert:
            // Three quarters of a circle, anticlockwise from the left to the top, with
            // the arrow head at the top pointing back to the left.
            p.Arc({2, 4, 15, 16}, {2, 10}, {8, 4});
            p.Polygon({{3, 4}, {8, 0}, {8, 8}});
            break;
        case Glyph::Up:
            p.Polygon({{8, 2}, {14, 9}, {2, 9}});
            p.Rect(6, 9, 11, 14);
            break;
        case Glyph::Down:
            p.Polygon({{8, 14}, {14, 7}, {2, 7}});
            p.Rect(6, 2, 11, 7);
            break;
        case Glyph::Web: {
            // A globe: light sea, a meridian and the equator.
            UniqueBrush sea(
                ::CreateSolidBrush(disabled ? ::GetSysColor(COLOR_BTNFACE) : RGB(170, 210, 255)));
            {
                Selected useSea(dc, sea.get());
                p.Ellipse(1, 1, 15, 15);
            }
            Selected hollow(dc, ::GetStockObject(NULL_BRUSH));
            p.Ellipse(5, 1, 11, 15);
            p.Line({{1, 8}, {15, 8}});
            break;
        }
        case Glyph::None:
            break;
    }
}

void DrawFace(const DRAWITEMSTRUCT& item, bool flat, bool pushed) {
    RECT r = item.rcItem;
    if (!flat) {
        ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        return;
    }
    // A tool button: a light raised edge, sunken while pressed.
    ::FillRect(item.hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(item.hDC, &r, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

}  // namespace

void PaintGlyphButton(const DRAWITEMSTRUCT& item, const WindowInfo& button) {
    HDC dc = item.hDC;
    bool pushed = item.itemState & ODS_SELECTED;
    bool disabled = item.itemState & ODS_DISABLED;
    DrawFace(item, button.flat, pushed);

    char buf[256] = {};
    int len = ::GetWindowTextA(item.hwndItem, buf, sizeof buf);
    auto font = reinterpret_cast<HFONT>(::SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    Selected useFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT textBox{0, 0, 0, 0};
    if (len) ::DrawTextA(dc, buf, len, &textBox, DT_CALCRECT | DT_SINGLELINE);

    // The picture and the caption beside it, centred together; pressed moves them a pixel.
    const RECT& r = item.rcItem;
    int width = kGlyph + (len ? kGap + textBox.right : 0);
    int shift = pushed ? 1 : 0;
    int x = r.left + (r.right - r.left - width) / 2 + shift;
    int y = r.top + (r.bottom - r.top - kGlyph) / 2 + shift;
    if (button.glyph != Glyph::None) DrawGlyph(dc, button.glyph, x, y, disabled);
    if (len) {
        RECT t{x + kGlyph + kGap, r.top + shift, r.right, r.bottom + shift};
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        ::DrawTextA(dc, buf, len, &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if ((item.itemState & ODS_FOCUS) && !button.flat) {
        RECT f = r;
        ::InflateRect(&f, -4, -4);
        ::DrawFocusRect(dc, &f);
    }
}

}  // namespace w32
