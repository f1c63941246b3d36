#include "System/MessageLog.h"

#include <algorithm>
#include <cstring>

#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/Fonts.h"
#include "System/ScreenType.h"

message_log_state message_log{};

namespace {

Log_Listener log_listener = nullptr;

constexpr RECT MEASURE_RECT{10, 0, 313, LOG_LINE_HEIGHT};
constexpr int LINE_LEFT = 10, LINE_RIGHT = 313;
constexpr int RECORD_HEAD = 4;  // the colour
// A record's line must fit the buffer with nothing else in it.
constexpr int LONGEST_LINE = LOG_BUFFER_SIZE - RECORD_HEAD - 2;
constexpr COLORREF BLANK_COLOUR = 0xDCDCDC;
constexpr int BLANK_LINES = 5;

int Ring_Y(int y) { return ((y % LOG_RING_HEIGHT) + LOG_RING_HEIGHT) % LOG_RING_HEIGHT; }

COLORREF Record_Colour(int record) {
    const std::uint8_t* p = message_log.buffer + record;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<COLORREF>(p[3]) << 24);
}

int Next_Record(int record) {
    int i = record + RECORD_HEAD;
    while (i < message_log.end && message_log.buffer[i] != 0) ++i;
    return std::min(i + 1, message_log.end);
}

int Prev_Record(int record) {
    if (record <= 0) return 0;
    // Back over the previous record's NUL and text to the first zero byte,
    // the high byte of its colour; the record starts three bytes before.
    int i = record - 2;
    while (i >= 0 && message_log.buffer[i] != 0) --i;
    return std::max(i - 3, 0);
}

// How many characters from text the log's first line takes.
int Measure_Line(COLORREF colour, const char* text) {
    HDC dc = nullptr;
    bool own_dc = TEXT == nullptr;
    if (own_dc)
        dc = CreateCompatibleDC(nullptr);
    else if (DD_Error("getDC", TEXT->GetDC(&dc)) != DD_OK)
        return 0;
    SelectObject(dc, log_font);
    SetTextColor(dc, colour);
    RECT r = MEASURE_RECT;
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 0, 0, 0, 0};
    DrawTextExA(dc, text, -1, &r, DT_WORDBREAK | DT_CALCRECT, &params);
    if (own_dc)
        DeleteDC(dc);
    else
        DD_Error("releaseDC", TEXT->ReleaseDC(dc));
    return static_cast<int>(params.uiLengthDrawn);
}

// Drops whole records from the front until a record of n characters fits;
// true when the first visible record had to go.
bool Make_Room(int n) {
    int dropped = 0;
    while (!(LOG_BUFFER_SIZE - RECORD_HEAD - 1 - message_log.end + dropped > n)) dropped = Next_Record(dropped);
    if (dropped == 0) return false;
    std::memmove(message_log.buffer, message_log.buffer + dropped, message_log.end - dropped);
    message_log.end -= dropped;
    bool top_lost = message_log.top - dropped < 0;
    message_log.top = std::max(message_log.top - dropped, 0);
    message_log.bottom = std::max(message_log.bottom - dropped, 0);
    return top_lost;
}

int Append_Record(COLORREF colour, const char* text, int n) {
    int record = message_log.end;
    std::uint8_t* p = message_log.buffer + record;
    for (int i = 0; i < RECORD_HEAD; ++i) p[i] = static_cast<std::uint8_t>(colour >> (8 * i));
    std::memcpy(p + RECORD_HEAD, text, n);
    p[RECORD_HEAD + n] = 0;
    message_log.end += RECORD_HEAD + n + 1;
    return record;
}

void Blit_Band(const RECT& ring, const RECT& panel) {
    if (BACK == nullptr || TEXT == nullptr) return;
    DD_Error("blt balhe", BACK->Blt(&panel, TEXT, &ring, DDBLT_WAIT | DDBLT_KEYSRC, nullptr));
}

}  // namespace

void Log_Reset() {
    message_log.top = message_log.bottom = message_log.end = 0;
    message_log.next_y = LOG_WINDOW_HEIGHT;
    message_log.scroll = 0;
    message_log.following = 1;
    for (int i = 0; i < BLANK_LINES; ++i) Log_Add_Message(BLANK_COLOUR, "   ");
    message_log.top = 0;
}

void Set_Log_Listener(Log_Listener listener) { log_listener = listener; }

