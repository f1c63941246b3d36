#include <gtest/gtest.h>

#include <fstream>

#include <string>

#include "System/DisplayFixture.h"
#include "System/MessageLog.h"
#include "support/FileFaultBox.h"

namespace {

class MessageTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Init_Fonts();
        ScreenType = SCREEN_HEXAMAP;
        ASSERT_TRUE(backend().boxes.empty());
    }
    void TearDown() override {
        Free_Fonts();
        EXPECT_TRUE(backend().boxes.empty());
        DisplayTest::TearDown();
    }
    bool Screen_Changed() {
        RECT r;
        return Display_Primary()->Take_Dirty_Rect(r);
    }
    // The records from the first visible one to the end, as texts.
    std::vector<std::string> Records(int from = 0) {
        std::vector<std::string> out;
        for (int r = from; r < message_log.end;) {
            std::string text(reinterpret_cast<const char*>(message_log.buffer + r + 4));
            out.push_back(text);
            r += 4 + static_cast<int>(text.size()) + 1;
        }
        return out;
    }
    // Width of a text in the log font and the characters of it that one
    // log line takes.
    UINT One_Line_Length(const std::string& text, int& width) {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, log_font);
        RECT r{10, 0, 313, 13};
        DRAWTEXTPARAMS p{sizeof(p), 0, 0, 0, 0};
        DrawTextExA(dc, text.c_str(), -1, &r, DT_WORDBREAK | DT_CALCRECT, &p);
        DeleteDC(dc);
        width = r.right - r.left;
        return p.uiLengthDrawn;
    }
    void Settle() {
        for (int i = 0; i < 200 && message_log.scroll != message_log.next_y - LOG_WINDOW_HEIGHT; ++i) Log_Scroll_Step();
        Log_Scroll_Step();
    }
    std::vector<std::uint16_t> Panel() {
        std::vector<std::uint16_t> out;
        for (int y = LOG_PANEL.top; y < LOG_PANEL.bottom; ++y)
            for (int x = LOG_PANEL.left; x < LOG_PANEL.right; ++x) out.push_back(Pixel(BACK, x, y));
        return out;
    }
    int Count_In_Panel(std::uint16_t value, int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = LOG_PANEL.left; x < LOG_PANEL.right; ++x) n += Pixel(BACK, x, y) == value;
        return n;
    }
};

// ---- the message line ----------------------------------------------------

TEST_F(MessageTest, ShowMessageSkipsTheTextShownAndItsBeginnings) {
    Show_Message("Sword");
    EXPECT_STREQ(message_line.text, "Sword");
    EXPECT_TRUE(Screen_Changed());
    // The yellow letters show on the line, at the bottom of the screen.
    int yellow = 0;
    for (int y = 467; y < 480; ++y)
        for (int x = 0; x < 300; ++x) yellow += Pixel(primary_surface, x, y) == 0xFFE0;
    EXPECT_GT(yellow, 10);

    Show_Message("Sw");
    Show_Message("Sword");
    Show_Message("");
    EXPECT_FALSE(Screen_Changed());
    EXPECT_STREQ(message_line.text, "Sword");
    Show_Message("Shield");
    EXPECT_STREQ(message_line.text, "Shield");
    EXPECT_TRUE(Screen_Changed());
    Show_Message(nullptr);
    EXPECT_STREQ(message_line.text, "");
    EXPECT_TRUE(Screen_Changed());
    Show_Message(nullptr);
    EXPECT_FALSE(Screen_Changed());
    Show_Message(std::string(200, 'x').c_str());
    EXPECT_EQ(std::string(message_line.text), std::string(127, 'x'));
}

TEST_F(MessageTest, SetMessagePosPlacesTheLineAndClearsIt) {
    struct Case {
        int x, y;
        RECT want;
    };
    for (Case c : {Case{630, 5, {640, 0, 640, 5}}, Case{0, 0, {0, 467, 300, 480}}, Case{100, 200, {100, 187, 400, 200}},
                   Case{-50, 490, {0, 477, 250, 480}}, Case{400, 10, {400, 0, 640, 10}}}) {
        Show_Message("Something");
        Set_Message_Pos(c.x, c.y);
        const RECT& r = message_line.rect;
        EXPECT_EQ(r.left, c.want.left) << c.x << "," << c.y;
        EXPECT_EQ(r.top, c.want.top) << c.x << "," << c.y;
        EXPECT_EQ(r.right, c.want.right) << c.x << "," << c.y;
        EXPECT_EQ(r.bottom, c.want.bottom) << c.x << "," << c.y;
        EXPECT_STREQ(message_line.text, "");
    }
}

