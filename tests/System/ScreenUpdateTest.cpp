#include <gtest/gtest.h>

#include "System/DisplayFixture.h"
#include "System/Dys.h"
#include "System/Hooks.h"

namespace {

TEST_F(DisplayTest, StartUpShowsTheTitleAndWaits) {
    // The title picture (index 7 everywhere) went to the screen and the
    // start-up waited 2.5 s for it.
    EXPECT_EQ(Pixel(primary_surface, 0, 0), Pixel_From_Colour(primary_surface->Layout(), RGB(7, 21, 248)));
    EXPECT_EQ(Pixel(primary_surface, 639, 479), Pixel(primary_surface, 0, 0));
    EXPECT_EQ(backend().slept_ms, 2500u);
    EXPECT_EQ(Pixel(BACK, 320, 240), 0);  // BACK starts black
    // Nothing is done a second time while the surfaces are ready.
    LPDIRECTDRAWSURFACE back = BACK;
    EXPECT_EQ(Create_Surfaces(), 1);
    EXPECT_EQ(BACK, back);
}

TEST_F(DisplayTest, UpdateScreenOfNoRectCopiesAll) {
    Fill_Pattern(BACK);
    EXPECT_EQ(Update_Screen(nullptr), 1);
    EXPECT_EQ(Snapshot(primary_surface), Snapshot(BACK));
    RECT dirty{};
    ASSERT_TRUE(Display_Primary()->Take_Dirty_Rect(dirty));
    EXPECT_EQ(dirty.left, 0);
    EXPECT_EQ(dirty.top, 0);
    EXPECT_EQ(dirty.right, 640);
    EXPECT_EQ(dirty.bottom, 480);
    // The clip rect is left on the copied rectangle.
    EXPECT_EQ(clip_rect.right, 640);
}

TEST_F(DisplayTest, UpdateScreenOfARectCopiesOnlyIt) {
    const auto before = Snapshot(primary_surface);
    Fill_Pattern(BACK);
    RECT r{100, 50, 140, 70};
    EXPECT_EQ(Update_Screen(&r), 1);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            bool inside = x >= 100 && x < 140 && y >= 50 && y < 70;
            ASSERT_EQ(Pixel(primary_surface, x, y), inside ? Pixel(BACK, x, y) : before[y * 640 + x]) << x << "," << y;
        }
    RECT dirty{};
    ASSERT_TRUE(Display_Primary()->Take_Dirty_Rect(dirty));
    EXPECT_EQ(dirty.left, 100);
    EXPECT_EQ(dirty.bottom, 70);
    EXPECT_EQ(clip_rect.left, 100);
    EXPECT_EQ(clip_rect.bottom, 70);
}

TEST_F(DisplayTest, UpdateScreenOfAnEmptyRectOrBeforeTheSurfacesDoesNothing) {
    Fill_Pattern(BACK);
    const auto before = Snapshot(primary_surface);
    for (RECT r : {RECT{10, 10, 10, 20}, RECT{10, 20, 30, 20}, RECT{50, 50, 40, 60}, RECT{700, 0, 800, 10}})
        EXPECT_EQ(Update_Screen(&r), 0);
    surfaces_ready = 0;
    EXPECT_EQ(Update_Screen(nullptr), 0);
    surfaces_ready = 1;
    EXPECT_EQ(Snapshot(primary_surface), before);
    RECT dirty{};
    EXPECT_FALSE(Display_Primary()->Take_Dirty_Rect(dirty));
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(DisplayTest, UnsupportedModeRefusesTheDisplay) {
    Close_Display();
    Display_Options().unsupported_mode = true;
    Init_DirectDraw();
    EXPECT_EQ(Create_Surfaces(), 0);
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_EQ(backend().boxes[0].caption, "This application can't work in this resolution.");
    EXPECT_EQ(backend().boxes[0].text,
              "Please choose different resolution!\n\n(Click start, then settings->control panel,\n"
              "double click display, then click settings!)");
    EXPECT_EQ(backend().boxes[0].Icon(), MB_ICONSTOP);
    EXPECT_EQ(direct_draw, nullptr);
    EXPECT_EQ(Create_Surfaces(), 0);
    Release_DirectDraw();
    EXPECT_EQ(display_released, 1);
    Display_Options().unsupported_mode = false;
    backend().boxes.clear();
    Open_Display();
}

TEST_F(DisplayTest, ReleaseFreesTheMapArtworkThenEverySurface) {
    static int freed = 0;
    freed = 0;
    Set_Free_Map_Artwork_Hook([] {
        ++freed;
        EXPECT_NE(BACK, nullptr);  // the artwork goes before the surfaces
    });
    Release_Surfaces();
    Set_Free_Map_Artwork_Hook(nullptr);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(surfaces_ready, 0);
    EXPECT_EQ(BACK, nullptr);
    EXPECT_EQ(primary_surface, nullptr);
    EXPECT_EQ(palette_object, nullptr);
    EXPECT_EQ(Live_Surface_Count(), 0);
    Release_Surfaces();  // a second time does nothing
    EXPECT_EQ(freed, 1);
    Release_DirectDraw();
    EXPECT_EQ(display_released, 1);
    EXPECT_EQ(Create_Surfaces(), 0);
}

TEST_F(DisplayTest, FillAndClearWorkOnTheClipRect) {
    Fill(BACK, 0x1111);
    Set_Clip_Rect(10, 20, 30, 40);
    Clear_Back_Buffer();
    EXPECT_EQ(Pixel(BACK, 10, 20), 0);
    EXPECT_EQ(Pixel(BACK, 29, 39), 0);
    EXPECT_EQ(Pixel(BACK, 30, 39), 0x1111);
    Fill_Back_Rect({-10, -10, 5, 5}, 0x2222);  // cut to BACK
    EXPECT_EQ(Pixel(BACK, 0, 0), 0x2222);
    Clear_Screen();
    EXPECT_EQ(Pixel(BACK, 639, 479), 0);
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(DisplayTest, ClipRectKeepsOneSavedCopy) {
    Set_Clip_Rect(1, 2, 3, 4);
    Set_Clip_Rect(5, 6, 7, 8);
    Restore_Clip_Rect();
    EXPECT_EQ(clip_rect.left, 1);  // the first of the two, not the initial rect
    EXPECT_EQ(clip_rect.bottom, 4);
    Set_Full_Clip();
    EXPECT_EQ(clip_rect.right, 640);
    EXPECT_EQ(saved_clip_rect.left, 1);
}

// ---- the software cursor -------------------------------------------------

// A run-length sprite of one 4 x 4 frame: index 30 at its top-left (the
// hot spot), 31 elsewhere.
sprite* Cursor_Sprite() {
    std::vector<std::uint8_t> pixels(16, 31);
    pixels[0] = 30;
    DysImage image;
    image.width = image.height = 4;
    image.frames.push_back({0, 0, Encode_Dys_Runs(4, 4, pixels.data(), 0)});
    static int n = 0;
    std::string name = "cursor" + std::to_string(n++);
    EXPECT_TRUE(Write_Dys(Working_Folder() / (name + ".dys"), image));
    return Load_DYS(name.c_str());
}

// Ten frames of one pixel: digit d is index 10 + d.
sprite* Digit_Sprite() {
    DysImage image;
    image.width = image.height = 1;
    for (std::uint8_t d = 0; d < 10; ++d) {
        std::uint8_t pixel = static_cast<std::uint8_t>(10 + d);
        image.frames.push_back({0, 0, Encode_Dys_Runs(1, 1, &pixel, 0)});
    }
    EXPECT_TRUE(Write_Dys(Working_Folder() / "digits.dys", image));
    return Load_DYS("digits");
}

class CursorTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        cursor = Cursor_Sprite();
        ASSERT_EQ(cursor->frames, 1);
        Fill_Pattern(BACK);
        Set_DD_Cursor(cursor, 0, 0, 0, 0);
    }
    void TearDown() override {
        Release_Sprite(cursor);
        DisplayTest::TearDown();
    }
    sprite* cursor = nullptr;
};

