// The station order file through the program's own load and save. Whatever the file
// holds, loading ends in the list it describes or in one of the stream's errors; a
// list that loaded is saved, loads again as the same list, and its rows and the
// mouse on them work out whatever position and size the file gave.
#include <climits>
#include <string>
#include <vector>

#include "app/stationorder.h"
#include "gui/application.h"
#include "gui/exceptions.h"
#include "gui/forms.h"
#include "gui/listcontrols.h"
#include "harness.h"

namespace {

struct Stored {
    std::vector<std::string> items;
    int left, top, width, height, itemHeight;
    TDragMode dragMode;
    bool operator==(const Stored&) const = default;
};

Stored StoredOf(const TListBox& list) {
    return {list.Items()->Items(), list.Left(),       list.Top(),     list.Width(),
            list.Height(),         list.ItemHeight(), list.DragMode()};
}

TListBox* NewList(TForm* form) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    return list;
}

void UseWithTheMouse(TListBox& list) {
    const auto client = list.ClientRect();
    const int count = list.Items()->Count();
    for (plat::POINT p : {plat::POINT{0, 0}, plat::POINT{client.right - 1, client.bottom - 1},
                          plat::POINT{INT_MAX, INT_MIN}})
        list.ItemAtPos(p, false);
    list.ItemRect(count);
    list.UserPress(1, 1);
    list.UserMoveMouse(client.right / 2, client.bottom / 2);
    list.UserRelease(client.right - 1, client.bottom - 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshPlatform platform;
    const std::string path = fuzz::FreshPlatform::Write("zelvora.set", fuzz::AsText(data, size));
    auto* form = new TForm(Application);  // the application frees it
    form->Handle();
    TListBox* list = NewList(form);
    try {
        LoadStationList(*list, path);
    } catch (const EStreamError&) {
        UseWithTheMouse(*list);  // what was read before the damage stays in use
        return 0;
    }
    const Stored loaded = StoredOf(*list);
    const std::string again = fuzz::FreshPlatform::Path("again.set");
    SaveStationList(*list, again);
    TListBox* reloaded = NewList(form);
    LoadStationList(*reloaded, again);
    fuzz::Check(StoredOf(*reloaded) == loaded, "a saved list loads again as the same list");
    UseWithTheMouse(*list);
    return 0;
}
