// A picture for the tray and for windows: one icon handle, owned and destroyed by
// this object, or none.
#pragma once

#include <string>

#include "gui/component.h"
#include "platform/types.h"

class TIcon : public TPersistent {
  public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    plat::HICON Handle() const { return handle_; }
    bool Empty() const { return handle_ == 0; }

    // From another TIcon: a copy of its picture (empty when it is empty).
    void Assign(const TPersistent& source) override;
    // Reads an .ico file. Raises EFOpenError when it cannot be opened and
    // EInvalidGraphic "Icon image is not valid" when it is not a sound icon file.
    void LoadFromFile(const std::string& path);
    // Takes ownership of handle (0 empties the icon); the previous one is destroyed.
    void SetHandle(plat::HICON handle);
    // Gives up the handle without destroying it; the icon becomes empty.
    plat::HICON ReleaseHandle();

    // Runs whenever the picture changes: assignment, load, a handle set.
    TNotifyEvent OnChange;

  private:
    void Replace(plat::HICON handle);

    plat::HICON handle_ = 0;
};

// Whether bytes hold a well-formed .ico header and directory: reserved 0, type 1,
// 1 to 255 images, each image's data inside the file.
bool IsIconFile(const std::vector<std::uint8_t>& bytes);
