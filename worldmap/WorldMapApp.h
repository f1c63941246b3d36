// The world map program as an application of the framework: the start-up
// runs when the message pump starts, each idle pass is one pass of the main
// loop, and the quit message's code is the exit status.
#pragma once
#include "platform/AppFramework.h"

class CWorldMapApp : public CWinApp {
  public:
    BOOL InitInstance() override;
    BOOL OnIdle(long count) override;
    int ExitInstance() override;
};
