#include "frontend/App.h"

#include "System/Display.h"
#include "System/ErrorReport.h"
#include "frontend/GameLoop.h"
#include "frontend/MainFrame.h"

CTheApp theApp;

BOOL CTheApp::InitInstance() {
    OutputDebugStringA("CTheApp::InitInstance\n");
    Enable3dControls();
    m_pMainWnd = new CMainFrame();
    return TRUE;
}

BOOL CTheApp::OnIdle(long count) {
    CWinApp::OnIdle(count);
    if (surfaces_ready) Idle_Scroll();
    return TRUE;
}

int CTheApp::ExitInstance() { return CWinApp::ExitInstance(); }

int Program_Exit_Status(int exit_instance_code) {
    if (exit_instance_code == 0 && Is_Quitting()) return 1;
    return exit_instance_code;
}
