// Windows, foreign windows, the modal loop and the scripted popup menu.
#include "headless_test.h"

using namespace plat;

namespace {

using HeadlessWindows = HeadlessTest;

TEST_F(HeadlessWindows, FindWindowSeesLiveTopLevelWindowsByClassIgnoringCase) {
    RecordingSink sink;
    HWND form = Form(sink, "TRadioForm");
    WindowSpec button;
    button.kind = WindowKind::Button;
    button.className = "TPlayer";
    button.parent = form;
    hl().CreateWindowA(button);
    HWND player = hl().AddForeignWindow("Progressive Networks RAPlayer", "RealPlayer");

    EXPECT_EQ(hl().FindWindowA("tradioform", nullptr), form);
    EXPECT_EQ(hl().FindWindowA("TPlayer", nullptr), 0u);  // a control is no top-level window
    EXPECT_EQ(hl().FindWindowA("Progressive Networks RAPlayer", "RealPlayer"), player);
    EXPECT_EQ(hl().FindWindowA(nullptr, "Other title"), 0u);
    hl().DestroyWindow(form);
    EXPECT_EQ(hl().FindWindowA("TRadioForm", nullptr), 0u);
}

TEST_F(HeadlessWindows, ForeignWindowsRecordMessagesAndCloseOnWmClose) {
    HWND player = hl().AddForeignWindow("Progressive Networks RAPlayer", "");
    hl().PostMessageA(player, WM_USER + 5, 1, 2);
    hl().PostMessageA(player, WM_CLOSE, 0, 0);
    EXPECT_TRUE(hl().Window(player)->received.empty());  // posted: not there yet
    hl().DispatchPosted();
    const auto& received = hl().Window(player)->received;
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].msg, WM_USER + 5u);
    EXPECT_EQ(received[0].lParam, 2);
    EXPECT_TRUE(hl().Window(player)->destroyed);
    EXPECT_EQ(hl().FindWindowA("Progressive Networks RAPlayer", nullptr), 0u);
    EXPECT_FALSE(hl().PostMessageA(player, WM_CLOSE, 0, 0));
}

TEST_F(HeadlessWindows, SendMessageAnswersWithTheSinksResult) {
    RecordingSink sink;
    sink.onMessage = [](Message& m) { m.result = static_cast<LRESULT>(m.wParam) * 2; };
    HWND form = Form(sink);
    EXPECT_EQ(hl().SendMessageA(form, WM_USER, 21, 0), 42);
    EXPECT_EQ(hl().SendMessageA(999, WM_USER, 21, 0), 0);
}

TEST_F(HeadlessWindows, TheHarnessClosesAModalWindowTheScriptLeftOpen) {
    RecordingSink sink;
    bool closed = false;
    sink.onMessage = [&](Message& m) { closed = closed || m.msg == ZM_CLOSE; };
    HWND modal = Form(sink);
    std::vector<HWND> seen;
    hl().onModal = [&](HWND w) { seen.push_back(w); };

    hl().RunModalLoop(modal, [&] { return closed; });
    EXPECT_EQ(seen, std::vector<HWND>{modal});
    EXPECT_TRUE(closed);
    EXPECT_EQ(hl().modalsClosedByHarness, 1);

    // A script that closes the window itself leaves the harness nothing to do; one
    // that never lets the loop end still returns.
    closed = false;
    hl().onModal = [&](HWND w) { hl().PostMessageA(w, ZM_CLOSE, 0, 0); };
    hl().RunModalLoop(modal, [&] { return closed; });
    EXPECT_EQ(hl().modalsClosedByHarness, 1);
    hl().RunModalLoop(modal, [] { return false; });
    EXPECT_EQ(hl().modalsClosedByHarness, 2);
}

TEST_F(HeadlessWindows, PopupChoosesTheFirstItemOfTheCaption) {
    auto item = [](UINT id, const char* caption, bool enabled = true) {
        MenuItemSpec spec;
        spec.id = id;
        spec.caption = caption;
        spec.enabled = enabled;
        return spec;
    };
    std::vector<MenuItemSpec> menu{item(1, "Jazz"), item(2, "-"), item(3, "More"),
                                   item(7, "Disabled")};
    menu[2].items = {item(4, "Disabled", false), item(5, "E&xit"), item(6, "Jazz")};
    hl().popupChoices = {"Jazz", "Exit", "E&xit", "Disabled", "", "Nothing like it"};
    for (UINT expected : {1u, 5u, 5u, 7u, 0u, 0u, 0u})
        EXPECT_EQ(hl().TrackPopupMenu(menu, {10, 20}, 0), expected);
    ASSERT_EQ(hl().popups.size(), 7u);
    EXPECT_EQ(hl().popups[0].at.y, 20);
}

TEST_F(HeadlessWindows, DialogsAnswerFromTheScriptThenByDefault) {
    hl().messageBoxAnswers = {IDNO};
    EXPECT_EQ(hl().MessageBoxA(0, "Sure?", "Zelvora", MB_YESNO), IDNO);
    EXPECT_EQ(hl().MessageBoxA(0, "Done", "Zelvora", MB_OK), IDOK);
    EXPECT_EQ(hl().messageBoxes.at(1).text, "Done");

    hl().openDialogAnswers = {"/x/player.exe", std::nullopt};
    OpenFileRequest request;
    EXPECT_TRUE(hl().GetOpenFileNameA(request));
    EXPECT_EQ(request.fileName, "/x/player.exe");
    EXPECT_FALSE(hl().GetOpenFileNameA(request));
    EXPECT_FALSE(hl().GetOpenFileNameA(request));
    EXPECT_EQ(hl().openDialogs.size(), 3u);
}

TEST_F(HeadlessWindows, ListSelectionFollowsInsertsAndDeletes) {
    WindowSpec spec;
    spec.kind = WindowKind::ListBox;
    HWND list = hl().CreateWindowA(spec);
    for (const char* item : {"a", "b", "c"}) hl().ListInsert(list, -1, item);
    hl().ListSetSelection(list, 1);
    hl().ListInsert(list, 0, "z");
    EXPECT_EQ(hl().Window(list)->selection, 2);
    hl().ListDelete(list, 0);
    EXPECT_EQ(hl().Window(list)->selection, 1);
    hl().ListDelete(list, 1);
    EXPECT_EQ(hl().Window(list)->selection, -1);
    EXPECT_EQ(hl().Window(list)->items, (std::vector<std::string>{"a", "c"}));
    hl().ListSetSelection(list, 5);
    EXPECT_EQ(hl().Window(list)->selection, -1);
}

}  // namespace
