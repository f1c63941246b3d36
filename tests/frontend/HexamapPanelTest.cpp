// The game panel: heads and items at half size through the zoom surface,
// the portrait strip with its bars, the hands and quick slots of both
// panels, the big portraits and the field view.
#include <gtest/gtest.h>

#include <vector>

#include "Objects/Char/CharSprites.h"
#include "Objects/Item/Items.h"
#include "Objects/Request.h"
#include "System/ClipRect.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "frontend/HexamapPanel.h"
#include "frontend/SystemSprites.h"
#include "tests/frontend/HexamapFixture.h"

namespace {

using Panel = HexamapTest;

std::uint16_t Pixel(const IDirectDrawSurface* s, int x, int y) {
    return reinterpret_cast<const std::uint16_t*>(s->Bits() + y * s->Pitch())[x];
}

std::vector<std::uint16_t> Area(const IDirectDrawSurface* s, const RECT& r) {
    std::vector<std::uint16_t> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(Pixel(s, x, y));
    return out;
}

void Fill(IDirectDrawSurface* s, const RECT& r, std::uint16_t pixel) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) reinterpret_cast<std::uint16_t*>(s->Bits() + y * s->Pitch())[x] = pixel;
}

bool Same_Rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

constexpr std::uint16_t GROUND = 0x1234;

TEST_F(Panel, AHeadAtHalfSizeIsTheHeadDrawnInTheZoomSurfaceReducedAndTheClipStays) {
    const std::uint16_t alric = Char_Named("Alric");
    const sprite* head = Sprite_From_Handle(chararray.records[alric].head_sprite);
    ASSERT_NE(head, nullptr);
    const int x = 200, y = 300;
    const RECT box{x, y - 38, x + 32, y};
    Fill(BACK, box, GROUND);
    // Drawn as the strip draws it: with the clip rect of a portrait slot.
    Set_Clip_Rect(43, 383, 78, 428);
    const RECT clip = clip_rect;
    Put_Small_Head(x, y, head, 0, 0);
    EXPECT_TRUE(Same_Rect(clip_rect, clip)) << "the clip rect is given back";

    // The same head full size on the same ground in the zoom surface.
    Fill(ZOOM, {0, 0, 64, 76}, GROUND);
    Set_Clip_Rect(0, 0, 64, 76);
    Put_Sprite(ZOOM, 0, 75, head, 0, 0, LIGHT_PLAIN);
    int head_pixels = 0;
    for (int j = 0; j < 38; ++j)
        for (int i = 0; i < 32; ++i) {
            const std::uint16_t full = Pixel(ZOOM, 2 * i, 2 * j);
            ASSERT_EQ(Pixel(BACK, x + i, y - 38 + j), full) << i << ", " << j;
            head_pixels += full != GROUND;
        }
    EXPECT_GT(head_pixels, 200) << "the head shows";
}

TEST_F(Panel, AnItemAtHalfSizeIsCentredOnItsSlot) {
    const std::uint16_t alric = Char_Named("Alric");
    const std::uint16_t sword = static_cast<std::uint16_t>(chararray.records[alric].slots[60]);
    const item_type* t = Item_Type_Of(sword);
    ASSERT_NE(t, nullptr);
    const int w = t->size >> 4, h = t->size & 0x0F;
    const int x = 300, y = 300;
    const RECT around{x - 40, y - 40, x + 40, y + 40};
    Fill(BACK, around, GROUND);
    Set_Clip_Rect(9, 100, 78, 191);
    const RECT clip = clip_rect;
    Put_Small_Item(x, y, sword);
    EXPECT_TRUE(Same_Rect(clip_rect, clip));
    const RECT item{x - 8 * w, y - 8 * h, x + 8 * w, y + 8 * h};
    int inside = 0;
    for (int py = around.top; py < around.bottom; ++py)
        for (int px = around.left; px < around.right; ++px) {
            const bool in = px >= item.left && px < item.right && py >= item.top && py < item.bottom;
            if (!in)
                ASSERT_EQ(Pixel(BACK, px, py), GROUND) << px << ", " << py;
            else
                inside += Pixel(BACK, px, py) != GROUND;
        }
    EXPECT_GT(inside, 20) << "the picture shows";
}

