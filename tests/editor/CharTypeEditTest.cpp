// The character type editor without its window: the clamps of the head,
// corpse and palette edits, the level spin, the race slices, the lists that
// keep a stored value they do not offer, OK all or nothing with every
// number checked against its record field, and what OK writes.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "editor/CharPreview.h"
#include "editor/CharTypeEdit.h"
#include "editor/DialogEntries.h"
#include "editor/ModPage.h"
#include "editor/wx/ControlIds.h"
#include "frontend/CharPage.h"
#include "tests/editor/EditorFixture.h"

namespace {

namespace fs = std::filesystem;

class CharTypeEditTest : public EditorTest {
  protected:
    void TearDown() override {
        Release_Char_Preview();
        EditorTest::TearDown();
    }

    // The editor open on the fixture's database: the status line shows what
    // the editor says.
    static void Open_Editor() {
        database_in_memory = 1;
        Editor_Enter(0, EVENT_CLICK);
    }

    // A character placed from the warrior's type.
    std::uint16_t Placed_Warrior() {
        Select_Type(OBJ_CHAR, CT_WARRIOR);
        Click(F(4, 4));
        return Char_On_Field(F(4, 4));
    }

    static std::vector<unsigned char> Bytes(const char_record& r) {
        const auto* p = reinterpret_cast<const unsigned char*>(&r);
        return std::vector<unsigned char>(p, p + sizeof r);
    }
};

TEST_F(CharTypeEditTest, HeadCorpseAndPaletteEditsClamp) {
    CharTypeEdit e(CT_WARRIOR, -1);
    e.Head_Changed("");
    EXPECT_EQ(e.head, 1);
    EXPECT_EQ(e.Head_Text(), "1");
    e.Head_Changed("40");
    EXPECT_EQ(e.head, 23);
    e.Head_Changed("-4");
    EXPECT_EQ(e.head, 1);
    e.Head_Changed("7");
    EXPECT_EQ(e.head, 7);

    e.body_frames = 12;
    e.Corpse_Changed("30");
    EXPECT_EQ(e.corpse, 11);
    e.Corpse_Changed("");
    EXPECT_EQ(e.corpse, 0);

    e.Palette_Changed("200", false);
    EXPECT_EQ(e.palette, 127);
    EXPECT_EQ(e.Palette_Byte(), 127);
    e.Palette_Changed("200", true);
    EXPECT_EQ(e.Palette_Byte(), 255);
    e.Palette_Changed("", true);
    EXPECT_EQ(e.Palette_Byte(), 128);

    ASSERT_FALSE(e.Check());
    e.Write();
    EXPECT_EQ(char_data[CT_WARRIOR].head, 7);
    EXPECT_EQ(char_data[CT_WARRIOR].corpse_frame, 0);
    EXPECT_EQ(char_data[CT_WARRIOR].palette, 128);
}

TEST_F(CharTypeEditTest, LevelSpinStopsAtItsEnds) {
    char_data[CT_WARRIOR].level = 99;
    CharTypeEdit e(CT_WARRIOR, -1);
    e.Level_Spin(-1);  // the up arrow
    EXPECT_EQ(e.texts[IDC_CHAR_LEVEL], "99");
    e.Level_Spin(1);
    EXPECT_EQ(e.texts[IDC_CHAR_LEVEL], "98");
    e.texts[IDC_CHAR_LEVEL] = "1";
    e.Level_Spin(1);
    EXPECT_EQ(e.texts[IDC_CHAR_LEVEL], "1");
}

TEST_F(CharTypeEditTest, AnimalOnAHumanGivesTheDog) {
    char_data[CT_WARRIOR].race = 2;  // a dwarf
    CharTypeEdit e(CT_WARRIOR, -1);
    EXPECT_EQ(e.Race_List(), (std::vector<std::string>{"Human", "Elf", "Dwarf", "Hobbit"}));
    EXPECT_EQ(e.Race_Position(), 2);
    e.Category_Changed(true, false);
    EXPECT_EQ(e.Race_List(), (std::vector<std::string>{"Dog", "Pig", "Chicken", "Wolf", "Bear", "Cow"}));
    EXPECT_EQ(e.Race_Position(), 0);
    e.Write();
    EXPECT_EQ(char_data[CT_WARRIOR].race, RACE_ANIMAL);
}

TEST_F(CharTypeEditTest, TheRaceSlices) {
    const struct {
        bool animal, monster;
        std::vector<std::string> races;
    } cases[] = {
        {false, false, {"Human", "Elf", "Dwarf", "Hobbit"}},
        {true, false, {"Dog", "Pig", "Chicken", "Wolf", "Bear", "Cow"}},
        {false, true, {"Troll", "Skeleton", "Zombi"}},
        {true, true, {"Giant ant", "Giant spider"}},
    };
    for (const auto& c : cases) {
        CharTypeEdit e(CT_WARRIOR, -1);
        e.Category_Changed(c.animal, c.monster);
        EXPECT_EQ(e.Race_List(), c.races);
        e.Pick_Race(static_cast<int>(c.races.size()) - 1);
        e.Write();
        EXPECT_EQ(char_data[CT_WARRIOR].race,
                  (c.animal ? RACE_ANIMAL : 0) | (c.monster ? RACE_MONSTER : 0) | (c.races.size() - 1));
    }
}

TEST_F(CharTypeEditTest, StoredValuesTheListsLackAreKeptUnlessAnotherIsPicked) {
    char_record& r = char_data[CT_WARRIOR];
    r.race = RACE_ANIMAL | 7;  // beyond the animals' six
    r.profession = 30;
    r.lobby = 45;
    {
        CharTypeEdit e(CT_WARRIOR, -1);
        EXPECT_EQ(e.Race_Position(), -1);
        EXPECT_EQ(e.Profession_Row(), -1);
        EXPECT_EQ(e.Lobby_Row(), -1);
        e.Pick_Race(9);  // outside the list: picks nothing
        ASSERT_FALSE(e.Check());
        e.Write();
        EXPECT_EQ(r.race, RACE_ANIMAL | 7);
        EXPECT_EQ(r.profession, 30);
        EXPECT_EQ(r.lobby, 45);
    }
    CharTypeEdit e(CT_WARRIOR, -1);
    e.Pick_Race(3);
    e.Pick_Profession(16);
    e.Pick_Lobby(39);
    e.Write();
    EXPECT_EQ(r.race, RACE_ANIMAL | 3);
    EXPECT_EQ(r.profession, 16);
    EXPECT_EQ(r.lobby, 39);
    EXPECT_STREQ(lobby_names[0], "Player's party");
    EXPECT_STREQ(lobby_names[39], "Local 5.");
}

TEST_F(CharTypeEditTest, OkWritesTheCharacterAndLeavesTheSelectionOnIt) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    char_record& r = chararray.records[c];
    r.flags = static_cast<std::uint16_t>(r.flags | CF_HELD_POSE | CF_FEMALE);
    ASSERT_NE(r.db_type, -1);
    CharTypeEdit e(CT_WARRIOR, c);
    ASSERT_TRUE(e.Live());
    e.name = "A name of thirty characters!!";
    e.female = false;
    e.flying = true;
    e.direction = 4;
    e.texts[IDC_CHAR_HP] = "17";
    e.texts[IDC_CHAR_EXPERIENCE] = "4000000000";
    e.texts[IDC_CHAR_POISONS] = "5";
    e.texts[IDC_CHAR_BACKSTAB] = "6";
    e.Set_Spell(0, true);
    e.Set_Spell(4, true);
    e.Set_Spell(12, true);
    Set_Editor_Selection(OBJ_NONE, NO_INDEX, false);
    ASSERT_FALSE(e.OK());

