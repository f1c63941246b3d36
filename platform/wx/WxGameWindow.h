// What windows laid on a game window need of it on the wx backend (the
// editor's dialogs): the frame and the canvas that show it, where the
// picture lies in the canvas, the pointer over such windows, and modal
// dialogs of the game.
#pragma once
#include <functional>

#include "platform/ScreenFit.h"
#include "platform/Win32Types.h"

class wxFrame;
class wxWindow;

// None for a handle the backend did not make (or before it runs).
wxFrame* Wx_Game_Frame(HWND hwnd);
wxWindow* Wx_Game_Canvas(HWND hwnd);
// The picture's scale and place in the canvas.
screen_fit Wx_Game_Fit(HWND hwnd);
// The pointer is at this screen point over a window laid on the game's:
// the game's cursor position (GetCursorPos) follows it there too, at the
// picture's edge only where the pointer touches the screen's edge.
void Wx_Pointer_At(HWND hwnd, int screen_x, int screen_y);
// Runs show (a dialog's ShowModal) as a modal dialog of the game: no tick,
// input or idle pass reaches the game meanwhile, and what the game draws
// is shown at every refresh. Its result.
int Wx_Run_Modal(const std::function<int()>& show);
