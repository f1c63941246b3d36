// The screens' control tables: finding a row by point and by key, the mouse
// move with texts and hover events, clicks at the last move's position,
// keys blocked by Ctrl, and the pressed look of buttons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/VirtualKeys.h"
#include "tests/frontend/GameFixture.h"

namespace {

struct call {
    int row;
    std::uint32_t flags;
    int event;
    bool operator==(const call&) const = default;
};
std::vector<call> calls;

template <int N>
void Record(std::uint32_t flags, int event) {
    calls.push_back({N, flags, event});
}

// Row 0 and row 2 share a rectangle; row 1 is for keys alone; rows 0 and 3
// share a key.
control_row test_rows[] = {
    Control_Row(100, 100, 199, 149, &Record<0>, 'A'),
    Control_Row(0, 0, 0, 0, &Record<1>, VK_LEFT, VK_NUMPAD4, "Step left"),
    Control_Row(100, 100, 199, 149, &Record<2>, 'C', 0, "Second"),
    Control_Row(300, 300, 309, 309, &Record<3>, 'A', 0, "Tip"),
    End_Row(),
};

// The table stands in for the inventory's while a test runs.
class Controls : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        saved_ = screen_controls[SCREEN_INVENTORY];
        screen_controls[SCREEN_INVENTORY] = test_rows;
        ScreenType = SCREEN_INVENTORY;
        calls.clear();
        key_flags = 0;
        message_line.text[0] = '\0';
    }
    void TearDown() override {
        screen_controls[SCREEN_INVENTORY] = saved_;
        ScreenType = SCREEN_NONE;
        pressed_control = nullptr;
        for (control_row& r : test_rows) r.state = PRESS_UP;
        key_flags = 0;
        HeadlessTest::TearDown();
    }
    static int Row_Of(const control_row* r) { return static_cast<int>(r - test_rows); }

  private:
    control_row* saved_ = nullptr;
};

TEST_F(Controls, FindsTheFirstRowHoldingAPoint) {
    struct point_case {
        const char* what;
        int x, y, row;
    };
    const point_case cases[] = {
        {"inside", 150, 120, 0},
        {"two equal rows: the first", 100, 100, 0},
        {"right and bottom edges are inside", 199, 149, 0},
        {"past the right edge", 200, 120, 4},
        {"past the bottom edge", 150, 150, 4},
        {"pixel (0, 0): the first row for keys alone", 0, 0, 1},
        {"pixel (1, 0)", 1, 0, 4},
        {"a one-row rectangle's corner", 309, 309, 3},
    };
    for (const point_case& c : cases) EXPECT_EQ(Row_Of(Find_Control_At(c.x, c.y)), c.row) << c.what;
}

TEST_F(Controls, FindsTheFirstRowBoundToAKey) {
    EXPECT_EQ(Row_Of(Find_Control_By_Key('A')), 0) << "the first of two rows with the key";
    EXPECT_EQ(Row_Of(Find_Control_By_Key(VK_NUMPAD4)), 1) << "the second key";
    EXPECT_EQ(Row_Of(Find_Control_By_Key('C')), 2) << "a row behind another reached by its key";
    EXPECT_EQ(Row_Of(Find_Control_By_Key('Z')), 4);
    EXPECT_EQ(Row_Of(Find_Control_By_Key(0)), 4) << "0 is no key, though most rows have none";
    ScreenType = SCREEN_NONE;
    EXPECT_EQ(Find_Control_By_Key('A')->handler, 0u) << "the screen without controls";
    EXPECT_EQ(Find_Control_At(0, 0)->handler, 0u);
}