    EXPECT_EQ(Char_Name(r), std::string("A name of thirty cha"));
    EXPECT_EQ(r.flags & (CF_FEMALE | CF_FLYING | CF_HELD_POSE), CF_FLYING | CF_HELD_POSE);
    EXPECT_EQ(r.facing, 5);
    EXPECT_EQ(r.hp, 17);
    EXPECT_EQ(r.experience, 4000000000u);
    // The record holds poisons before backstab.
    EXPECT_EQ(r.thief_skill[3], 5);
    EXPECT_EQ(r.thief_skill[4], 6);
    EXPECT_EQ(r.known_spells, (1u << 0) | (1u << 4) | (1u << 12));
    EXPECT_EQ(r.db_type, -1);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_CHAR, c}));
    EXPECT_EQ(selection_on_map, 1u);

    CharTypeEdit type(CT_HERO, -1);
    ASSERT_FALSE(type.OK());
    EXPECT_EQ(char_data[CT_HERO].db_type, -1);
    EXPECT_EQ(char_data[CT_HERO].flags & CF_MAIN_CHAR, CF_MAIN_CHAR);
    EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_CHAR, CT_HERO}));
    EXPECT_EQ(selection_on_map, 0u);
}

TEST_F(CharTypeEditTest, ANewFigureOfAPlacedCharacterShowsAtOnce) {
    const std::uint16_t c = Placed_Warrior();
    ASSERT_NE(c, NO_INDEX);
    const std::uint32_t before = chararray.records[c].body_sprite;
    CharTypeEdit e(CT_WARRIOR, c);
    e.sprite_name = "WOLF";
    e.Head_Changed("5");
    ASSERT_FALSE(e.OK());
    EXPECT_NE(chararray.records[c].body_sprite, before);
    bool wolf_row = false;
    for (std::uint32_t i = 0; i < char_body_count; ++i)
        wolf_row = wolf_row || (std::string(char_bodies[i].name) == "WOLF" &&
                                char_bodies[i].sprite == chararray.records[c].body_sprite);
    EXPECT_TRUE(wolf_row);
    EXPECT_EQ(chararray.records[c].head, 5);
}

