// What the drive sees of another program's windows and how it acts on them: only
// through messages any program may send, the way a person's clicks and keys arrive.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

std::string ClassOf(HWND window);
// The caption or text, asked with WM_GETTEXT (which crosses process boundaries).
std::string TextOf(HWND window);
bool Shown(HWND window);
DWORD ProcessOf(HWND window);

// Top-level windows of a class, of one process (0: any). Hidden ones included.
std::vector<HWND> TopWindows(const std::string& cls, DWORD pid = 0);
HWND TopWindow(const std::string& cls, DWORD pid = 0);
// A visible top-level window of the class whose caption holds the text.
HWND ShownWindow(const std::string& cls, DWORD pid, const std::string& captionPart = "");

// Every descendant of a window, in the order EnumChildWindows gives them.
std::vector<HWND> Descendants(HWND parent);
// The nth descendant of the class (case-insensitive) whose text is the given one
// (any text when it is null).
HWND Child(HWND parent, const std::string& cls, const char* text = nullptr, int nth = 0);

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms);
void Pause(DWORD ms);

// ---- Acting -----------------------------------------------------------------------
void Click(HWND button);  // posted: the handler may open a modal window
bool Checked(HWND checkBox);
// Selects the whole text and types the new one, key by key.
void Type(HWND edit, const std::string& text);
// Presses and releases the left button on a row of a list box.
void PressRow(HWND list, int row);
// Presses on a row, moves over another and lets go there.
void DragRow(HWND list, int from, int to);
std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
// Chooses an entry the way the drop-down list reports a choice to its window.
void ChooseInCombo(HWND combo, int index);
void PostKey(HWND target, UINT vk);

// ---- Real input: what a mouse and a keyboard give the system (SendInput) ---------
// Brings the window's top-level window to the front, moves the pointer to the middle
// of the window and presses and releases the left button there.
void MouseClick(HWND window);
// Types the text (in the system's code page) key by key into the window with the focus.
void TypeText(const std::string& text);
void PressKey(WORD vk);

}  // namespace e2e
