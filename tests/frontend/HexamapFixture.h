// The game started on the small map to play on (fixture::Play_Folder), the
// mouse away from the screen's edges, with helpers that find characters,
// click fields and read the acts the characters were given.
#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/Map.h"
#include "Objects/Requests.h"
#include "support/GameFolder.h"
#include "support/LinkedFolder.h"
#include "tests/frontend/GameFixture.h"

class HexamapTest : public GameTest {
  protected:
    void SetUp() override {
        // A folder of the test's own: a test play writes "Test.map" there.
        folder =
            fixture::Linked_Folder(fixture::Play_Folder(), fixture::Own_Temp_Folder("orvex-hexamap"), TEST_MAP_NAME);
        GameTest::SetUp();
        // The mouse away from the edges that scroll the view.
        backend().cursor_pos = {320, 240};
        Tick();
        Idle();
    }
    void TearDown() override {
        GameTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    static std::uint16_t Char_Named(const char* name) {
        for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
            if (Char_In_Use(c) && std::strcmp(chararray.records[c].name, name) == 0) return c;
        return NO_INDEX;
    }
    static std::uint16_t Field_Of(std::uint16_t c) {
        return Field_Index(static_cast<std::uint32_t>(chararray.records[c].x),
                           static_cast<std::uint32_t>(chararray.records[c].y), 0);
    }
    // A screen point inside field (x, y) of the shown level.
    static POINT Field_Point(std::uint32_t x, std::uint32_t y) {
        return {static_cast<LONG>(x * 42 + y * 21 - scroll_x + map_view.left),
                static_cast<LONG>(y * 21 - scroll_y + map_view.top - 4)};
    }
    void Move_To(POINT p, WPARAM flags = 0) {
        backend().cursor_pos = p;
        Mouse_Move(p.x, p.y, flags);
    }
    void Click_At(POINT p, WPARAM flags = 0) {
        Move_To(p, flags);
        Post(WM_LBUTTONDOWN, MK_LBUTTON | flags, MAKELPARAM(p.x, p.y));
    }
    void Right_Click_At(POINT p, WPARAM flags = 0) {
        Move_To(p, flags);
        Post(WM_RBUTTONDOWN, MK_RBUTTON | flags, MAKELPARAM(p.x, p.y));
    }
    void Click_Field(std::uint32_t x, std::uint32_t y, WPARAM flags = 0) { Click_At(Field_Point(x, y), flags); }
    void Click_Char(std::uint16_t c, WPARAM flags = 0) {
        Click_Field(static_cast<std::uint32_t>(chararray.records[c].x),
                    static_cast<std::uint32_t>(chararray.records[c].y), flags);
    }
    void Press(UINT key) {
        Key_Down(key);
        Key_Up(key);
    }

    // The user command character c was given last, or nullptr.
    static const act_entry* User_Command(std::uint16_t c) {
        const std::uint16_t slot = chararray.records[c].ai_slot;
        if (slot >= iqarray.Capacity()) return nullptr;
        for (std::uint16_t a = iqarray.records[slot].first_act, n = 0;
             a < actarray.Capacity() && n < actarray.Capacity(); a = actarray.records[a].next, ++n)
            if (actarray.records[a].type & ACT_USER_COMMAND) return &actarray.records[a];
        return nullptr;
    }
    static std::uint16_t Command_Kind(std::uint16_t c) {
        const act_entry* e = User_Command(c);
        return e != nullptr ? static_cast<std::uint16_t>(e->type & ACT_KIND_MASK) : std::uint16_t{ACT_NONE};
    }
    static obj_ref Command_Target(std::uint16_t c) {
        const act_entry* e = User_Command(c);
        return e != nullptr ? e->target : NOOBJ;
    }
    void Select_Party() { Click_At({99, 441}); }
};