// A bad entry anywhere: the message names its range, OK keeps the dialog
// open, and the record, the page and the selection stay as they were.
TEST_F(CharTypeEditTest, OkIsAllOrNothing) {
    const struct {
        int control;
        const char* text;
        std::string message;
    } cases[] = {
        {IDC_CHAR_LEVEL, "100", Range_Message(1, 99)},
        {IDC_CHAR_LEVEL, "0", Range_Message(1, 99)},
        {IDC_CHAR_EXPERIENCE, "4294967296", Range_Message(0, 4294967295)},
        {IDC_CHAR_HP, "32768", Range_Message(-32768, 32767)},
        {IDC_CHAR_ATTACK, "256", Range_Message(0, 255)},
        {IDC_CHAR_DEFEND, "-129", Range_Message(-128, 127)},
        {IDC_CHAR_BRAVENESS, "128", Range_Message(0, 127)},
        {IDC_CHAR_FIRE_MANA_MAX, "-1", Range_Message(0, 65535)},
        {IDC_CHAR_ARTIFACTS, "seven", TEXT_ENTER_INTEGER},
        {IDC_CHAR_STRENGTH, "", TEXT_ENTER_INTEGER},
        {IDC_CHAR_HEAD, "x", TEXT_ENTER_INTEGER},
        {IDC_CHAR_PALETTE, "1.5", TEXT_ENTER_INTEGER},
    };
    for (const auto& c : cases) {
        const std::vector<unsigned char> before = Bytes(char_data[CT_WARRIOR]);
        Set_Editor_Selection(OBJ_ITEM, sword, false);
        CharTypeEdit e(CT_WARRIOR, -1);
        e.name = "Changed";
        e.texts[IDC_CHAR_MACES] = "9";
        e.female = true;
        if (c.control == IDC_CHAR_HEAD)
            e.Head_Changed(c.text);
        else if (c.control == IDC_CHAR_PALETTE)
            e.Palette_Changed(c.text, true);
        else
            e.texts[c.control] = c.text;
        bool page_saved = false;
        const std::optional<field_fault> fault =
            e.OK([] { return std::optional<field_fault>(); }, [&page_saved] { page_saved = true; });
        ASSERT_TRUE(fault) << c.text;
        EXPECT_EQ(fault->control, c.control) << c.text;
        EXPECT_EQ(fault->message, c.message) << c.text;
        EXPECT_TRUE(Bytes(char_data[CT_WARRIOR]) == before) << c.text;
        EXPECT_FALSE(page_saved) << c.text;
        EXPECT_EQ(editor_selection, (editor_selection_ref{OBJ_ITEM, sword})) << c.text;
    }
    // A page that refuses keeps everything as well; one that accepts is saved.
    const std::vector<unsigned char> before = Bytes(char_data[CT_WARRIOR]);
    CharTypeEdit e(CT_WARRIOR, -1);
    e.name = "Changed";
    bool saved = false;
    const auto refuse = [] { return std::optional<field_fault>(field_fault{1070, Range_Message(0, 100)}); };
    ASSERT_TRUE(e.OK(refuse, [&saved] { saved = true; }));
    EXPECT_TRUE(Bytes(char_data[CT_WARRIOR]) == before);
    EXPECT_FALSE(saved);
    ASSERT_FALSE(e.OK([] { return std::optional<field_fault>(); }, [&saved] { saved = true; }));
    EXPECT_TRUE(saved);
    EXPECT_EQ(Char_Name(char_data[CT_WARRIOR]), "Changed");
}

