// The game program: the application on the wx window backend.
#include "frontend/App.h"
#include "platform/wx/WxBackend.h"

int main(int argc, char** argv) { return Program_Exit_Status(Run_Wx_Application(theApp, argc, argv)); }
