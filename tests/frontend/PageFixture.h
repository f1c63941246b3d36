// The game on the small map to play on, with helpers for the character
// page and the spell page: opening them for a character, and reading what
// they drew into the back surface.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "Objects/Char/Party.h"
#include "System/Bitmap.h"
#include "System/Display.h"
#include "frontend/CharPage.h"
#include "frontend/SpellPage.h"
#include "tests/frontend/HexamapFixture.h"

class PageTest : public HexamapTest {
  protected:
    void TearDown() override {
        // A page a test left open gives its sprites back, as the exits do.
        Free_Page_Sprites();
        Reset_Party_State();
        Reset_Spell_Page_State();
        HexamapTest::TearDown();
    }

    // The page of character c, as the screen-switch act opens it.
    static void Open_Page_Of(std::uint16_t c, std::uint32_t screen) {
        page_char = static_cast<std::int16_t>(c);
        Open_Screen(static_cast<std::uint16_t>(screen));
    }

    static std::uint16_t Pixel(int x, int y) {
        return reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x];
    }
    static void Fill(const RECT& r, std::uint16_t pixel) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                reinterpret_cast<std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x] = pixel;
    }
    // The back surface's pixel of a colour.
    static std::uint16_t Pixel_Of(COLORREF colour) { return static_cast<std::uint16_t>(DD_Color_Match(BACK, colour)); }
    static std::vector<std::uint16_t> Area(const RECT& r) {
        std::vector<std::uint16_t> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) out.push_back(Pixel(x, y));
        return out;
    }
    // How many pixels of r have the value.
    static int Count(const RECT& r, std::uint16_t pixel) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += Pixel(x, y) == pixel;
        return n;
    }
};
