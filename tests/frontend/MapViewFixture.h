// The display open on the headless backend over the default artwork's
// folder, an empty world of a given size, and helpers to put floors and
// objects on it the way a map file holds them before its artwork is loaded.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Objects/Char/CharSprites.h"
#include "Objects/Map.h"
#include "Objects/SpriteInfo.h"
#include "Objects/WorldState.h"
#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Palette.h"
#include "System/ScreenType.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "datafiles/LightMap.h"
#include "frontend/FrontEndState.h"
#include "frontend/HexamapScreen.h"
#include "frontend/Hooks.h"
#include "frontend/MapArtwork.h"
#include "frontend/MapView.h"
#include "platform/PathResolver.h"
#include "support/HeadlessFixture.h"
#include "support/MapArtFolder.h"
#include "support/SampleMap.h"
#include "support/WorldBuilder.h"

class MapViewTest : public HeadlessTest {
  protected:
    static void SetUpTestSuite() { root = fixture::Map_Art_Folder(); }

    void SetUp() override {
        HeadlessTest::SetUp();
        Set_Working_Folder(root);
        Set_Main_Window(reinterpret_cast<HWND>(0x1234));
        Init_DirectDraw();
        ASSERT_EQ(Create_Surfaces(), 1);
        surfaces_ready = 1;
        Load_Palette_Tables();
        ASSERT_TRUE(backend().boxes.empty()) << backend().boxes[0].caption;
        Reset_World_State();
        Reset_Light_Map();
        Reset_Front_End_State();
        ScreenType = SCREEN_HEXAMAP;
        Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
    }

    void TearDown() override {
        Release_Surfaces();  // frees the map artwork with the surfaces
        Release_Heads();
        Release_DirectDraw();
        Reset_Front_End_State();
        Set_Main_Window(nullptr);
        Set_Working_Folder({});
        EXPECT_EQ(Live_Surface_Count(), 0) << "a surface was not released";
        HeadlessTest::TearDown();
    }

    // An empty world; message boxes are answered Cancel, so consistency
    // errors are recorded and drawing goes on.
    void New_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
        Release_Heads();
        fixture::Reset_World(width, height, levels);
        Set_Scroll_Limits();
    }

    static void Release_Heads() { fixture::Release_Portraits(); }

    // A fixitem type slot showing ARTWORK\name, in use (its sprite field
    // not zero) until the artwork is loaded.
    static void Use_Slot(std::uint8_t slot, const char* name, std::uint8_t height = 0, std::uint8_t flags = 0) {
        fixitem_type& t = fixitem_types[slot];
        t = fixitem_type{};
        std::memcpy(t.sprite_name, name, std::min(std::strlen(name), sizeof t.sprite_name));
        t.sprite = Register_Sprite_Info(0, 1);
        t.height = height;
        t.flags = flags;
        t.max_hp = 10;
    }

    static void Set_Floor(std::uint16_t field, std::uint8_t slot, std::uint8_t frame = 0, std::uint16_t elevation = 0) {
        maparray.records[field].type = slot;
        maparray.records[field].frame = frame;
        mapfield[field] = static_cast<std::uint16_t>((mapfield[field] & ~MF_ELEVATION) | elevation);
    }

    static std::uint16_t Pixel(int x, int y) {
        return reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x];
    }
    static void Set_Pixel(int x, int y, std::uint16_t v) {
        reinterpret_cast<std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x] = v;
    }
    static std::vector<std::uint16_t> Snapshot() {
        std::vector<std::uint16_t> out;
        out.reserve(SCREEN_WIDTH * SCREEN_HEIGHT);
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x) out.push_back(Pixel(x, y));
        return out;
    }
    // The first pixel where two snapshots differ, as "(x, y)"; empty when equal.
    static std::string First_Difference(const std::vector<std::uint16_t>& a, const std::vector<std::uint16_t>& b) {
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (a[i] != b[i]) {
                char at[32];
                std::snprintf(at, sizeof at, "(%zu, %zu)", i % SCREEN_WIDTH, i / SCREEN_WIDTH);
                return at;
            }
        return a.size() == b.size() ? "" : "sizes differ";
    }
    static std::uint16_t Shade(int index, int level) { return shade_table[level][index]; }

    static inline std::filesystem::path root;
};