TEST_F(Panel, TheStripShowsThePartyWithBarsRedrawnWhenTheyChange) {
    const std::uint16_t party[] = {Char_Named("Alric"), Char_Named("Bera"), Char_Named("Cato")};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(portrait_slots[i].character, static_cast<std::int16_t>(party[i])) << i;
    for (int i = 3; i < 6; ++i) EXPECT_EQ(portrait_slots[i].character, -1) << i;
    Portraits_Scroll_Right(0, 1);
    Portraits_Scroll_Left(0, 1);
    EXPECT_EQ(portrait_offset, 0u) << "three fit the strip";

    const portrait_slot& bera = portrait_slots[1];
    EXPECT_EQ(bera.hp_shown, 20);
    const RECT head{bera.x, bera.y - 36, bera.x + 32, bera.y + 2};
    const RECT hp_bar{bera.x + 8, bera.y - 43, bera.x + 8 + PAJZSK->width, bera.y - 43 + PAJZSK->height};
    const std::vector<std::uint16_t> bar_full = Area(BACK, hp_bar);
    Fill(BACK, head, GROUND);  // shows whether the head is drawn again
    chararray.records[party[1]].hp = 3;
    Put_Right_Field();
    EXPECT_EQ(bera.hp_shown, 3);
    EXPECT_NE(Area(BACK, hp_bar), bar_full);
    EXPECT_EQ(Area(BACK, {head.left + 6, head.top, head.right - 6, head.bottom})[0], GROUND)
        << "only the bar is drawn again";
    // The bar shows frame n - (3 * n / 20 + 1): drawing it again changes nothing.
    const std::vector<std::uint16_t> bar = Area(BACK, hp_bar);
    Set_Full_Clip();
    Put_Sprite(BACK, bera.x + 8, bera.y - 32, PAJZSK, PAJZSK->frames - (3 * PAJZSK->frames / 20 + 1), 0, LIGHT_PLAIN);
    EXPECT_EQ(Area(BACK, hp_bar), bar);
}

TEST_F(Panel, HandsShowItemsBareHandsAndNothingForAnimals) {
    const std::uint16_t alric = Char_Named("Alric");
    const hand_slot_view* left = hand_slot_views[0];
    EXPECT_EQ(left[0].item, ITEM_BARE_HAND) << "left hand";
    EXPECT_EQ(left[1].item, chararray.records[alric].slots[60]) << "the sword in the right hand";
    EXPECT_EQ(left[2].item, chararray.records[alric].slots[61]) << "the potion";
    for (int i = 3; i < 8; ++i) EXPECT_EQ(left[i].item, 0) << i;
    EXPECT_EQ(portrait_slots[LEFT_BIG_PORTRAIT].character, static_cast<std::int16_t>(alric));

    // The right panel follows the character under the cursor.
    const hand_slot_view* right = hand_slot_views[1];
    const std::uint16_t wolf = Char_Named("Wolf"), skeleton = Char_Named("Skeleton");
    Move_To(Field_Point(static_cast<std::uint32_t>(chararray.records[skeleton].x),
                        static_cast<std::uint32_t>(chararray.records[skeleton].y)));
    Tick();
    Idle();
    EXPECT_EQ(portrait_slots[RIGHT_BIG_PORTRAIT].character, static_cast<std::int16_t>(skeleton));
    EXPECT_EQ(right[0].item, ITEM_BARE_HAND);
    EXPECT_EQ(right[1].item, ITEM_BARE_HAND);
    Move_To(Field_Point(static_cast<std::uint32_t>(chararray.records[wolf].x),
                        static_cast<std::uint32_t>(chararray.records[wolf].y)));
    Tick();
    Idle();
    EXPECT_EQ(portrait_slots[RIGHT_BIG_PORTRAIT].character, static_cast<std::int16_t>(wolf));
    EXPECT_EQ(right[0].item, 0) << "an animal has no hands";
    EXPECT_EQ(right[1].item, 0);
}

TEST_F(Panel, TheFieldViewShowsWhoStandsUnderTheCursor) {
    const RECT view{567, 219, 621, 310};
    Move_To(Field_Point(7, 7));
    Tick();
    Idle();
    const std::vector<std::uint16_t> empty = Area(BACK, view);
    const std::uint16_t bera = Char_Named("Bera");
    Move_To(Field_Point(static_cast<std::uint32_t>(chararray.records[bera].x),
                        static_cast<std::uint32_t>(chararray.records[bera].y)));
    Tick();
    Idle();
    EXPECT_NE(Area(BACK, view), empty);
    EXPECT_EQ(Area(Display_Primary(), view), Area(BACK, view)) << "shown on the screen";
    Move_To({600, 200});  // off the map view
    Tick();
    Idle();
    const std::vector<std::uint16_t> none = Area(BACK, view);
    EXPECT_NE(none, empty) << "no field: the background alone";
}

TEST_F(Panel, SelectingACharacterShowsItInTheLeftPanelAtOnce) {
    const std::uint16_t cato = Char_Named("Cato");
    Select_Char(cato);
    EXPECT_EQ(portrait_slots[LEFT_BIG_PORTRAIT].character, static_cast<std::int16_t>(cato));
    Init_Portrait_Slots();
    EXPECT_EQ(portrait_slots[LEFT_BIG_PORTRAIT].character, -1);
    EXPECT_EQ(hand_slot_views[0][1].item, ITEM_NOTHING_YET);
    EXPECT_EQ(portrait_slots[2].x, 45 + 2 * 38) << "the places stay";
}

}  // namespace
