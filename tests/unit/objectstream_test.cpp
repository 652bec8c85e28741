#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/component.h"
#include "gui/exceptions.h"
#include "gui/objectstream.h"

namespace {

// A stand-in with the shape of a list control: position, size and items.
struct FakeList : TComponent {
    FakeList() : TComponent(nullptr) { SetName("StationLB"); }
    int left = 16, top = 32, width = 185, height = 121, itemHeight = 13, tabOrder = 0;
    std::string dragMode = "dmAutomatic";
    std::vector<std::string> items;
};

FakeList& L(TComponent& c) { return static_cast<FakeList&>(c); }
const FakeList& L(const TComponent& c) { return static_cast<const FakeList&>(c); }

TPropInfo IntProp(const char* name, int FakeList::*field) {
    return {name, [field](TComponent& c, TReader& r) { L(c).*field = r.ReadInteger(); },
            [name, field](const TComponent& c, TWriter& w) {
                w.WritePropName(name);
                w.WriteInteger(L(c).*field);
            }};
}

TClassInfo FakeListInfo() {
    return {"TListBox",
            {IntProp("Left", &FakeList::left), IntProp("Top", &FakeList::top),
             IntProp("Width", &FakeList::width), IntProp("Height", &FakeList::height),
             {"DragMode", [](TComponent& c, TReader& r) { L(c).dragMode = r.ReadIdent(); },
              [](const TComponent& c, TWriter& w) {
                  w.WritePropName("DragMode");
                  w.WriteIdent(L(c).dragMode);
              }},
             IntProp("ItemHeight", &FakeList::itemHeight),
             {"Items.Strings",
              [](TComponent& c, TReader& r) {
                  L(c).items.clear();
                  r.ReadListBegin();
                  while (!r.EndOfList()) L(c).items.push_back(r.ReadString());
                  r.ReadListEnd();
              },
              [](const TComponent& c, TWriter& w) {
                  if (L(c).items.empty()) return;
                  w.WritePropName("Items.Strings");
                  w.WriteListBegin();
                  for (const auto& s : L(c).items) w.WriteString(s);
                  w.WriteListEnd();
              }},
             IntProp("TabOrder", &FakeList::tabOrder)}};
}

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s.push_back(static_cast<char>(b));
    return s;
}

TEST(ObjectStream, WritesTheListControlByteForByte) {
    FakeList list;
    list.items = {"Jazz", "News"};
    std::string expected = "TPF0" + Bytes({8}) + "TListBox" + Bytes({9}) + "StationLB" +
                           Bytes({4}) + "Left" + Bytes({2, 0x10}) + Bytes({3}) + "Top" +
                           Bytes({2, 0x20}) + Bytes({5}) + "Width" + Bytes({3, 0xB9, 0}) +
                           Bytes({6}) + "Height" + Bytes({2, 0x79}) + Bytes({8}) + "DragMode" +
                           Bytes({7, 0x0B}) + "dmAutomatic" + Bytes({0x0A}) + "ItemHeight" +
                           Bytes({2, 0x0D}) + Bytes({0x0D}) + "Items.Strings" + Bytes({1, 6, 4}) +
                           "Jazz" + Bytes({6, 4}) + "News" + Bytes({0}) + Bytes({8}) + "TabOrder" +
                           Bytes({2, 0}) + Bytes({0, 0});
    EXPECT_EQ(WriteComponentBytes(list, FakeListInfo()), expected);
}

TEST(ObjectStream, IntegersTakeTheShortestTypeAndLongStringsTypeTwelve) {
    TWriter w;
    w.WriteInteger(-128);
    w.WriteInteger(128);
    w.WriteInteger(-32769);
    w.WriteString(std::string(256, 'x'));
    TReader r(w.Bytes());
    EXPECT_EQ(w.Bytes().substr(0, 2), Bytes({2, 0x80}));
    EXPECT_EQ(w.Bytes().substr(2, 3), Bytes({3, 0x80, 0}));
    EXPECT_EQ(w.Bytes().substr(5, 5), Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF}));
    EXPECT_EQ(w.Bytes().substr(10, 5), Bytes({12, 0, 1, 0, 0}));
    EXPECT_EQ(r.ReadInteger(), -128);
    EXPECT_EQ(r.ReadInteger(), 128);
    EXPECT_EQ(r.ReadInteger(), -32769);
    EXPECT_EQ(r.ReadString(), std::string(256, 'x'));
}