// ---- the message log -----------------------------------------------------

TEST_F(MessageTest, NewGameLogHoldsFiveBlankLines) {
    EXPECT_EQ(Records(), std::vector<std::string>(5, "   "));
    EXPECT_EQ(message_log.top, 0);
    EXPECT_EQ(message_log.bottom, message_log.end);
    EXPECT_EQ(message_log.following, 1);
    EXPECT_EQ(message_log.next_y, 130);
    EXPECT_EQ(message_log.scroll, 0);
    // The band is a whole ring behind the newest line: the first step jumps
    // to four lines above the target, then it eases by +1, +1, +2, +2.
    Log_Scroll_Step();
    EXPECT_EQ(message_log.scroll, 13);
    Log_Scroll_Step();
    EXPECT_EQ(message_log.scroll, 19);
}

TEST_F(MessageTest, ALongMessageBecomesOneRecordPerLine) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "word" + std::to_string(i) + " ";
    text += "end";
    Log_Add_Message(RGB(0, 128, 0), text.c_str());
    std::vector<std::string> lines = Records();
    lines.erase(lines.begin(), lines.begin() + 5);
    ASSERT_GT(lines.size(), 2u);
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
        int width = 0;
        EXPECT_EQ(One_Line_Length(line, width), line.size()) << line;
        std::string ink = line.substr(0, line.find_last_not_of(' ') + 1);
        One_Line_Length(ink, width);
        EXPECT_LE(width, 303) << line;
    }
    EXPECT_EQ(joined, text);
    // Following: the window moved down by the lines, still five of them.
    EXPECT_EQ(message_log.next_y, 130 + 13 * static_cast<int>(lines.size()));
    EXPECT_EQ(Records(message_log.top).size(), 5u);
}

TEST_F(MessageTest, TheNewestLineReachesThePanel) {
    Log_Add_Message(RGB(255, 0, 0), "A red line for the panel");
    Settle();
    EXPECT_GT(Count_In_Panel(0xF800, 449, 462), 10);  // the bottom line of five
    EXPECT_EQ(Count_In_Panel(0xF800, 397, 449), 0);
    EXPECT_GT(Count_In_Panel(static_cast<std::uint16_t>(ui_background), 397, 462), 1000);
}

TEST_F(MessageTest, LinesAddedWhileScrolledBackDoNotMoveTheWindow) {
    for (int i = 0; i < 8; ++i) Log_Add_Message(RGB(255, 255, 255), ("line " + std::to_string(i)).c_str());
    Settle();
    Log_Scroll_Up(0, 2);  // only a click counts
    EXPECT_EQ(message_log.following, 1);
    Log_Scroll_Up(0, 1);
    Log_Scroll_Up(0, 1);
    EXPECT_EQ(message_log.following, 0);
    Settle();
    const auto panel = Panel();
    const int top = message_log.top, bottom = message_log.bottom;
    const int band = message_log.next_y - message_log.scroll;
    for (int i = 0; i < 3; ++i) Log_Add_Message(RGB(255, 0, 0), ("later " + std::to_string(i)).c_str());
    for (int i = 0; i < 20; ++i) Log_Scroll_Step();
    EXPECT_EQ(message_log.top, top);
    EXPECT_EQ(message_log.bottom, bottom);
    EXPECT_EQ(message_log.next_y - message_log.scroll, band);
    EXPECT_EQ(Panel(), panel);
    // Scrolling down to the end follows again and shows the later lines.
    for (int i = 0; i < 10 && message_log.following == 0; ++i) Log_Scroll_Down(0, 1);
    EXPECT_EQ(message_log.following, 1);
    EXPECT_EQ(message_log.bottom, message_log.end);
    Settle();
    EXPECT_GT(Count_In_Panel(0xF800, 397, 462), 10);
    Log_Scroll_Down(0, 1);  // at the end: nothing
    EXPECT_EQ(message_log.bottom, message_log.end);
}

