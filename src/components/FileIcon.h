// TFileIcon: where a shell link takes its icon from, a file and the index of the
// icon inside it.
#pragma once

#include <cstdint>
#include <string>

#include "gui/component.h"

class TFileIcon : public TPersistent {
  public:
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    std::int32_t IconIndex() const { return iconIndex_; }
    void SetIconIndex(std::int32_t iconIndex) { iconIndex_ = iconIndex; }

    // Copies FileName and IconIndex from another TFileIcon; any other kind of source
    // raises EConvertError as the base does.
    void Assign(const TPersistent& source) override;

  private:
    std::string fileName_;
    std::int32_t iconIndex_ = 0;
};
