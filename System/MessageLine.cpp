#include "System/MessageLine.h"

#include <algorithm>
#include <cstring>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/Fonts.h"
#include "System/Sprite.h"

namespace {

constexpr RECT DEFAULT_LINE{0, 467, 300, 480};
constexpr int LINE_WIDTH = 300;
constexpr int LINE_HEIGHT = 13;
constexpr int RIGHTMOST_LEFT = 620;
constexpr COLORREF MESSAGE_COLOUR = RGB(255, 255, 0);

void Render_Message() {
    if (MESSAGE == nullptr) return;
    DDBLTFX fx{sizeof(DDBLTFX), 0};
    RECT all{0, 0, MESSAGE_WIDTH, MESSAGE_HEIGHT};
    DD_Error("Fill rect", MESSAGE->Blt(&all, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    HDC dc = nullptr;
    if (DD_Error("getDC", MESSAGE->GetDC(&dc)) != DD_OK) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, MESSAGE_COLOUR);
    SelectObject(dc, message_font);
    SetTextAlign(dc, TA_BOTTOM);
    TextOutA(dc, 0, MESSAGE_HEIGHT, message_line.text, static_cast<int>(std::strlen(message_line.text)));
    DD_Error("releaseDC", MESSAGE->ReleaseDC(dc));
}

LONG Keep_Side(LONG v) { return v < 0 ? 0 : (v > RIGHTMOST_LEFT ? SCREEN_WIDTH : v); }

}  // namespace

message_line_state message_line{{}, DEFAULT_LINE};

void Show_Message(const char* text) {
    if (text != nullptr) {
        std::size_t length = std::strlen(text);
        if (std::strncmp(message_line.text, text, length) == 0) return;
        length = std::min<std::size_t>(length, MESSAGE_TEXT_SIZE - 1);
        std::memcpy(message_line.text, text, length);
        message_line.text[length] = '\0';
    } else {
        if (message_line.text[0] == '\0') return;
        message_line.text[0] = '\0';
    }
    Render_Message();
    Update_Screen(&message_line.rect);
}

void Set_Message_Pos(int x, int y) {
    if (x == 0 && y == 0) {
        message_line.rect = DEFAULT_LINE;
    } else {
        RECT& r = message_line.rect;
        r = {Keep_Side(x), std::clamp(y - LINE_HEIGHT, 0, SCREEN_HEIGHT), Keep_Side(x + LINE_WIDTH),
             std::clamp(y, 0, SCREEN_HEIGHT)};
    }
    // Marked as showing something, so that clearing it draws the empty line.
    message_line.text[0] = ' ';
    message_line.text[1] = '\0';
    Show_Message(nullptr);
}

void Draw_Message_Line(const RECT* rect) {
    RECT r = rect != nullptr ? *rect : RECT{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    const LONG ox = screen_rect.left, oy = screen_rect.top;
    Set_Clip_Rect(r.left + ox, r.top + oy, r.right + ox, r.bottom + oy);
    if (surfaces_ready)
        Put_Direct_Sprite(ox + message_line.rect.left, oy + message_line.rect.bottom, &message_sprite, 0);
}