TEST_F(MessageTest, ScrollJumpsWhenTheBandLagsTheRing) {
    Settle();
    for (int i = 0; i < 12; ++i) Log_Add_Message(RGB(0, 0, 255), ("msg " + std::to_string(i)).c_str());
    const int next_y = message_log.next_y;
    Log_Scroll_Step();
    EXPECT_EQ(message_log.scroll, next_y - 117);  // four lines above the target
    Log_Scroll_Step();
    EXPECT_EQ(message_log.scroll, next_y - 117 + 6);
    // A small lag eases without a jump.
    Settle();
    Log_Add_Message(RGB(0, 0, 255), "one more");
    const int before = message_log.scroll;
    Log_Scroll_Step();
    EXPECT_EQ(message_log.scroll, before + 1);  // the target is one line ahead
}

TEST_F(MessageTest, OldestRecordsGoWhenTheBufferIsFull) {
    for (int i = 0; i < 400; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), "Message %03d", i);
        Log_Add_Message(RGB(200, 200, 200), text);
    }
    EXPECT_LE(message_log.end, LOG_BUFFER_SIZE);
    std::vector<std::string> records = Records();
    ASSERT_GT(records.size(), 100u);
    EXPECT_EQ(records.back(), "Message 399");
    int first = std::stoi(records.front().substr(8));
    EXPECT_GT(first, 0);
    for (std::size_t i = 0; i < records.size(); ++i) {
        char want[32];
        std::snprintf(want, sizeof(want), "Message %03d", first + static_cast<int>(i));
        ASSERT_EQ(records[i], want);
    }
    EXPECT_EQ(message_log.bottom, message_log.end);
    EXPECT_EQ(Records(message_log.top).size(), 5u);
    // Stepping back through the records finds each start.
    int r = message_log.end;
    for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i) {
        message_log.top = r;
        Log_Read_Prev();
        r = message_log.top;
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(message_log.buffer + r + 4)), records[i]);
    }
    EXPECT_EQ(r, 0);
}

TEST_F(MessageTest, AColourWithAHighByteIsStoredWithout) {
    Log_Add_Message(0xFF0000FFu, "blue-ish");
    Log_Add_Message(RGB(1, 2, 3), "next");
    message_log.top = message_log.end;
    Log_Read_Prev();
    Log_Read_Prev();
    EXPECT_STREQ(reinterpret_cast<const char*>(message_log.buffer + message_log.top + 4), "blue-ish");
    EXPECT_EQ(message_log.buffer[message_log.top + 3], 0);
}

TEST_F(MessageTest, TextOutDrawsOnTheBackSurface) {
    Fill(BACK, 0);
    Print_Text("Hello", 100, 100);
    int yellow = 0;
    for (int y = 80; y < 100; ++y)
        for (int x = 100; x < 200; ++x) yellow += Pixel(BACK, x, y) == 0xFFE0;
    EXPECT_GT(yellow, 10);
    EXPECT_EQ(Pixel(BACK, 99, 90), 0);
    Text_Out(TA_BOTTOM | TA_RIGHT, RGB(255, 255, 255), 300, 200, "right");
    int white_left = 0, white_right = 0;
    for (int y = 180; y < 200; ++y)
        for (int x = 200; x < 320; ++x) (x < 300 ? white_left : white_right) += Pixel(BACK, x, y) == 0xFFFF;
    EXPECT_GT(white_left, 10);
    EXPECT_EQ(white_right, 0);
}

TEST_F(MessageTest, MissingFontFilesAskToQuit) {
    Free_Fonts();
    std::filesystem::rename(root / "artwork" / "system" / "SERIFE.FON", root / "serife.bak");
    backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Init_Fonts();
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load font!", "/SERIFE.FON",
                                           "No such file or directory", true));
    Free_Fonts();
    ASSERT_EQ(backend().boxes.size(), 2u);
    EXPECT_EQ(backend().boxes[1].caption, "Can't remove font!");
    // A file that is there but holds no font says so.
    std::ofstream(root / "artwork" / "system" / "SERIFE.FON") << "not a font";
    backend().boxes.clear();
    Init_Fonts();
    ASSERT_GE(backend().boxes.size(), 1u);
    EXPECT_TRUE(
        fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load font!", "/SERIFE.FON", "no bitmap font", true));
    Free_Fonts();
    std::filesystem::rename(root / "serife.bak", root / "artwork" / "system" / "SERIFE.FON");
    backend().boxes.clear();
    Init_Fonts();
}

}  // namespace
