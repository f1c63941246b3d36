// Loading and freeing a map's artwork: the animation-type rows with their
// layers and flags, the built-in fixitem types, the panel sprites, the
// map's own slots, and a map naming a picture that is not there.
#include <gtest/gtest.h>

#include "Objects/Char/CharSprites.h"
#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/MapAnims.h"
#include "System/Cursor.h"
#include "System/ErrorReport.h"
#include "frontend/SystemSprites.h"
#include "support/FileFaultBox.h"
#include "tests/frontend/MapViewFixture.h"

namespace {

struct row_case {
    std::uint8_t row;
    std::uint8_t kind;
    int layer;  // -1: as the file gives it
    int flags;  // -1: left as the table held it
};

constexpr int UNTOUCHED_FLAGS = 0xC3;

class MapArtwork : public MapViewTest {
  protected:
    void SetUp() override {
        MapViewTest::SetUp();
        New_World(6, 6, 1);
        for (anim_type& t : anim_types) t.flags = UNTOUCHED_FLAGS;
        fixitem_types[SLOT_BLOOD_POOL].flags = UNTOUCHED_FLAGS;
    }
    static const sprite* Row_Sprite(std::uint8_t row) { return Sprite_From_Handle(anim_types[row].sprite); }
};

TEST_F(MapArtwork, EveryAnimationRowGetsItsSpriteLayerAndFlags) {
    Load_Map_Artwork();
    ASSERT_TRUE(backend().boxes.empty()) << backend().boxes[0].caption;
    const row_case rows[] = {
        {1, SPRITE_RUN_LENGTH, 1, 16},   {2, SPRITE_RUN_LENGTH, 129, 16}, {3, SPRITE_RUN_LENGTH, 127, 32},
        {4, SPRITE_RUN_LENGTH, 255, 32}, {5, SPRITE_BITMAP, 37, -1},      {6, SPRITE_RUN_LENGTH, 127, -1},
        {7, SPRITE_BITMAP, 255, -1},     {8, SPRITE_BITMAP, 125, 4},      {9, SPRITE_BITMAP, 125, 8},
        {10, SPRITE_BITMAP, 125, 12},    {11, SPRITE_BITMAP, 125, 16},    {12, SPRITE_BITMAP, 125, 20},
        {13, SPRITE_BITMAP, -1, -1},     {14, SPRITE_BITMAP, -1, -1},     {15, SPRITE_BITMAP, -1, -1},
        {16, SPRITE_BITMAP, -1, -1},     {17, SPRITE_BITMAP, 126, -1},    {18, SPRITE_BITMAP, 126, -1},
        {19, SPRITE_BITMAP, 126, -1},    {20, SPRITE_BITMAP, 126, -1},
    };
    for (const row_case& r : rows) {
        const sprite* s = Row_Sprite(r.row);
        ASSERT_NE(s, nullptr) << "row " << int(r.row);
        EXPECT_GE(s->frames, 1) << "row " << int(r.row);
        EXPECT_EQ(s->kind, r.kind) << "row " << int(r.row);
        // The buttons keep the layer of their files (the artwork's is 0).
        EXPECT_EQ(s->layer, r.layer >= 0 ? r.layer : 0) << "row " << int(r.row);
        EXPECT_EQ(anim_types[r.row].flags, r.flags >= 0 ? r.flags : UNTOUCHED_FLAGS) << "row " << int(r.row);
    }
    // The digit rows share one sprite, which the cursor's number uses too.
    for (std::uint8_t row = 9; row <= 12; ++row) EXPECT_EQ(anim_types[row].sprite, anim_types[8].sprite);
    EXPECT_EQ(dd_cursor.digits, Row_Sprite(8));
    EXPECT_EQ(anim_types[21].sprite, 0u);

    struct slot_case {
        std::uint8_t slot;
        int layer;
        int flags;
    };
    for (const slot_case& b :
         {slot_case{253, 128, UNTOUCHED_FLAGS}, {254, 125, FIX_ANIMATED}, {255, 126, FIX_ANIMATED}}) {
        const sprite* s = Sprite_From_Handle(fixitem_types[b.slot].sprite);
        ASSERT_NE(s, nullptr) << int(b.slot);
        EXPECT_EQ(s->layer, b.layer) << int(b.slot);
        EXPECT_EQ(fixitem_types[b.slot].flags, b.flags) << int(b.slot);
    }
    for (const sprite* s : {PAJZSK, PAJZSN, MASKGOMB, MASKABL, BELOG1, BELOG2}) ASSERT_NE(s, nullptr);
    EXPECT_EQ(Sprite_Layer(mitems_sprite), MITEMS_LAYER);
    EXPECT_NE(Sprite_From_Handle(hullak_sprite), nullptr);
    // A field without floor is impassable and fills nothing.
    EXPECT_EQ(fixitem_types[0].mp, -1);
    EXPECT_EQ(fixitem_types[0].fill, 0);
}

TEST_F(MapArtwork, TheMapsSlotsAddTheirPicturesToTheGamesOwn) {
    const int before = Live_Surface_Count();
    Load_Map_Artwork();
    // Bitmap sprites have surfaces: rows 5, 7, 8 and 13 to 20, the three
    // built-in types, the six panel sprites and the bodies' pictures.
    const int own = Live_Surface_Count() - before;
    EXPECT_EQ(own, 11 + 3 + 6 + 1);
    for (int slot = 1; slot <= 240; ++slot) EXPECT_EQ(fixitem_types[slot].sprite, 0u) << slot;
    Free_Map_Artwork();
    EXPECT_EQ(Live_Surface_Count(), before);

    Use_Slot(1, "GRASS");
    Use_Slot(7, "WALL");
    Use_Slot(240, "STONE");
    fixitem_types[7].db_index = 33;
    Load_Map_Artwork();
    EXPECT_EQ(Live_Surface_Count() - before, own + 3);
    EXPECT_EQ(Sprite_Frame_Count(fixitem_types[1].sprite), 4);
    EXPECT_EQ(Sprite_Frame_Count(fixitem_types[7].sprite), 2);
    EXPECT_NE(Sprite_From_Handle(fixitem_types[240].sprite), nullptr);
    Free_Map_Artwork();
    EXPECT_EQ(Live_Surface_Count(), before);
    EXPECT_EQ(fixitem_types[7].sprite, 0u);
    EXPECT_EQ(fixitem_types[7].db_index, 0);
}

TEST_F(MapArtwork, FreeingReleasesEachSpriteOnceAndClearsTheTables) {
    Use_Slot(3, "DOOR");
    const std::uint16_t c = fixture::Place_Char(5, "Knight");
    std::strncpy(chararray.records[c].body_name, "WARRIOR", 8);
    Load_Map_Artwork();
    std::vector<std::uint32_t> handles = {fixitem_types[3].sprite, chararray.records[c].body_sprite, items_sprite,
                                          mitems_sprite, hullak_sprite};
    for (std::uint8_t row = 1; row <= ANIM_SYSTEM_ROWS; ++row) handles.push_back(anim_types[row].sprite);
    for (std::uint8_t slot : {SLOT_BLOOD_POOL, SLOT_FLAME, SLOT_GAS}) handles.push_back(fixitem_types[slot].sprite);
    for (std::uint32_t h : handles) ASSERT_NE(Sprite_From_Handle(h), nullptr);

    Free_Map_Artwork();  // the digits' sprite, held by five rows, is released once
    for (std::uint32_t h : handles) EXPECT_EQ(Sprite_From_Handle(h), nullptr);
    for (std::uint8_t row = 1; row <= ANIM_SYSTEM_ROWS; ++row) EXPECT_EQ(anim_types[row].sprite, 0u) << int(row);
    for (const sprite* s : {PAJZSK, PAJZSN, MASKGOMB, MASKABL, BELOG1, BELOG2}) EXPECT_EQ(s, nullptr);
    EXPECT_EQ(dd_cursor.digits, nullptr);
    EXPECT_EQ(chararray.records[c].body_sprite, 0u);
    Free_Map_Artwork();  // nothing is left to release twice
}

// Values a map file leaves in the tables are not sprites of this run: they
// are replaced on loading and never released.
TEST_F(MapArtwork, ValuesReadFromAFileAreNeverReleased) {
    Load_Map_Artwork();
    Free_Map_Artwork();
    const std::uint32_t other = Register_Sprite_Info(0, 3);
    anim_types[ANIM_PATH_ARROW].sprite = other;
    fixitem_types[SLOT_GAS].sprite = other;
    fixitem_types[9].sprite = other;
    Free_Map_Artwork();
    EXPECT_NE(Sprite_From_Handle(other), nullptr);
}

TEST_F(MapArtwork, ReleasingTheSurfacesFreesTheArtwork) {
    Use_Slot(2, "TREE");
    Load_Map_Artwork();
    const std::uint32_t tree = fixitem_types[2].sprite;
    const std::uint32_t digits = anim_types[8].sprite;
    Release_Surfaces();
    EXPECT_EQ(Sprite_From_Handle(tree), nullptr);
    EXPECT_EQ(Sprite_From_Handle(digits), nullptr);
}

// A map naming a picture that is not there is told so once, however many
// slots name it, and plays on: the slot stays in use and its fields are
// drawn without the picture.
TEST_F(MapArtwork, AMissingPictureIsReportedOnceAndTheFieldDrawnWithoutIt) {
    Use_Slot(1, "NOSUCH");
    Use_Slot(2, "NOSUCH");
    Use_Slot(3, "TESTFLR0");
    Set_Floor(Field_Index(1, 1, 0), 1);
    Set_Floor(Field_Index(2, 1, 0), 2);
    Set_Floor(Field_Index(3, 1, 0), 3);
    Load_Map_Artwork();
    ASSERT_EQ(backend().boxes.size(), 1u);
    EXPECT_TRUE(fixture::Is_File_Fault_Box(backend().boxes[0], "Can't load bitmap:", "/NOSUCH.BMP",
                                           "No such file or directory", true));
    EXPECT_FALSE(Is_Quitting());
    EXPECT_EQ(fixitem_types[1].sprite, SPRITE_MISSING);
    EXPECT_EQ(fixitem_types[2].sprite, SPRITE_MISSING);

    ScreenType = SCREEN_EDITOR;
    Set_Map_View(EDITOR_VIEW.left, EDITOR_VIEW.top, EDITOR_VIEW.right, EDITOR_VIEW.bottom);
    scroll_limits = {-10000, -10000, 10000, 10000};
    scroll_x = scroll_y = 0;
    Redraw_Map();
    // Anchors: field (c, 1) at (c * 42 + 21, 21) in the view.
    auto at = [](int c) { return Pixel(map_view.left + c * 42 + 21, map_view.top + 21); };
    EXPECT_EQ(at(1), 0);
    EXPECT_EQ(at(2), 0);
    EXPECT_EQ(at(3), Shade(fixture::test_floor_colours[0], Field_Light(0)));
    EXPECT_EQ(backend().boxes.size(), 1u);
}

TEST(FootMarks, OnlyTheCursorsFootRowsAreFootMarks) {
    anim_types[1].flags = 16;
    anim_types[2].flags = 16;
    anim_types[3].flags = 32;
    anim_types[11].flags = 16;
    anim_types[12].flags = 20;
    EXPECT_TRUE(Anim_Row_Is_Foot_Mark(1));
    EXPECT_TRUE(Anim_Row_Is_Foot_Mark(2));
    EXPECT_FALSE(Anim_Row_Is_Foot_Mark(3));
    EXPECT_FALSE(Anim_Row_Is_Foot_Mark(11));
    EXPECT_FALSE(Anim_Row_Is_Foot_Mark(12));
}

}  // namespace
