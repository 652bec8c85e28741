#include "gui/dialogs.h"

#include "gui/application.h"
#include "platform/platform.h"

bool TOpenDialog::Execute() {
    plat::OpenFileRequest request;
    request.owner = Application ? Application->Handle() : 0;
    request.filter = filter_;
    request.title = title_;
    request.initialDir = initialDir_;
    request.fileName = fileName_;
    if (!plat::Current().GetOpenFileNameA(request)) return false;
    fileName_ = request.fileName;
    return true;
}
