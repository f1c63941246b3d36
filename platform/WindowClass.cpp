#include "platform/WindowClass.h"

#include <strings.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/CursorFile.h"

namespace {

struct registered_class {
    std::string name;
    WNDCLASSA wc;
};

std::vector<registered_class>& Classes() {
    static std::vector<registered_class> classes;
    return classes;
}

registered_class* Find_Class(const char* name) {
    if (name == nullptr || IS_INTRESOURCE(name)) return nullptr;
    for (registered_class& c : Classes())
        if (strcasecmp(c.name.c_str(), name) == 0) return &c;
    return nullptr;
}

// What receives a class window's messages: its procedure, with its handle.
// It lives as long as its window and goes with the window's last message.
class ProcedureWindow : public MessageTarget {
  public:
    explicit ProcedureWindow(WNDPROC procedure) : procedure_(procedure) {}
    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Window_Proc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // Messages sent while the window is being made have no handle yet.
        if (hwnd_ == nullptr) return 0;
        const LRESULT result = procedure_(hwnd_, message, wParam, lParam);
        if (message == WM_NCDESTROY) delete this;
        return result;
    }

  private:
    WNDPROC procedure_;
    HWND hwnd_ = nullptr;
};

// Handles of things that exist only by name here.
template <class H>
H Token(std::uintptr_t value) {
    return reinterpret_cast<H>(value);
}
constexpr std::uintptr_t APPLICATION_ICON = 0x7F00;
constexpr std::uintptr_t STOCK_OBJECT_BASE = 0x7E00;
// The window system's arrow: a handle no backend hands out for a cursor
// picture, so each shows its own pointer for it.
constexpr std::uintptr_t SYSTEM_ARROW = ~std::uintptr_t{0};
constexpr std::size_t MAX_CURSOR_RESOURCE = 1u << 20;

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (wc == nullptr || wc->lpfnWndProc == nullptr || wc->lpszClassName == nullptr ||
        IS_INTRESOURCE(wc->lpszClassName) || *wc->lpszClassName == '\0' || Find_Class(wc->lpszClassName) != nullptr)
        return 0;
    Classes().push_back({wc->lpszClassName, *wc});
    Classes().back().wc.lpszClassName = Classes().back().name.c_str();
    return static_cast<ATOM>(0xC000 + Classes().size());
}

BOOL UnregisterClassA(const char* class_name, HINSTANCE) {
    registered_class* c = Find_Class(class_name);
    if (c == nullptr) return FALSE;
    Classes().erase(Classes().begin() + (c - Classes().data()));
    return TRUE;
}

void Reset_Window_Classes() { Classes().clear(); }

HWND CreateWindowExA(DWORD, const char* class_name, const char* title, DWORD style, int x, int y, int width, int height,
                     HWND, HMENU, HINSTANCE, void*) {
    const registered_class* c = Find_Class(class_name);
    if (c == nullptr) return nullptr;
    auto target = std::make_unique<ProcedureWindow>(c->wc.lpfnWndProc);
    const HWND hwnd = CreateGameWindow(target.get(), title, style, {x, y, x + width, y + height});
    if (hwnd == nullptr) return nullptr;
    target.release()->Attach(hwnd);
    return hwnd;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(hwnd);
    if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
    return 0;
}

BOOL TranslateMessage(const MSG* msg) { return msg != nullptr && msg->message == WM_KEYDOWN; }

HICON LoadIconA(HINSTANCE instance, const char* name) {
    if (instance == nullptr && name == IDI_APPLICATION) return Token<HICON>(APPLICATION_ICON);
    return nullptr;
}

HGDIOBJ GetStockObject(int object) {
    if (object != WHITE_BRUSH && object != BLACK_BRUSH) return nullptr;
    return Token<HGDIOBJ>(STOCK_OBJECT_BASE + static_cast<std::uintptr_t>(object));
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name) {
    if (instance == nullptr) return name == IDC_ARROW ? Token<HCURSOR>(SYSTEM_ARROW) : nullptr;
    const HRSRC found = FindResourceA(instance, name, RT_CURSOR);
    const void* data = LockResource(LoadResource(instance, found));
    const DWORD size = SizeofResource(instance, found);
    if (data == nullptr || size > MAX_CURSOR_RESOURCE) return nullptr;
    const std::optional<cursor_image> image = Parse_Cursor_File(static_cast<const std::uint8_t*>(data), size);
    if (!image) return nullptr;
    return Window_Backend().Create_Cursor(*image);
}
