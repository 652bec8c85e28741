#include "components/FileIcon.h"

void TFileIcon::Assign(const TPersistent& source) {
    if (const auto* icon = dynamic_cast<const TFileIcon*>(&source)) {
        fileName_ = icon->fileName_;
        iconIndex_ = icon->iconIndex_;
        return;
    }
    TPersistent::Assign(source);
}