TEST_F(Controls, MouseMoveShowsTheTextOrSendsAHoverEvent) {
    Control_Mouse_Move(305, 305, MK_SHIFT);
    EXPECT_STREQ(message_line.text, "Tip");
    EXPECT_TRUE(calls.empty()) << "a row with a text gets no hover event";
    EXPECT_EQ(mouse_x, 305);
    EXPECT_EQ(mouse_y, 305);

    Control_Mouse_Move(120, 110, MK_SHIFT | MK_LBUTTON);
    EXPECT_EQ(calls, (std::vector<call>{{0, MK_SHIFT | MK_LBUTTON, EVENT_HOVER}}));
    EXPECT_STREQ(message_line.text, "Tip") << "a hover leaves the line alone";

    Control_Mouse_Move(500, 400, 0);
    EXPECT_STREQ(message_line.text, "") << "no row: the line is cleared";
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(Controls, ClicksActAtTheLastMovePosition) {
    Control_Mouse_Move(120, 110, 0);
    calls.clear();
    Control_Left_Down(MK_LBUTTON);
    Control_Right_Down(MK_RBUTTON | MK_CONTROL);
    EXPECT_EQ(calls,
              (std::vector<call>{{0, MK_LBUTTON, EVENT_CLICK}, {0, MK_RBUTTON | MK_CONTROL, EVENT_RIGHT_CLICK}}));
    Control_Mouse_Move(600, 5, 0);
    calls.clear();
    Control_Left_Down(MK_LBUTTON);
    EXPECT_TRUE(calls.empty()) << "a click on no row does nothing";
}

TEST_F(Controls, KeysReachTheirRowUnlessCtrlIsHeld) {
    Dispatch_Key(VK_NUMPAD4);
    Dispatch_Key('Z');
    EXPECT_EQ(calls, (std::vector<call>{{1, 0, EVENT_CLICK}}));
    calls.clear();
    key_flags = 16;
    Dispatch_Key(VK_LEFT);
    Dispatch_Key('C');
    EXPECT_TRUE(calls.empty());
}

TEST_F(Controls, HandlersKeepOneHandleEach) {
    const std::uint32_t a = Control_Handler_Handle(&Record<0>);
    EXPECT_NE(a, 0u);
    EXPECT_EQ(Control_Handler_Handle(&Record<0>), a);
    EXPECT_NE(Control_Handler_Handle(&Record<1>), a);
    EXPECT_EQ(Control_Handler_From(a), &Record<0>);
    EXPECT_EQ(Control_Handler_Handle(nullptr), 0u);
    EXPECT_EQ(Control_Handler_From(0), nullptr);
    EXPECT_EQ(Control_Handler_From(0xFFFFFF), nullptr);
}

// The pressed look on the game's screen, with the button pictures loaded.
class PressedLook : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Sample_World(12, 12);
        quit = &hexamap_controls[4];
        ASSERT_EQ(quit->picture, 16);
    }
    void TearDown() override {
        quit->state = PRESS_UP;
        GameTest::TearDown();
    }
    std::vector<std::uint16_t> Button() const {
        std::vector<std::uint16_t> out;
        for (int y = quit->top; y <= quit->bottom; ++y)
            for (int x = quit->left; x <= quit->right; ++x)
                out.push_back(reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x]);
        return out;
    }
    control_row* quit = nullptr;
};

TEST_F(PressedLook, ClickShowsTheButtonDownForTwoTicksAndADoublePressRestarts) {
    Release_Pressed_Control();
    Press_Control(quit);
    const std::vector<std::uint16_t> down = Button();
    EXPECT_EQ(quit->state, 2);
    EXPECT_EQ(pressed_control, quit);
    Tick_Pressed_Control();
    EXPECT_EQ(quit->state, 1);
    Press_Control(quit);
    EXPECT_EQ(quit->state, 2) << "a second press restarts the count-down";
    Tick_Pressed_Control();
    EXPECT_EQ(Button(), down) << "still down after one tick";
    Tick_Pressed_Control();
    EXPECT_EQ(quit->state, 0);
    EXPECT_EQ(pressed_control, nullptr);
    const std::vector<std::uint16_t> up = Button();
    EXPECT_NE(up, down);

    // Through the game's tick, the same count-down.
    Mouse_Move(590, 360);
    Post(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(Button(), down);
    EXPECT_EQ(backend().boxes.size(), 1u) << "the click reached the quit control";
    Tick();
    Tick();
    EXPECT_EQ(Button(), up);
}

TEST_F(PressedLook, HeldButtonsStayDownUntilReleasedAndAreRedrawn) {
    Press_Control(quit);
    const std::vector<std::uint16_t> down = Button();
    Hold_Pressed_Control();
    EXPECT_EQ(quit->state, PRESS_HELD);
    EXPECT_EQ(pressed_control, nullptr);
    for (int i = 0; i < 3; ++i) Tick_Pressed_Control();
    EXPECT_EQ(Button(), down);

    // A new screen picture brings the held button back.
    Init_ScreenType();
    EXPECT_EQ(Button(), down);

    pressed_control = quit;
    Release_Pressed_Control();
    EXPECT_EQ(quit->state, PRESS_UP);
    EXPECT_NE(Button(), down);

    // A right click presses nothing; a row without a picture neither.
    Mouse_Move(590, 360);
    Post(WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_EQ(pressed_control, nullptr);
    Press_Control(&hexamap_controls[0]);
    EXPECT_EQ(pressed_control, nullptr);
}

}  // namespace
