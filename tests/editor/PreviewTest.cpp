// The preview strip: its cell arithmetic, choosing frames by click and by
// the arrow keys, and pictures that cannot be shown.
#include "tests/editor/EditorFixture.h"

#include "System/Sprite.h"
#include "tools/writers/DysWriter.h"

namespace {

TEST(PreviewArithmetic, AClickCountsCellsFromTheCentreCellTowardMinusInfinity) {
    const struct {
        int x, offset;
    } cases[] = {{289, -1}, {290, 0}, {359, 0}, {360, 1}, {149, -3}, {220, -1}, {219, -2}, {430, 2}};
    for (const auto& c : cases) EXPECT_EQ(Preview_Click_Offset(c.x, 70), c.offset) << "x " << c.x;
}

TEST(PreviewArithmetic, TheBandIsCentredWhenTheSpriteFitsElseTheWholeStrip) {
    EXPECT_EQ(Preview_Band(50).top, 370 + 27);
    EXPECT_EQ(Preview_Band(50).bottom, 370 + 27 + 56);
    EXPECT_EQ(Preview_Band(104).top, 370) << "104 + 6 fills the strip exactly";
    EXPECT_EQ(Preview_Band(104).bottom, 480);
    EXPECT_EQ(Preview_Band(105).top, 370);
    EXPECT_EQ(Preview_Band(105).bottom, 480);
    EXPECT_EQ(Preview_Cell_Count(70), 5);
    EXPECT_EQ(Preview_First_Cell_X(70, 5, 10), 325 - 140 - 35 + 10 + 3);
}

using Preview = EditorTest;

TEST_F(Preview, ACharactersFacingsStopAtTheFirstAndTheLast) {
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    ASSERT_NE(preview_owned_sprite, nullptr);
    EXPECT_EQ(preview_frame, 0);
    Editor_Hot_Key(HOT_KEY_PREV_FRAME);
    EXPECT_EQ(preview_frame, 0);
    for (int i = 0; i < 8; ++i) Editor_Hot_Key(HOT_KEY_NEXT_FRAME);
    EXPECT_EQ(preview_frame, 5);
    // A click two cells left of the centre cell.
    mouse_x = (650 - preview_cell_width) / 2 - preview_cell_width - 1;
    Editor_Preview_Click(0, EVENT_CLICK);
    EXPECT_EQ(preview_frame, 3);
    mouse_x = (650 - preview_cell_width) / 2 + 1;
    Editor_Preview_Click(0, EVENT_CLICK);
    EXPECT_EQ(preview_frame, 3) << "the centre cell keeps it";
}

TEST_F(Preview, TheArrowsAndClicksDoNothingForAnItem) {
    item_types[sword].picture = 4;
    Select_Type(OBJ_ITEM, sword);
    EXPECT_EQ(preview_frame, 4);
    Editor_Hot_Key(HOT_KEY_NEXT_FRAME);
    Editor_Hot_Key(HOT_KEY_PREV_FRAME);
    mouse_x = 130;
    Editor_Preview_Click(0, EVENT_CLICK);
    EXPECT_EQ(preview_frame, 4);
}

TEST_F(Preview, AFixitemsFramesStopAtItsLastFrame) {
    Select_Type(OBJ_FIXITEM, DB_DOOR);
    ASSERT_NE(preview_owned_sprite, nullptr);
    const int frames = preview_owned_sprite->frames;
    ASSERT_GT(frames, 1);
    for (int i = 0; i < frames + 3; ++i) Editor_Hot_Key(HOT_KEY_NEXT_FRAME);
    EXPECT_EQ(preview_frame, frames - 1);
    Select_Type(OBJ_FIXITEM, DB_RESERVED);
    EXPECT_EQ(preview_owned_sprite, nullptr) << "record 0 has no picture";
    EXPECT_EQ(preview_sprite, 0u);
}

TEST_F(Preview, APictureThatCannotBeReadLeavesTheStripEmptyAndSaysSo) {
    const std::uint16_t broken = Add_Db_Char("Broken", "NOSUCH");
    const std::uint16_t bad = Add_Db_Fixitem("Bad", Db_Fixitem("NOSUCH", 0));
    Editor_Enter(0, EVENT_CLICK);
    Select_Type(OBJ_CHAR, broken);
    EXPECT_EQ(preview_owned_sprite, nullptr);
    EXPECT_EQ(editor_status, "Can't load picture: ARTWORK\\CHARS\\NOSUCH.DYS");
    Select_Type(OBJ_FIXITEM, bad);
    EXPECT_EQ(preview_owned_sprite, nullptr);
    EXPECT_EQ(editor_status, "Can't load picture: ARTWORK\\NOSUCH.BMP");
    Editor_Hot_Key(HOT_KEY_NEXT_FRAME);  // nothing shown: nothing to turn
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_FALSE(Is_Quitting());
}

// Every pixel of the strip is the background: nothing is shown.
bool Strip_Is_Empty() {
    for (int y = PREVIEW_STRIP.top; y < PREVIEW_STRIP.bottom; ++y)
        for (int x = PREVIEW_STRIP.left; x < PREVIEW_STRIP.right; ++x)
            if (reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x] != ui_background)
                return false;
    return true;
}

TEST_F(Preview, APictureWithoutFramesShowsNothing) {
    DysImage empty;
    empty.width = 30;
    empty.height = 40;
    ASSERT_TRUE(Write_Dys(folder / "EMPTY.DYS", empty));
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    ASSERT_FALSE(Strip_Is_Empty()) << "the warrior is shown";
    Editor_Show_Preview("EMPTY", 2, 0);
    ASSERT_NE(preview_owned_sprite, nullptr);
    EXPECT_EQ(preview_owned_sprite->frames, 0);
    EXPECT_TRUE(Strip_Is_Empty()) << "no centre cell, no frames";
    Editor_Hot_Key(HOT_KEY_NEXT_FRAME);
    mouse_x = 130;
    Editor_Preview_Click(0, EVENT_CLICK);
    EXPECT_TRUE(Strip_Is_Empty());
    EXPECT_TRUE(backend().boxes.empty());
}

TEST_F(Preview, APlacedObjectsPreviewIsForgottenWithTheMapThatOwnsItsPicture) {
    const std::uint16_t c = fixture::Place_Char(F(2, 2), "Shown");
    Load_Char_Sprite(c);
    Editor_List_Field_Objects(c, OBJ_CHAR);
    ASSERT_NE(preview_sprite, 0u);
    EXPECT_EQ(preview_frame, chararray.records[c].facing - 1);
    ASSERT_TRUE(Save_Map(TEST_MAP_NAME));
    Editor_Enter(0, EVENT_CLICK);
    Editor_List_Field_Objects(c, OBJ_CHAR);
    Editor_Restore_Map();
    EXPECT_EQ(preview_sprite, 0u);
    EXPECT_EQ(editor_selection, editor_selection_ref{});
    Editor_Hot_Key(HOT_KEY_NEXT_FRAME);  // draws nothing, reads no freed sprite
}

}  // namespace
