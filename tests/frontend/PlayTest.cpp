// A game played through the headless runner as a player plays it, on a
// working folder with its "start.map": the selected character walks to a
// clicked field, turn mode shows the way on the first click and goes on the
// second, the party attacks a monster until it falls and the log tells it,
// and the quit control answered No keeps the game, Yes ends it in order.
// The screenshots of every step are kept beside the test program for
// review (test_frontend-play-shots).
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Map.h"
#include "Objects/PathSearch.h"
#include "frontend/MapView.h"
#include "frontend/SpellPage.h"
#include "tests/frontend/GeneratedFolder.h"
#include "tests/frontend/RunnerFixture.h"
#include "tests/frontend/StartMapFacts.h"

namespace {

namespace fs = std::filesystem;

using fixture::Count;
using fixture::field_xy;
using fixture::Name_Of;
using fixture::Xy;

// What the script needs to know of the start map: the leading character,
// two free fields near it, the nearest character of another lobby, and a
// party member with a spell it can pay for that needs no aiming, with the
// spell page's cell of that spell.
struct map_facts {
    std::string lead, monster;
    field_xy lead_at, walk_to, turn_to;
    std::string caster, spell;
    int spell_cell = -1;
};

// A field a character may walk onto: a floor that costs movement points,
// nothing on it.
bool Free_Field(std::uint16_t f) {
    const map_record& head = maparray.records[f];
    if (head.type == 0 || fixitem_types[head.type].mp <= 0 || (mapfield[f] & MF_BLOCKED)) return false;
    obj_ref o = Make_Obj(OBJ_FIXITEM, f);
    Next_Object(o);
    return Obj_Kind(o) == OBJ_NONE;
}

// Whether the view at the scroll position shows field (x, y) of level 0
// well inside its edges.
bool In_View(std::int32_t x, std::int32_t y, std::int32_t sx, std::int32_t sy) {
    constexpr int MARGIN = 30;
    const int px = x * 42 + y * 21 - sx + HEXAMAP_VIEW.left, py = y * 21 - sy + HEXAMAP_VIEW.top;
    return px >= HEXAMAP_VIEW.left + MARGIN && px < HEXAMAP_VIEW.right - MARGIN && py >= HEXAMAP_VIEW.top + MARGIN &&
           py < HEXAMAP_VIEW.bottom - MARGIN;
}

// The scroll position of the view centred on field (x, y), within the limits.
void Centre_View(field_xy on) {
    scroll_y = on.y * 21 - 179;
    scroll_x = on.x * 42 + on.y * 21 - 229;
    Clamp_Scroll();
}

// A free field at the given distance from (x, y) on level 0, shown by the
// view, whose straight way is free too; the first found walking right,
// then down.
field_xy Free_Field_Near(field_xy from, int distance, field_xy avoid) {
    const std::uint16_t start = Field_Index(static_cast<std::uint32_t>(from.x), static_cast<std::uint32_t>(from.y), 0);
    for (std::int32_t y = 0; y < static_cast<std::int32_t>(map_height); ++y)
        for (std::int32_t x = 0; x < static_cast<std::int32_t>(map_width); ++x) {
            const std::uint16_t f = Field_Index(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 0);
            if (Field_Distance(f, start) != distance || !Free_Field(f)) continue;
            if ((x == avoid.x && y == avoid.y) || !In_View(x, y, scroll_x, scroll_y)) continue;
            // The straight way there is free.
            bool clear = true;
            std::uint16_t line[MAX_LINE_FIELDS];
            const std::uint16_t n = Line_Fields(start, f, line);
            for (std::uint16_t i = 1; i < n; ++i) clear = clear && Free_Field(line[i]);
            if (clear) return {x, y};
        }
    return {};
}

// The first spell character c's page lists that its mana pays for and that
// is cast without aiming: its name and cell; an empty name when none.
std::pair<std::string, int> Spell_To_Cast(std::uint16_t c) {
    const char_record& r = chararray.records[c];
    int cell = 0;
    for (int n = 0; n < SPELL_COUNT && cell < SPELL_CELLS; ++n) {
        if (!(r.known_spells & (1u << n))) continue;
        const act_desc* act = spell_table[n].act;
        bool paid = true;
        for (int k = 0; k < 4; ++k) paid = paid && act->mana[k] <= r.mana[k];
        if (paid && act->range == 0) return {act->name, cell};
        ++cell;
    }
    return {"", -1};
}

// Reads the start map in this process, without its artwork.
map_facts Read_Start_Map(const fs::path& folder) {
    return fixture::Read_Start_Map_With(folder, [](bool loaded) {
        map_facts facts;
        if (!loaded || selected_count == 0) return facts;
        const std::uint16_t lead = selected[0];
        facts.lead = Name_Of(lead);
        facts.lead_at = {chararray.records[lead].x, chararray.records[lead].y};
        // The view as the game shows the map, then as turn mode centres it
        // on the leader.
        Set_Map_View(HEXAMAP_VIEW.left, HEXAMAP_VIEW.top, HEXAMAP_VIEW.right, HEXAMAP_VIEW.bottom);
        Set_Scroll_Limits();
        Clamp_Scroll();
        facts.walk_to = Free_Field_Near(facts.lead_at, 3, {});
        Centre_View(facts.walk_to);
        facts.turn_to = Free_Field_Near(facts.walk_to, 2, facts.lead_at);
        // The monster the leader reaches soonest on its own level.
        Init_Path_Arrays();
        std::uint32_t nearest = 0xFFFFFFFF;
        for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
            const char_record& r = chararray.records[c];
            if (!Char_In_Use(c) || r.lobby == 0 || r.hp <= 0 || r.map_level != chararray.records[lead].map_level)
                continue;
            path(lead, r.x, r.y, r.map_level, 1);
            if (path_count > 0 && path_cost < nearest) {
                nearest = path_cost;
                facts.monster = Name_Of(c);
            }
        }
        for (std::uint32_t i = 0; i < player_count && facts.caster.empty(); ++i) {
            const auto [spell, cell] = Spell_To_Cast(player_chars[i]);
            if (spell.empty()) continue;
            facts.caster = Name_Of(player_chars[i]);
            facts.spell = spell;
            facts.spell_cell = cell;
        }
        return facts;
    });
}