// Every number field: its two ends are taken and written at its offset and
// width without touching a byte beside it, one past either end is refused.
TEST_F(CharTypeEditTest, EveryNumberIsCheckedAgainstItsField) {
    std::set<int> controls;
    std::vector<bool> taken(sizeof(char_record), false);
    for (const char_number_field& f : Char_Number_Fields()) {
        SCOPED_TRACE(f.control);
        EXPECT_TRUE(controls.insert(f.control).second);
        const std::size_t width = f.width == FieldWidth::U32                                   ? 4
                                  : (f.width == FieldWidth::U16 || f.width == FieldWidth::I16) ? 2
                                                                                               : 1;
        for (std::size_t b = f.offset; b < f.offset + width; ++b) {
            ASSERT_LT(b, sizeof(char_record));
            EXPECT_FALSE(taken[b]) << "two fields share byte " << b;
            taken[b] = true;
        }
        for (const std::int64_t value : {f.min, f.max}) {
            char_record& r = char_data[CT_WARRIOR];
            r = fixture::Char_Template("Warrior");
            std::memset(r.unused_93, 0xA5, sizeof r.unused_93);
            std::memset(r.unused_329, 0xA5, sizeof r.unused_329);
            std::memset(r.unused_358, 0xA5, sizeof r.unused_358);
            const std::vector<unsigned char> before = Bytes(r);
            CharTypeEdit e(CT_WARRIOR, -1);
            e.texts[f.control] = std::to_string(value);
            ASSERT_FALSE(e.Check());
            e.Write();
            EXPECT_EQ(Read_Char_Field(r, f), value);
            const std::vector<unsigned char> after = Bytes(r);
            // The edit writes only its own field besides the fields every OK
            // writes: the neighbours are compared against an OK that leaves
            // this one as it was.
            char_record other;
            std::memcpy(&other, before.data(), sizeof other);
            char_data.push_back(other);
            CharTypeEdit unchanged(static_cast<std::int32_t>(char_data.size() - 1), -1);
            unchanged.Write();
            const std::vector<unsigned char> reference = Bytes(char_data.back());
            char_data.pop_back();
            for (std::size_t b = 0; b < sizeof(char_record); ++b) {
                if (b < f.offset || b >= f.offset + width) {
                    EXPECT_EQ(after[b], reference[b]) << "byte " << b << " beside the field";
                }
            }
        }
        for (const std::int64_t value : {f.min - 1, f.max + 1}) {
            CharTypeEdit e(CT_WARRIOR, -1);
            e.texts[f.control] = std::to_string(value);
            const std::optional<field_fault> fault = e.Check();
            ASSERT_TRUE(fault);
            EXPECT_EQ(fault->control, f.control);
            EXPECT_EQ(fault->message, Range_Message(f.min, f.max));
        }
    }
    EXPECT_EQ(controls.size(), 49u);
}

TEST_F(CharTypeEditTest, TheScrollBarMovesTheValueOfItsMode) {
    CharTypeEdit e(CT_WARRIOR, -1);
    e.mode = CharPreviewMode::Directions;
    e.Scroll(ScrollMove::PageRight);
    EXPECT_EQ(e.direction, 5);
    e.Scroll(ScrollMove::LineLeft);
    EXPECT_EQ(e.direction, 4);
    e.Scroll(ScrollMove::Home);
    EXPECT_EQ(e.direction, 0);

    e.mode = CharPreviewMode::Heads;
    EXPECT_EQ(e.Scroll_Min(), 1);
    EXPECT_EQ(e.Scroll_Max(), 23);
    e.Scroll(ScrollMove::Home);
    EXPECT_EQ(e.head, 1);
    e.Scroll(ScrollMove::Thumb, 40);
    EXPECT_EQ(e.head, 23);
    EXPECT_EQ(e.texts[IDC_CHAR_HEAD], "23");

    e.mode = CharPreviewMode::CorpseFrames;
    e.body_frames = 10;
    e.Scroll(ScrollMove::End);
    EXPECT_EQ(e.corpse, 9);
    EXPECT_EQ(e.texts[IDC_CHAR_CORPSE], "9");
    e.Scroll(ScrollMove::PageLeft);
    EXPECT_EQ(e.corpse, 3);
}

