#include "gui/comctrls.h"

#include <algorithm>

#include "gui/application.h"
#include "gui/fileutil.h"
#include "platform/platform.h"

// ---- TTrackBar --------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TTrackBar::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::TrackBar;
    spec.rangeMin = min_;
    spec.rangeMax = max_;
    spec.frequency = frequency_;
    spec.ticksBelow = tickMarks_ != tmTopLeft;
}

void TTrackBar::HandleCreated() {
    plat::Current().TrackSetPosition(Handle(), position_);
}

void TTrackBar::SetMin(int min) {
    min_ = min;
    max_ = std::max(max_, min_);
    RangeChanged();
}

void TTrackBar::SetMax(int max) {
    max_ = max;
    min_ = std::min(min_, max_);
    RangeChanged();
}

void TTrackBar::RangeChanged() {
    if (HandleAllocated()) plat::Current().TrackSetRange(Handle(), min_, max_);
    SetPosition(position_);
}

void TTrackBar::SetPosition(int position) {
    position = std::clamp(position, min_, max_);
    if (position == position_) return;
    position_ = position;
    if (HandleAllocated()) plat::Current().TrackSetPosition(Handle(), position_);
}

void TTrackBar::SetFrequency(int frequency) {
    frequency_ = frequency;
    if (HandleAllocated()) plat::Current().TrackSetFrequency(Handle(), frequency_);
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == tickMarks_) return;
    tickMarks_ = value;
    RecreateHandle();
}

void TTrackBar::UserMoveTo(int position) {
    if (!Enabled()) return;
    int before = position_;
    SetPosition(position);
    if (position_ != before) RunUserEvent([this] { Fire(OnChange, this); });
}

bool TTrackBar::WndProc(plat::Message& m) {
    if (m.msg != plat::ZM_SCROLL) return TWinControl::WndProc(m);
    UserMoveTo(static_cast<int>(static_cast<plat::LPARAM>(m.wParam)));
    return true;
}

// ---- TRichEdit --------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

void TRichEdit::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::RichEdit;
    spec.readOnly = readOnly_;
    spec.text.clear();  // the text goes in through RichSetText, rich or plain
}

void TRichEdit::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    RecreateHandle();
}

void TRichEdit::HandleCreated() {
    PushText();
}

void TRichEdit::TextChanged() {
    richText_ = false;
    PushText();
}

void TRichEdit::SetText(const std::string& text, bool asRichText) {
    StoreText(text);
    richText_ = asRichText;
    PushText();
}

void TRichEdit::PushText() {
    if (!HandleAllocated()) return;
    auto& p = plat::Current();
    if (p.RichSetText(Handle(), Text(), richText_) || !richText_) return;
    richText_ = false;
    p.RichSetText(Handle(), Text(), false);
}

void TRichEdit::LoadFromFile(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    std::string text(bytes.begin(), bytes.end());
    bool rich = text.rfind("{\\rtf", 0) == 0;
    // Only the window can tell whether rich text is valid.
    if (rich) Handle();
    SetText(text, rich);
}

// ---- TPageControl and TTabSheet -----------------------------------------------------------

namespace {
constexpr int kTabHeight = 24;
constexpr int kEdge = 4;
}  // namespace

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
}

TPageControl::~TPageControl() {
    for (auto* sheet : pages_) sheet->pageControl_ = nullptr;
}

void TPageControl::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::TabControl;
}

void TPageControl::HandleCreated() {
    for (auto* sheet : pages_) plat::Current().TabAdd(Handle(), sheet->Caption());
}

plat::RECT TPageControl::DisplayRect() const {
    return plat::RECT{kEdge, kTabHeight, std::max(kEdge, Width() - kEdge),
                      std::max(kTabHeight, Height() - kEdge)};
}

void TPageControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    plat::RECT r = DisplayRect();
    for (auto* sheet : pages_) sheet->SetBounds(r.left, r.top, r.Width(), r.Height());
}

void TPageControl::InsertPage(TTabSheet* sheet) {
    pages_.push_back(sheet);
    plat::RECT r = DisplayRect();
    sheet->SetBounds(r.left, r.top, r.Width(), r.Height());
    // Only the first page shows; the others wait behind it.
    sheet->SetVisible(pages_.size() == 1);
    if (HandleAllocated()) plat::Current().TabAdd(Handle(), sheet->Caption());
}

void TPageControl::RemovePage(TTabSheet* sheet) {
    pages_.erase(std::remove(pages_.begin(), pages_.end(), sheet), pages_.end());
}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::CreateParams(plat::WindowSpec& spec) {
    spec.kind = plat::WindowKind::Panel;
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = pageControl;
    SetParent(pageControl);
    if (pageControl_) pageControl_->InsertPage(this);
}