// The characters the runner printed, one report per "chars": by name (the
// first word; the first character of a name counts), place and hit points.
struct char_line {
    int x = 0, y = 0, hp = 0;
};
std::vector<std::map<std::string, char_line>> Char_Reports(const std::string& out) {
    std::vector<std::map<std::string, char_line>> reports;
    std::istringstream in(out);
    int last_index = -1;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("char ", 0) != 0) {
            last_index = -1;
            continue;
        }
        std::istringstream words(line.substr(5));
        int index = 0;
        char_line c;
        int level = 0;
        std::string name;
        if (!(words >> index >> c.x >> c.y >> level >> c.hp >> name)) continue;
        // Every report lists the characters in index order.
        if (index <= last_index || last_index < 0) reports.emplace_back();
        last_index = index;
        reports.back().emplace(name, c);
    }
    return reports;
}

class Play : public RunnerTest {
  protected:
    // The shots stay for review beside the test program.
    static fs::path Shots(const std::string& name = "play") {
        return fs::canonical("/proc/self/exe").parent_path() / ("test_frontend-" + name + "-shots");
    }
};

TEST_F(Play, WalkTurnModeFightAndQuitAsAPlayerWould) {
    const fs::path folder = Generated_Folder();
    const map_facts m = Read_Start_Map(folder);
    ASSERT_FALSE(m.lead.empty()) << "no leading character on the start map";
    ASSERT_GE(m.walk_to.x, 0) << "no free field near " << m.lead;
    ASSERT_GE(m.turn_to.x, 0);
    ASSERT_FALSE(m.monster.empty()) << "no monster on the start map";

    fs::remove_all(Shots());
    const std::string script =
        "seed 7\n"
        "tick 3\nshot 01-start\nchars\n"
        // A click on a free field: the selected character walks there.
        "clickfield " +
        Xy(m.walk_to) +
        "\ntick 2\nshot 02-go\n"
        "tick 120\nshot 03-arrived\nchars\n"
        // Turn mode: the first click shows the way, the second goes.
        "key 77\nkeyup 77\ntick 2\nshot 04-turn-mode\n"
        "clickfield " +
        Xy(m.turn_to) +
        "\ntick 2\nshot 05-way-shown\nchars\n"
        "clickfield " +
        Xy(m.turn_to) +
        "\ntick 60\nshot 06-went\nchars\n"
        "key 77\nkeyup 77\ntick 2\n"
        // The whole party attacks the monster until it falls.
        "click 99 441\ntick 1\nclickchar " +
        m.monster +
        "\ntick 2\nshot 07-attack\n"
        "tick 150\nshot 08-fight\ntick 250\nshot 09-fallen\nchars\n"
        // Quit: No keeps the game, Yes ends it.
        "answer no\nkey 27\nkeyup 27\ntick 2\nshot 10-quit-no\nchars\n"
        "answer yes\nkey 27\nshot 11-never\n";
    const run_result r = Run(folder, script, Shots());
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    const auto reports = Char_Reports(r.out);
    ASSERT_EQ(reports.size(), 6u) << r.out;
    const auto at = [&](std::size_t report, const std::string& name) { return reports[report].at(name); };
    EXPECT_EQ(at(0, m.lead).x, m.lead_at.x);
    EXPECT_EQ(at(1, m.lead).x, m.walk_to.x) << "walked to the clicked field";
    EXPECT_EQ(at(1, m.lead).y, m.walk_to.y);
    EXPECT_EQ(at(2, m.lead).x, m.walk_to.x) << "the first click in turn mode only shows the way";
    EXPECT_EQ(at(2, m.lead).y, m.walk_to.y);
    EXPECT_EQ(at(3, m.lead).x, m.turn_to.x) << "the second click goes";
    EXPECT_EQ(at(3, m.lead).y, m.turn_to.y);
    EXPECT_LE(at(4, m.monster).hp, 0) << "the monster fell";
    EXPECT_NE(r.out.find("log " + m.monster + " falls unconsious"), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "box [Orvex Divuruz Demo] Do you really want to quit?\n"), 2);
    EXPECT_EQ(reports[5].size(), reports[4].size()) << "No kept the game";

    for (const char* shot : {"01-start", "02-go", "03-arrived", "04-turn-mode", "05-way-shown", "06-went", "07-attack",
                             "08-fight", "09-fallen", "10-quit-no"})
        EXPECT_TRUE(fs::exists(Shots() / (std::string(shot) + ".png"))) << shot;
    EXPECT_FALSE(fs::exists(Shots() / "11-never.png")) << "Yes closed the game";
}

