#pragma once
// The plug-in shares the player's thread: every wait is a message loop, never a busy spin.
#include <windows.h>

namespace sq {

// Dispatches every message that is waiting now, then returns ("let pending events run once").
void DoEvents();
// Sleeps until at least one message arrives, then dispatches what is waiting.
void WaitForEventsAndDispatch();
// The modal loop of Configure: dispatches messages until `window` is hidden.
void RunModalLoopWhileVisible(HWND window);
// True once the thread's message loop has been asked to quit; loops must then return.
bool QuitRequested();
// The window whose keyboard navigation (Tab, arrows, mnemonics) the pump handles as a dialog's
// while it is visible; nullptr for none. The control window registers itself here.
void SetDialogWindow(HWND window);

}  // namespace sq
