// The editor's dialogs on the wx window backend. This header is free of
// wx: the program only needs the entry below.
#pragma once

// Installs the view that makes the editor's two dialogs beside the map and
// the modal dialogs they open (the program does this before it starts,
// after Install_Editor).
void Install_Wx_Editor();