TEST_F(Play, BothPagesOpenFromTheMapAndASpellCastFromTheSpellPageReturnsToIt) {
    const fs::path folder = Generated_Folder();
    const map_facts m = Read_Start_Map(folder);
    ASSERT_FALSE(m.lead.empty()) << "no leading character on the start map";
    ASSERT_FALSE(m.caster.empty()) << "no party member with a spell to cast on the start map";
    const int cell_x = SPELL_GRID_LEFT + SPELL_CELL_STEP_X * (m.spell_cell % 3) + SPELL_CELL_WIDTH / 2;
    const int cell_y = SPELL_GRID_TOP + SPELL_CELL_STEP_Y * (m.spell_cell / 3) + SPELL_CELL_HEIGHT / 2;
    const std::string cell = std::to_string(cell_x) + " " + std::to_string(cell_y);

    const fs::path shots = Shots("pages");
    fs::remove_all(shots);
    const std::string script =
        "seed 7\n"
        "tick 3\n"
        // The leader's character page, and back with Esc, which asks nothing there.
        "key 67\nkeyup 67\ntick 2\nshot 01-char-page\nmove 20 10\nshot 02-back-to-map\n"
        "key 27\nkeyup 27\ntick 2\nshot 03-map\n"
        // Shift and a click on the portrait: the credits, and no page.
        "key 16\nclick 30 50\nkeyup 16\ntick 2\nshot 04-credits\n"
        // The caster's spell page: its spell named, then cast.
        "clickchar " +
        m.caster +
        "\ntick 2\nkey 83\nkeyup 83\ntick 2\nshot 05-spell-page\n"
        "move " +
        cell +
        "\nshot 06-pointed\n"
        "click " +
        cell +
        "\ntick 2\nshot 07-cast\ntick 20\nshot 08-after\n"
        // Back on the map Esc asks to quit.
        "answer no\nkey 27\nkeyup 27\ntick 2\n";
    const run_result r = Run(folder, script, shots);
    ASSERT_EQ(r.status, 0) << r.out << r.err;

    EXPECT_NE(r.out.find("log Credits\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("log " + m.caster + " casts " + m.spell + "."), std::string::npos) << r.out;
    EXPECT_EQ(Count(r.out, "box [Orvex Divuruz Demo] Do you really want to quit?\n"), 1)
        << "Esc left the character page, and only the map asked" << r.out;
    for (const char* shot : {"01-char-page", "02-back-to-map", "03-map", "04-credits", "05-spell-page", "06-pointed",
                             "07-cast", "08-after"})
        EXPECT_TRUE(fs::exists(shots / (std::string(shot) + ".png"))) << shot;
}

}  // namespace
