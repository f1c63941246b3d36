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

// The program's exit status from the code ExitInstance returned: a run that
// ended through an error routine's quit fails even when its pump ended
// normally.
int Program_Exit_Status(int exit_instance_code);
