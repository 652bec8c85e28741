#include "win32/window_fixture.h"

#include <chrono>
#include <thread>

void WindowTest::TearDown() {
    for (auto it = topLevel_.rbegin(); it != topLevel_.rend(); ++it) platform().DestroyWindow(*it);
    Pump(1);
    PlatformTest::TearDown();
}

plat::WindowSpec WindowTest::Spec(plat::WindowKind kind, const std::string& text, plat::RECT at) {
    plat::WindowSpec s;
    s.kind = kind;
    s.text = text;
    s.bounds = at;
    s.visible = true;
    return s;
}

plat::HWND WindowTest::MakeForm(Recorder& sink, plat::BorderStyle border) {
    plat::WindowSpec s = Spec(plat::WindowKind::Form, "Zelvora test form", {60, 60, 600, 440});
    s.className = "TZelTestForm";
    s.border = border;
    s.visible = false;
    s.sink = &sink;
    plat::HWND form = platform().CreateWindowA(s);
    if (form) topLevel_.push_back(form);
    return form;
}

plat::HWND WindowTest::MakeUtility(Recorder& sink, const std::string& className) {
    plat::WindowSpec s = Spec(plat::WindowKind::Utility, "", {0, 0, 0, 0});
    s.className = className;
    s.visible = false;
    s.sink = &sink;
    plat::HWND w = platform().CreateWindowA(s);
    if (w) topLevel_.push_back(w);
    return w;
}

plat::HWND WindowTest::Add(plat::HWND parent, plat::WindowSpec spec, Recorder& sink) {
    spec.parent = parent;
    spec.sink = &sink;
    return platform().CreateWindowA(spec);
}

void WindowTest::Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        platform().ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
