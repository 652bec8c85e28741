#include "app/stationorder.h"

#include "gui/exceptions.h"
#include "gui/fileutil.h"
#include "gui/listcontrols.h"
#include "gui/objectstream.h"
#include "platform/platform.h"

namespace {

TListBox& List(TComponent& c) { return static_cast<TListBox&>(c); }
const TListBox& List(const TComponent& c) { return static_cast<const TListBox&>(c); }

TPropInfo IntegerProperty(const char* name, int (TListBox::*get)() const,
                          void (TListBox::*set)(int)) {
    return {name, [set](TComponent& c, TReader& r) { (List(c).*set)(r.ReadInteger()); },
            [name, get](const TComponent& c, TWriter& w) {
                w.WritePropName(name);
                w.WriteInteger((List(c).*get)());
            }};
}

void ReadDragMode(TComponent& c, TReader& r) {
    List(c).SetDragMode(r.ReadIdent() == "dmAutomatic" ? dmAutomatic : dmManual);
}

void WriteDragMode(const TComponent& c, TWriter& w) {
    w.WritePropName("DragMode");
    w.WriteIdent(List(c).DragMode() == dmAutomatic ? "dmAutomatic" : "dmManual");
}

void ReadItems(TComponent& c, TReader& r) {
    TStringList* items = List(c).Items();
    items->Clear();
    r.ReadListBegin();
    // Names written by the program on another system come in that system's code page.
    while (!r.EndOfList()) items->Add(plat::Current().SystemText(r.ReadString()));
    r.ReadListEnd();
}

// Written only when there is at least one station.
void WriteItems(const TComponent& c, TWriter& w) {
    const TStringList* items = List(c).Items();
    if (items->Count() == 0) return;
    w.WritePropName("Items.Strings");
    w.WriteListBegin();
    for (const auto& name : items->Items()) w.WriteString(name);
    w.WriteListEnd();
}

const TClassInfo& ListBoxClass() {
    static const TClassInfo info{
        "TListBox",
        {IntegerProperty("Left", &TControl::Left, &TControl::SetLeft),
         IntegerProperty("Top", &TControl::Top, &TControl::SetTop),
         IntegerProperty("Width", &TControl::Width, &TControl::SetWidth),
         IntegerProperty("Height", &TControl::Height, &TControl::SetHeight),
         {"DragMode", ReadDragMode, WriteDragMode},
         IntegerProperty("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight),
         {"Items.Strings", ReadItems, WriteItems},
         IntegerProperty("TabOrder", &TControl::TabOrder, &TControl::SetTabOrder)}};
    return info;
}

}  // namespace

void RegisterStationListClass() { RegisterClass(ListBoxClass()); }

void SaveStationList(const TListBox& list, const std::string& path) {
    if (WriteFileReplacing(path, WriteComponentBytes(list, ListBoxClass())) != 0)
        throw EFCreateError(path);
}

void LoadStationList(TListBox& list, const std::string& path) {
    std::string bytes;
    if (ReadWholeFile(path, bytes) != 0) throw EFOpenError(path);
    try {
        ReadComponentBytes(bytes, list, ListBoxClass());
    } catch (const EStreamError&) {
        plat::Current().CopyFileA(path, path + ".bak", false);
        throw;
    }
}
