// The common controls: track bar, rich-text box, and a page control of tab sheets.
#pragma once

#include <string>
#include <vector>

#include "gui/controls.h"

enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TTrackBar : public TWinControl {
  public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int min);
    void SetMax(int max);
    // Kept within Min..Max; setting it from code raises nothing.
    int Position() const { return position_; }
    void SetPosition(int position);
    int Frequency() const { return frequency_; }
    void SetFrequency(int frequency);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark marks);

    // A person moved the thumb: OnChange through the dispatcher when it moved.
    void UserMoveTo(int position);
    bool WndProc(plat::Message& m) override;

    TNotifyEvent OnChange;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
    void HandleCreated() override;

  private:
    void RangeChanged();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int frequency_ = 1;
    TTickMark tickMarks_ = tmBottomRight;
};

class TRichEdit : public TWinControl {
  public:
    explicit TRichEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Shows text as rich text or plain; rich text that the window refuses is shown
    // as plain text.
    void SetText(const std::string& text, bool asRichText = false);
    // The file's bytes: as rich text when they begin with "{\rtf" and the window takes
    // them, otherwise as plain text. Raises EFOpenError when it cannot be opened.
    void LoadFromFile(const std::string& path);
    bool IsRichText() const { return richText_; }

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
    void HandleCreated() override;
    void TextChanged() override;

  private:
    void PushText();

    bool readOnly_ = false;
    bool richText_ = false;
};

class TPageControl;

// One page of a page control: a panel that holds its controls.
class TTabSheet : public TWinControl {
  public:
    explicit TTabSheet(TComponent* owner) : TWinControl(owner) {}
    ~TTabSheet() override;
    TPageControl* PageControl() const { return pageControl_; }
    // Makes the sheet a page of pageControl, filling its display area.
    void SetPageControl(TPageControl* pageControl);

  protected:
    void CreateParams(plat::WindowSpec& spec) override;

  private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TWinControl {
  public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(index); }
    // The area below the tabs, in the control's coordinates, where a sheet lies.
    plat::RECT DisplayRect() const;

  protected:
    void CreateParams(plat::WindowSpec& spec) override;
    void HandleCreated() override;
    void BoundsChanged() override;

  private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* sheet);
    void RemovePage(TTabSheet* sheet);

    std::vector<TTabSheet*> pages_;
};
