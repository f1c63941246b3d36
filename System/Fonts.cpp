#include "System/Fonts.h"

#include <cstring>

#include "System/Display.h"
#include "System/ErrorReport.h"
#include "System/MessageLog.h"
#include "platform/PathResolver.h"

HFONT small_font = nullptr;
HFONT log_font = nullptr;
HFONT message_font = nullptr;
COLORREF text_colour = RGB(255, 255, 0);

namespace {

constexpr const char* FONT_FILES[] = {"ARTWORK\\SYSTEM\\SMALLE.FON", "ARTWORK\\SYSTEM\\SERIFE.FON"};

HFONT Make_Font(int height, int weight, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

void Delete_Font(HFONT& font) {
    if (font != nullptr) DeleteObject(font);
    font = nullptr;
}

}  // namespace

void Init_Fonts() {
    for (const char* file : FONT_FILES) {
        file_fault fault;
        if (!Resolve_Readable_File(file, &fault)) {
            File_Error_Query_Quit("Can't load font!", fault);
        } else if (AddFontResourceA(file) == 0) {
            fault = {Resolve_Path(file)->string(), "no bitmap font that can be read in it"};
            File_Error_Query_Quit("Can't load font!", fault);
        }
    }
    // A new game makes its fonts anew: the ones of the game before go.
    Delete_Font(small_font);
    Delete_Font(log_font);
    Delete_Font(message_font);
    small_font = Make_Font(11, FW_DONTCARE, "Small Font");
    log_font = Make_Font(13, FW_DONTCARE, "MS Serif");
    message_font = Make_Font(16, FW_BOLD, "MS Serif");
    Log_Reset();
}

void Free_Fonts() {
    for (const char* file : FONT_FILES)
        if (!RemoveFontResourceA(file)) Error_Query_Quit("Can't remove font!");
    Delete_Font(small_font);
    Delete_Font(log_font);
    Delete_Font(message_font);
}

namespace {

// Draws on BACK's context set for text in the message font in colour with a
// transparent background.
template <class Draw>
void With_Text_DC(COLORREF colour, Draw draw) {
    if (BACK == nullptr) return;
    HDC dc = nullptr;
    if (DD_Error("getDC", BACK->GetDC(&dc)) != DD_OK) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SelectObject(dc, message_font);
    draw(dc);
    DD_Error("releaseDC", BACK->ReleaseDC(dc));
}

}  // namespace

void Text_Out(UINT align, COLORREF colour, int x, int y, const char* text) {
    if (text == nullptr) return;
    With_Text_DC(colour, [&](HDC dc) {
        SetTextAlign(dc, align == 0 ? TA_BOTTOM : align);
        TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    });
}

void Text_In_Rect(COLORREF colour, const RECT& rect, const char* text) {
    if (text == nullptr) return;
    With_Text_DC(colour, [&](HDC dc) {
        RECT r = rect;
        DrawTextExA(dc, text, -1, &r, DT_WORDBREAK, nullptr);
    });
}

void Print_Text(const char* text, int x, int y) { Text_Out(TA_BOTTOM, text_colour, x, y, text); }

void Set_Text_Color(COLORREF colour) { text_colour = colour; }
