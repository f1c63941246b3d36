// The application object: writes its trace line, makes the main window (which
// starts the game) and keeps the idle passes coming.
#pragma once
#include "platform/AppFramework.h"

class CTheApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // Runs the idle step once the game is up; always asks for more.
    BOOL OnIdle(long count) override;
    int ExitInstance() override;
};

extern CTheApp theApp;
