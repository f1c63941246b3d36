#include "System/ErrorReport.h"

#include <string>

#include "System/DDErrorTable.h"
#include "platform/Window.h"

namespace {
bool quitting = false;
}

bool Is_Quitting() { return quitting; }

void Reset_Quitting() { quitting = false; }

void Begin_Orderly_Quit() {
    if (quitting) return;
    quitting = true;
    HWND main_window = Get_Main_Window();
    if (main_window != nullptr)
        PostMessageA(main_window, WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

void Error_Query_Quit(const char* text) {
    if (quitting) return;
    int answer = MessageBoxA(Get_Main_Window(), "Quit from Application ?", text, MB_OKCANCEL | MB_SETFOREGROUND);
    if (answer == IDOK) Begin_Orderly_Quit();
}

void Fatal_Error(const char* text, const char* detail) {
    if (quitting) return;
    std::string message = std::string(text ? text : "") + "\n" + (detail ? detail : "");
    MessageBoxA(Get_Main_Window(), message.c_str(), "Application error !", MB_ICONHAND);
    Begin_Orderly_Quit();
}

void File_Error_Query_Quit(const char* text, const file_fault& fault) {
    if (quitting) return;
    const std::string message = std::string(text ? text : "") + "\n" + fault.Text() + "\n\nQuit from Application ?";
    int answer = MessageBoxA(Get_Main_Window(), message.c_str(), PROGRAM_NAME, MB_OKCANCEL | MB_SETFOREGROUND);
    if (answer == IDOK) Begin_Orderly_Quit();
}

void File_Fatal_Error(const char* text, const file_fault& fault) {
    if (quitting) return;
    const std::string message = std::string(text ? text : "") + "\n" + fault.Text();
    MessageBoxA(Get_Main_Window(), message.c_str(), PROGRAM_NAME, MB_ICONHAND);
    Begin_Orderly_Quit();
}

HRESULT DD_Error(const char* label, HRESULT result) {
    if (result == DD_OK || result == DDERR_SURFACELOST || result == DDERR_SURFACEBUSY) return result;
    for (const DD_Error_Row& row : DD_ERROR_TABLE) {
        if (row.code == result) {
            if (!quitting) MessageBoxA(Get_Main_Window(), row.name, label, MB_ICONHAND | MB_SETFOREGROUND);
            return result;
        }
    }
    return result;
}
