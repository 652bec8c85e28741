#include "gui/dialogs.h"

#include "gui/application.h"
#include "platform/platform.h"

bool TFileDialog::Run(bool (plat::Platform::*dialog)(plat::OpenFileRequest&),
                      const std::string& defaultExt) {
    plat::OpenFileRequest request;
    request.owner = Application ? Application->Handle() : 0;
    request.filter = filter_;
    request.title = title_;
    request.initialDir = initialDir_;
    request.fileName = fileName_;
    request.defaultExt = defaultExt;
    if (!(plat::Current().*dialog)(request)) return false;
    fileName_ = request.fileName;
    return true;
}

bool TOpenDialog::Execute() {
    return Run(&plat::Platform::GetOpenFileNameA, "");
}

bool TSaveDialog::Execute() {
    return Run(&plat::Platform::GetSaveFileNameA, defaultExt_);
}
