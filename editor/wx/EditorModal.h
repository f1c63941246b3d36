// The editor's modal dialogs: opened over the map view, clear of the
// preview strip where there is room; meanwhile the game takes no tick, no
// input and no idle pass (the map neither reacts nor scrolls), and what the
// dialog draws into the game's picture (a preview) shows at once.
#pragma once

class wxDialog;

// Shows the dialog modally over the map view; its ShowModal result.
int Run_Editor_Modal(wxDialog& dialog);