void Log_Add_Message(COLORREF colour, const char* text) {
    if (text == nullptr) return;
    if (log_listener != nullptr) log_listener(colour, text);
    // Stepping back through the records needs every colour's high byte 0.
    colour &= 0x00FFFFFF;
    const int length = static_cast<int>(std::strlen(text));
    int p = 0;
    while (p != length) {
        int n = std::min(Measure_Line(colour, text + p), std::min(LONGEST_LINE, length - p));
        if (n <= 0) break;
        bool top_lost = Make_Room(n);
        int record = Append_Record(colour, text + p, n);
        p += n;
        if (message_log.following == 1) {
            Log_Read_Next();
            Log_Draw_Line(record, message_log.next_y);
            message_log.next_y += LOG_LINE_HEIGHT;
            message_log.bottom = message_log.end;
        } else if (top_lost && ScreenType == SCREEN_HEXAMAP) {
            Log_Redraw();
        }
    }
}

void Log_Scroll_Step() {
    const int target = message_log.next_y - LOG_WINDOW_HEIGHT;
    int& scroll = message_log.scroll;
    if (scroll == target) {
        scroll %= LOG_RING_HEIGHT;
        message_log.next_y = scroll + LOG_WINDOW_HEIGHT;
        return;
    }
    if (message_log.next_y / LOG_LINE_HEIGHT - 10 < scroll / LOG_LINE_HEIGHT) {
        if (target > scroll) scroll += 1;
        if (target > scroll + 13) scroll += 1;
        if (target > scroll + 26) scroll += 2;
        if (target > scroll + 39) scroll += 2;
        if (target < scroll) scroll -= 1;
        if (target < scroll - 13) scroll -= 1;
        if (target < scroll - 26) scroll -= 2;
        if (target < scroll - 39) scroll -= 2;
    } else {
        // The band lags more than the ring holds: jump to four lines above the target.
        scroll = message_log.next_y - 117;
    }
    Log_Blit_Window();
}

void Log_Blit_Window() {
    const int p = Ring_Y(message_log.scroll);
    if (p + LOG_WINDOW_HEIGHT <= LOG_RING_HEIGHT) {
        Blit_Band({0, p, TEXT_WIDTH, p + LOG_WINDOW_HEIGHT}, LOG_PANEL);
    } else {
        const int split = LOG_PANEL.top + LOG_RING_HEIGHT - p;  // 527 - p
        Blit_Band({0, p, TEXT_WIDTH, LOG_RING_HEIGHT}, {LOG_PANEL.left, LOG_PANEL.top, LOG_PANEL.right, split});
        Blit_Band({0, 0, TEXT_WIDTH, p - LOG_WINDOW_HEIGHT},
                  {LOG_PANEL.left, split, LOG_PANEL.right, LOG_PANEL.bottom});
    }
    Update_Screen(&LOG_PANEL);
}

void Log_Redraw() {
    message_log.next_y = LOG_WINDOW_HEIGHT;
    message_log.scroll = 0;
    int record = message_log.top;
    for (int line = 0; line < LOG_VISIBLE_LINES && record < message_log.end; ++line) {
        Log_Draw_Line(record, line * LOG_LINE_HEIGHT);
        record = Next_Record(record);
    }
    Log_Blit_Window();
}

void Log_Draw_Line(int record, int y) {
    y = Ring_Y(y);
    RECT line{LINE_LEFT, y, LINE_RIGHT, y + LOG_LINE_HEIGHT};
    Fill_Surface_Rect(TEXT, line, ui_background);
    if (record < 0 || record + RECORD_HEAD >= message_log.end || TEXT == nullptr) return;
    HDC dc = nullptr;
    if (DD_Error("getDC", TEXT->GetDC(&dc)) != DD_OK) return;
    SelectObject(dc, log_font);
    SetTextColor(dc, Record_Colour(record));
    SetBkMode(dc, TRANSPARENT);
    DrawTextExA(dc, reinterpret_cast<const char*>(message_log.buffer + record + RECORD_HEAD), -1, &line, DT_WORDBREAK,
                nullptr);
    DD_Error("releaseDC", TEXT->ReleaseDC(dc));
}

void Log_Read_Next() { message_log.top = Next_Record(message_log.top); }

void Log_Read_Prev() { message_log.top = Prev_Record(message_log.top); }

void Log_Bottom_Next() { message_log.bottom = Next_Record(message_log.bottom); }

void Log_Bottom_Prev() { message_log.bottom = Prev_Record(message_log.bottom); }

void Log_Scroll_Up(std::uint32_t, int event) {
    if (event != 1 || message_log.top == 0) return;
    Log_Read_Prev();
    Log_Bottom_Prev();
    Log_Draw_Line(message_log.top, message_log.next_y - 78);
    message_log.next_y -= LOG_LINE_HEIGHT;
    message_log.following = 0;
}

void Log_Scroll_Down(std::uint32_t, int event) {
    if (event != 1 || message_log.bottom == message_log.end) return;
    Log_Draw_Line(message_log.bottom, message_log.next_y);
    message_log.next_y += LOG_LINE_HEIGHT;
    Log_Read_Next();
    Log_Bottom_Next();
    if (message_log.bottom == message_log.end) message_log.following = 1;
}