TEST_F(CursorTest, CornersCutTheBoxAndItsSourceAlike) {
    struct Corner {
        int x, y;
    };
    for (Corner c : {Corner{0, 0}, Corner{639, 0}, Corner{0, 479}, Corner{639, 479}, Corner{5, 470}}) {
        Fill(primary_surface, 0x0F0F);
        dd_cursor.mouse_x = c.x;
        dd_cursor.mouse_y = c.y;
        Draw_DD_Cursor();
        const int left = std::max(c.x - 32, 0), top = std::max(c.y - 48, 0);
        const int right = std::min(c.x + 32, 640), bottom = std::min(c.y + 48, 480);
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                std::uint16_t want = 0x0F0F;
                if (x >= left && x < right && y >= top && y < bottom) {
                    want = Pixel(BACK, x, y);  // the box shows BACK where it is, unstretched
                    int dx = x - c.x, dy = y - c.y;
                    if (dx >= 0 && dx < 4 && dy >= 0 && dy < 4) want = Shade(dx == 0 && dy == 0 ? 30 : 31);
                }
                ASSERT_EQ(Pixel(primary_surface, x, y), want) << c.x << "," << c.y << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(CursorTest, TheNumberIsDrawnDigitByDigitFromTheRight) {
    sprite* digits = Digit_Sprite();
    dd_cursor.digits = digits;
    dd_cursor.mouse_x = 100;
    dd_cursor.mouse_y = 100;
    Set_Cursor_Number(105, 20, 10);
    Draw_DD_Cursor();
    // The count's x is the rightmost digit's; each further digit 7 to the left.
    EXPECT_EQ(Pixel(primary_surface, 120, 110), Shade(15));
    EXPECT_EQ(Pixel(primary_surface, 113, 110), Shade(10));
    EXPECT_EQ(Pixel(primary_surface, 106, 110), Shade(11));
    EXPECT_EQ(Pixel(primary_surface, 99, 110), Pixel(BACK, 99, 110));
    // A new cursor has no number; a count of 0 shows none.
    Set_DD_Cursor(cursor, 0, 0, 0, 0);
    EXPECT_EQ(dd_cursor.count, 0);
    Draw_DD_Cursor();
    EXPECT_EQ(Pixel(primary_surface, 120, 110), Pixel(BACK, 120, 110));
    Release_Sprite(digits);
}

TEST_F(CursorTest, MovingRedrawsWhereItWasAfterTheVerticalBlank) {
    dd_cursor.mouse_x = dd_cursor.prev_x = 200;
    dd_cursor.mouse_y = dd_cursor.prev_y = 200;
    Move_DD_Cursor();  // not moved: nothing
    EXPECT_EQ(backend().vertical_blanks, 0);
    Draw_DD_Cursor();
    ASSERT_EQ(Pixel(primary_surface, 200, 200), Shade(30));
    dd_cursor.mouse_x = 300;
    Move_DD_Cursor();
    EXPECT_EQ(backend().vertical_blanks, 1);
    EXPECT_EQ(Pixel(primary_surface, 200, 200), Pixel(BACK, 200, 200));  // the old one is gone
    EXPECT_EQ(Pixel(primary_surface, 300, 200), Shade(30));
    Hide_DD_Cursor();
    dd_cursor.prev_x = 300;
    dd_cursor.mouse_x = 400;
    Move_DD_Cursor();
    EXPECT_EQ(backend().vertical_blanks, 1);
}

}  // namespace
