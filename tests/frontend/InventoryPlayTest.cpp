// The inventory played through the headless runner on the working folder
// artgen writes: the leader walks to a weapon lying near it, opens the
// inventory from the map, takes the weapon from the ground strip into its
// right hand (the weapon it held comes into the hand), puts that one into
// the backpack and goes back to the map. The screenshots of every step are
// kept beside the test program for review (test_frontend-inventory-shots).
#include <map>
#include <sstream>
#include <string>

#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "tests/frontend/GeneratedFolder.h"
#include "tests/frontend/RunnerFixture.h"
#include "tests/frontend/StartMapFacts.h"

namespace {

namespace fs = std::filesystem;

using fixture::field_xy;

// The leader, what its right hand holds, and a weapon on a field it can
// walk to, with the weapon's place among the items of that field.
struct inventory_facts {
    std::string lead, held, weapon;
    field_xy weapon_at;
    int strip_place = -1;
};

std::string Type_Name(std::uint16_t item) {
    const item_type* t = Item_Type_Of(item);
    return t != nullptr ? std::string(t->name, strnlen(t->name, sizeof t->name)) : std::string();
}

// A weapon one hand can hold, not too large for the hand.
bool Hand_Weapon(std::uint16_t item) {
    const item_type* t = Item_Type_Of(item);
    return t != nullptr && t->item_class < CLASS_SHIELD && t->size != 0x24;
}

inventory_facts Read_Facts(const fs::path& folder) {
    return fixture::Read_Start_Map_With(folder, [](bool loaded) {
        inventory_facts facts;
        if (!loaded || selected_count == 0) return facts;
        const std::uint16_t lead = selected[0];
        const char_record& me = chararray.records[lead];
        facts.lead = fixture::Name_Of(lead);
        if (me.slots[SLOT_RIGHT_HAND] > 0)
            facts.held = Type_Name(static_cast<std::uint16_t>(me.slots[SLOT_RIGHT_HAND]));
        Init_Path_Arrays();
        std::uint32_t nearest = 0xFFFFFFFF;
        for (std::uint32_t y = 0; y < map_height; ++y)
            for (std::uint32_t x = 0; x < map_width; ++x) {
                obj_ref o = Make_Obj(OBJ_FIXITEM, Field_Index(x, y, static_cast<std::uint32_t>(me.map_level)));
                for (int place = 0; Next_Ground_Item(o); ++place) {
                    if (!Hand_Weapon(Obj_Index(o))) continue;
                    path(lead, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), me.map_level, 1);
                    if (path_count == 0 || path_cost >= nearest) continue;
                    nearest = path_cost;
                    facts.weapon = Type_Name(Obj_Index(o));
                    facts.weapon_at = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
                    facts.strip_place = place;
                }
            }
        return facts;
    });
}

// The slots the runner printed for the character after the n-th "items",
// slot number to type name.
std::map<int, std::string> Items_Report(const std::string& out, int n) {
    std::map<int, std::string> slots;
    std::istringstream in(out);
    int report = -1;
    bool in_report = false;
    for (std::string line; std::getline(in, line);) {
        const bool slot_line = line.rfind("slot ", 0) == 0;
        if (slot_line && !in_report) ++report;
        in_report = slot_line;
        if (!slot_line || report != n) continue;
        std::istringstream words(line.substr(5));
        int slot = 0, item = 0;
        std::string name;
        words >> slot >> item >> std::ws;
        std::getline(words, name);
        slots[slot] = name;
    }
    return slots;
}

class InventoryPlay : public RunnerTest {
  protected:
    static fs::path Shots() { return fs::canonical("/proc/self/exe").parent_path() / "test_frontend-inventory-shots"; }
};

TEST_F(InventoryPlay, OpensFromTheMapEquipsAWeaponAndReturns) {
    const fs::path folder = Generated_Folder();
    const inventory_facts m = Read_Facts(folder);
    ASSERT_FALSE(m.lead.empty()) << "no leading character on the start map";
    ASSERT_FALSE(m.held.empty()) << m.lead << " holds nothing in the right hand";
    ASSERT_FALSE(m.weapon.empty()) << "no weapon lies where " << m.lead << " can walk";
    ASSERT_LT(m.strip_place, 15);

    // The right hand's slot, the backpack's middle and the strip place of
    // the weapon on the screen.
    const std::string right_hand = "55 270", backpack = "479 218";
    const std::string strip = std::to_string(52 + 38 * m.strip_place) + " 455";

    fs::remove_all(Shots());
    const std::string script = "seed 7\ntick 3\nitems " + m.lead +
                               "\n"
                               "clickfield " +
                               fixture::Xy(m.weapon_at) +
                               "\ntick 150\nshot 01-at-the-weapon\nscreen\n"
                               // I opens the inventory when the leader carries the act out.
                               "key 73\nkeyup 73\ntick 2\nshot 02-inventory\nscreen\n"
                               "move " +
                               strip +
                               "\nshot 03-strip-hover\n"
                               "click " +
                               strip + "\nmove " + right_hand +
                               "\nshot 04-weapon-in-hand\n"
                               "click " +
                               right_hand + "\nmove " + backpack +
                               "\nshot 05-equipped-old-in-hand\n"
                               "click " +
                               backpack +
                               "\nshot 06-old-packed\n"
                               // Esc goes back to the map.
                               "key 27\nkeyup 27\ntick 2\nshot 07-map\nscreen\nitems " +
                               m.lead + "\n";
    const run_result r = Run(folder, script, Shots());
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    EXPECT_EQ(fixture::Count(r.out, "screen 1\n"), 2) << r.out;
    EXPECT_EQ(fixture::Count(r.out, "screen 2\n"), 1) << r.out;
    const auto before = Items_Report(r.out, 0);
    const auto after = Items_Report(r.out, 1);
    ASSERT_EQ(before.at(60), m.held);
    EXPECT_EQ(after.at(60), m.weapon) << "the weapon is in the right hand";
    int packed = 0;
    for (const auto& [slot, name] : after) packed += slot < 48 && name == m.held;
    EXPECT_EQ(packed, 1) << m.held << " went into the backpack once";
    EXPECT_EQ(after.size(), before.size() + 1) << "one item more, nothing lost";
    for (const char* shot : {"01-at-the-weapon", "02-inventory", "03-strip-hover", "04-weapon-in-hand",
                             "05-equipped-old-in-hand", "06-old-packed", "07-map"})
        EXPECT_TRUE(fs::exists(Shots() / (std::string(shot) + ".png"))) << shot;
}

}  // namespace
