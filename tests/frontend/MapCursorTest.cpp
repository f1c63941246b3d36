// The map cursor: its marks follow the mouse from field to field, leave with
// it, sit at the foot of raised fields too, and mark an area around the
// field while an act aims at one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "frontend/Controls.h"
#include "frontend/GameLoop.h"
#include "frontend/MapCursor.h"
#include "frontend/MapView.h"
#include "frontend/SystemSprites.h"
#include "support/HeadlessFixture.h"
#include "support/WorldBuilder.h"

namespace {

struct mark {
    int row, frame;
    bool operator==(const mark&) const = default;
};
using marks = std::vector<mark>;

class MapCursor : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        fixture::Reset_World(10, 8, 2);
        ScreenType = SCREEN_HEXAMAP;
        Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
        scroll_x = scroll_y = 0;
        shown_level = 0;
        cursor_type = 0;
        cursor_field = NO_FIELD;
        cursor_x = cursor_y = cursor_level = -1;
        marked_area.clear();
        redraw_request = view_scrolled = 0;
    }
    void TearDown() override {
        ScreenType = SCREEN_NONE;
        cursor_type = 0;
        cursor_field = NO_FIELD;
        area_offsets = Area_Shape(1, 0);
        redraw_request = view_scrolled = 0;
        HeadlessTest::TearDown();
    }

    // The screen point at a field's anchor on the shown level.
    static POINT At(int col, int row) {
        return {map_view.left + col * MAP_FIELD_WIDTH + row * MAP_ROW_STEP - scroll_x,
                map_view.top + row * MAP_ROW_STEP - scroll_y};
    }
    static void Move_To(int col, int row) {
        const POINT p = At(col, row);
        Track_Cursor_Field(p.x, p.y, 0);
    }
    // The map animations on a field, in list order, sorted for comparing.
    static marks Marks_On(int col, int row, int level = 0) {
        marks out;
        obj_ref cur = Make_Obj(OBJ_FIXITEM, Field_Index(col, row, level));
        for (int steps = 0; steps < 100; ++steps) {
            Next_Object(cur);
            if (Obj_Kind(cur) == OBJ_NONE) break;
            if (Obj_Kind(cur) == OBJ_MAPANIM)
                out.push_back({mapanim.records[Obj_Index(cur)].type, mapanim.records[Obj_Index(cur)].frame});
        }
        std::sort(out.begin(), out.end(), [](const mark& a, const mark& b) { return a.row < b.row; });
        return out;
    }
    static int Marks_On_Map() {
        int n = 0;
        for (const mapanim_record& r : mapanim.records) n += r.type != 0;
        return n;
    }
};

const marks normal{{ANIM_CURSOR_FRONT, 0}, {ANIM_CURSOR_BACK, 0}};

TEST_F(MapCursor, MarksFollowTheMouseFromFieldToField) {
    Move_To(3, 2);
    EXPECT_EQ(cursor_field, Field_Index(3, 2, 0));
    EXPECT_EQ(cursor_x, 3);
    EXPECT_EQ(cursor_y, 2);
    EXPECT_EQ(cursor_level, 0);
    EXPECT_EQ(Marks_On(3, 2), normal);
    EXPECT_EQ(redraw_request, 1u);

    // Within one field nothing changes.
    redraw_request = 0;
    const POINT p = At(3, 2);
    Track_Cursor_Field(p.x + 5, p.y - 3, 0);
    EXPECT_EQ(redraw_request, 0u);
    EXPECT_EQ(Marks_On_Map(), 2);

    Move_To(4, 2);
    EXPECT_TRUE(Marks_On(3, 2).empty()) << "the old marks go";
    EXPECT_EQ(Marks_On(4, 2), normal);
    EXPECT_EQ(redraw_request, 1u);
}