TEST(ObjectStream, ReadsBackWhatItWroteIncludingAnEmptyList) {
    FakeList written;
    written.items = {"A", std::string(300, 'b'), "C"};
    written.left = 99999;
    FakeList read;
    ReadComponentBytes(WriteComponentBytes(written, FakeListInfo()), read, FakeListInfo());
    EXPECT_EQ(read.items, written.items);
    EXPECT_EQ(read.left, 99999);

    FakeList empty;
    std::string bytes = WriteComponentBytes(empty, FakeListInfo());
    EXPECT_EQ(bytes.find("Items.Strings"), std::string::npos);
    read.items = {"stale"};
    ReadComponentBytes(bytes, read, FakeListInfo());
    EXPECT_EQ(read.items, std::vector<std::string>{"stale"});
}

TEST(ObjectStream, DamagedStreamsFailWithTheirMessagesKeepingWhatWasRead) {
    FakeList list;
    list.items = {"Jazz", "News", "Rock"};
    const std::string good = WriteComponentBytes(list, FakeListInfo());
    auto messageOf = [](const std::string& bytes, FakeList& into) -> std::string {
        try {
            ReadComponentBytes(bytes, into, FakeListInfo());
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    };
    FakeList into;
    EXPECT_EQ(messageOf("TPF1" + good.substr(4), into), "Invalid stream format");
    EXPECT_EQ(messageOf("TP", into), "Invalid stream format");
    // Cut inside "Rock": the two names before it are kept.
    auto cut = good.find("Rock") + 2;
    EXPECT_EQ(messageOf(good.substr(0, cut), into), "Stream read error");
    EXPECT_EQ(into.items, (std::vector<std::string>{"Jazz", "News"}));
    // Every prefix fails cleanly: no crash, no read beyond the end.
    for (std::size_t n = 0; n < good.size(); ++n) {
        FakeList scratch;
        EXPECT_NE(messageOf(good.substr(0, n), scratch), "") << n;
    }
}

TEST(ObjectStream, ALengthBeyondTheDataIsRefusedWithoutAllocatingIt) {
    // A type 12 string that claims 4 GiB in a stream of a few bytes.
    std::string bytes = "TPF0" + Bytes({8}) + "TListBox" + Bytes({0}) + Bytes({13}) +
                        "Items.Strings" + Bytes({1, 12, 0xFF, 0xFF, 0xFF, 0xFF}) + "ab";
    FakeList into;
    EXPECT_THROW(ReadComponentBytes(bytes, into, FakeListInfo()), EReadError);
}

TEST(ObjectStream, ListsNestedTooDeepFailWithTheReadErrorInsteadOfExhaustingTheStack) {
    auto nested = [](int depth) {
        return "TPF0" + Bytes({8}) + "TListBox" + Bytes({0}) + Bytes({5}) + "Extra" +
               std::string(depth, '\x01') + std::string(depth, '\0') + Bytes({3}) + "Top" +
               Bytes({2, 7, 0, 0});
    };
    FakeList into;
    ReadComponentBytes(nested(TReader::kMaxListNesting), into, FakeListInfo());
    EXPECT_EQ(into.top, 7);
    for (int depth : {TReader::kMaxListNesting + 1, 100000}) {
        try {
            ReadComponentBytes(nested(depth), into, FakeListInfo());
            ADD_FAILURE() << depth;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
        }
    }
}

TEST(ObjectStream, RecordsOfUnknownPropertiesAreSkipped) {
    TWriter w;
    w.WriteSignature();
    w.WriteStr("TListBox");
    w.WriteStr("StationLB");
    w.WritePropName("Color");
    w.WriteIdent("clWindow");
    w.WritePropName("Hint");
    w.WriteString("not ours");
    w.WritePropName("Top");
    w.WriteInteger(7);
    w.WriteEnd();
    w.WriteEnd();
    FakeList into;
    ReadComponentBytes(w.Bytes(), into, FakeListInfo());
    EXPECT_EQ(into.top, 7);
}

}  // namespace
