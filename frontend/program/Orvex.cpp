// The game program: the application on the wx window backend, with the map
// editor installed.
#include "editor/EditorScreen.h"
#include "editor/wx/WxEditor.h"
#include "frontend/App.h"
#include "platform/wx/WxBackend.h"

int main(int argc, char** argv) {
    Install_Editor();
    Install_Wx_Editor();
    return Program_Exit_Status(Run_Wx_Application(theApp, argc, argv));
}