TEST_F(CharTypeEditTest, BrowseTakesOnlyACharacterSpriteThatLoads) {
    // A character sprite folder of the test's own, with a file that is no sprite.
    fs::remove(folder / "ARTWORK");
    fs::create_directories(folder / "ARTWORK" / "CHARS");
    for (const auto& entry : fs::directory_iterator(art / "ARTWORK"))
        if (entry.path().filename() != "CHARS")
            fs::create_directory_symlink(entry.path(), folder / "ARTWORK" / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(art / "ARTWORK" / "CHARS"))
        fs::create_symlink(entry.path(), folder / "ARTWORK" / "CHARS" / entry.path().filename());
    std::ofstream(folder / "ARTWORK" / "CHARS" / "BROKEN.DYS") << "no sprite";
    std::ofstream(folder / "ARTWORK" / "CHARS" / "LONGNAME9.DYS") << "no sprite";
    fs::create_directories(folder / "elsewhere");
    fs::copy_file(art / "ARTWORK" / "CHARS" / "WOLF.DYS", folder / "elsewhere" / "WOLF.DYS");
    const fs::path chars = folder / "ARTWORK" / "CHARS";
    Open_Editor();

    for (const fs::path& refused : {folder / "elsewhere" / "WOLF.DYS", chars / "BROKEN.DYS", chars / "LONGNAME9.DYS",
                                    chars / "MISSING.DYS", folder / "ARTWORK" / "PAGES" / "CHARPAGE.BMP"}) {
        CharTypeEdit e(CT_WARRIOR, -1);
        Editor_Status_Message("");
        EXPECT_FALSE(e.Browse_Chosen(refused.string())) << refused;
        EXPECT_EQ(e.sprite_name, "WARRIOR") << refused;
        EXPECT_EQ(editor_status, TEXT_INVALID_SPRITE) << refused;
    }
    CharTypeEdit e(CT_WARRIOR, -1);
    EXPECT_TRUE(e.Browse_Chosen((chars / "WOLF.DYS").string()));
    EXPECT_EQ(e.sprite_name, "WOLF");
    EXPECT_EQ(e.File_Text(), "ARTWORK\\CHARS\\WOLF.dys");
    // The extension in any case.
    EXPECT_TRUE(e.Browse_Chosen((chars / "wolf.dys").string()));
    EXPECT_EQ(e.sprite_name, "wolf");
}

TEST_F(CharTypeEditTest, ThePreviewShowsFacingsHeadsAndFrames) {
    Select_Type(OBJ_CHAR, CT_WARRIOR);
    const int frames = Char_Preview_Directions("WARRIOR", 3, 0);
    EXPECT_GT(frames, 0);
    EXPECT_EQ(preview_frame, 3);
    Char_Preview_Heads(12, 0);
    Char_Preview_Body_Frames(frames - 1, 0);
    // No picture: the strip is empty, nothing fails.
    EXPECT_EQ(Char_Preview_Directions("NOSUCH", 0, 0), 0);
    Char_Preview_Body_Frames(0, 0);
}

// The modifier page of a character offers the characters' kinds.
TEST_F(CharTypeEditTest, TheCharactersModifierPage) {
    ModPage page(OBJ_CHAR, CT_WARRIOR, -1);
    EXPECT_EQ(page.Caption(), "Modifiers of this character-type:");
    std::vector<std::string> offered;
    for (const mod_kind_entry& k : page.Kind_List()) offered.push_back(k.text);
    for (const char* kind : {" - Dumb modifier -", "Iron_Skin", "Basic monster", "Charm", "Haste"})
        EXPECT_NE(std::find(offered.begin(), offered.end(), kind), offered.end()) << kind;
    EXPECT_EQ(std::find(offered.begin(), offered.end(), "Door prg."), offered.end());
    const auto haste = std::find(offered.begin(), offered.end(), "Haste") - offered.begin();
    page.Kind_Changed(static_cast<int>(haste));
    EXPECT_TRUE(page.Level_Shown());
    page.Kind_Changed(0);
    EXPECT_FALSE(page.Level_Shown());
    const std::uint16_t c = Placed_Warrior();
    EXPECT_EQ(ModPage(OBJ_CHAR, CT_WARRIOR, c).Caption(), "Modifiers on this character:");
}

}  // namespace