TEST_F(MapCursor, LeavingTheViewTakesTheMarksWithoutARedraw) {
    Move_To(2, 2);
    redraw_request = 0;
    Track_Cursor_Field(map_view.right, 100, 0);
    EXPECT_EQ(Marks_On_Map(), 0);
    EXPECT_EQ(cursor_field, NO_FIELD);
    EXPECT_EQ(cursor_x, -1);
    EXPECT_EQ(cursor_level, -1);
    EXPECT_EQ(redraw_request, 0u);

    // In the view but off the map: the marks go and the view is redrawn.
    Move_To(2, 2);
    redraw_request = 0;
    Move_To(2, 12);
    EXPECT_EQ(Marks_On_Map(), 0);
    EXPECT_EQ(cursor_field, NO_FIELD);
    EXPECT_EQ(redraw_request, 1u);
    // ... once: off the map again changes nothing.
    redraw_request = 0;
    Move_To(3, 12);
    EXPECT_EQ(redraw_request, 0u);
}

TEST_F(MapCursor, RaisedFieldsGetTheFootMarksToo) {
    struct raise_case {
        const char* what;
        std::uint16_t word;
        bool foot;
    };
    const raise_case cases[] = {
        {"flat", 0, false},
        {"elevation 1", 1, false},
        {"elevation 2", 2, true},
        {"a hill program", MF_HEIGHT_PROGRAM, true},
    };
    for (const raise_case& c : cases) {
        mapfield[Field_Index(5, 5, 0)] = c.word;
        Move_To(5, 5);
        marks want = normal;
        if (c.foot) want.insert(want.begin(), {{ANIM_CURSOR_FOOT_FRONT, 0}, {ANIM_CURSOR_FOOT_BACK, 0}});
        EXPECT_EQ(Marks_On(5, 5), want) << c.what;
        Move_To(1, 1);
        EXPECT_TRUE(Marks_On(5, 5).empty()) << c.what << ": all marks go";
    }
}

TEST_F(MapCursor, AnAimedAreaMarksItsFieldsOnTheMap) {
    Move_To(0, 3);
    // A line pattern: the centre, then fields either side, two off the map.
    static const area_offset line[] = {{0, 0}, {1, 0}, {-1, 0}, {2, 0}, {-2, 0}};
    static const area_shape shape{line, 5};
    area_offsets = &shape;
    Set_Cursor_Type(3);
    EXPECT_EQ(Marks_On(0, 3), (marks{{ANIM_TARGET_FRONT, 1}, {ANIM_TARGET_BACK, 1}}));
    EXPECT_EQ(Marks_On(1, 3), (marks{{ANIM_TARGET_BACK, 1}}));
    EXPECT_EQ(Marks_On(2, 3), (marks{{ANIM_TARGET_BACK, 1}}));
    EXPECT_EQ(Marks_On_Map(), 4) << "the fields left of column 0 are skipped";

    // The marked area is the one put down, even when the act's changes.
    static const area_offset single[] = {{0, 0}};
    static const area_shape one{single, 1};
    area_offsets = &one;
    Set_Cursor_Type(0);
    EXPECT_EQ(Marks_On(0, 3), normal);
    EXPECT_EQ(Marks_On_Map(), 2);

    // Type 2 marks the single target with frame 0.
    Set_Cursor_Type(2);
    EXPECT_EQ(Marks_On(0, 3), (marks{{ANIM_TARGET_FRONT, 0}, {ANIM_TARGET_BACK, 0}}));
}

TEST_F(MapCursor, MouseMoveTracksOnlyOnTheMapScreensAndNotRightAfterAScroll) {
    const POINT p = At(2, 2);
    view_scrolled = 1;
    Control_Mouse_Move(p.x, p.y, 0);
    EXPECT_EQ(cursor_field, NO_FIELD);
    view_scrolled = 0;
    ScreenType = SCREEN_INVENTORY;
    Control_Mouse_Move(p.x, p.y, 0);
    EXPECT_EQ(cursor_field, NO_FIELD);
    ScreenType = SCREEN_HEXAMAP;
    Control_Mouse_Move(p.x, p.y, 0);
    EXPECT_EQ(cursor_field, Field_Index(2, 2, 0));
}

}  // namespace
