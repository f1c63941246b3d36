#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "Objects/PathSearch.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/PathWorld.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::uint16_t F(std::uint32_t x, std::uint32_t y, std::uint32_t level = 0) { return Field_Index(x, y, level); }

class PathSearch : public ::testing::Test {
  protected:
    void SetUp() override { World(20, 20); }

    void World(std::uint32_t w, std::uint32_t h, std::uint32_t levels = 1, std::int8_t ground_cost = 2) {
        Reset_Path_World(w, h, levels);
        Set_Fixitem_Type(0, LAYER_FLOOR, 1, ground_cost);
    }

    std::uint16_t Hero(std::uint16_t field) {
        hero = Place_Thinking_Char(field);
        return hero;
    }

    void Go(std::uint16_t dest, std::uint32_t ignore_danger = 0) {
        path(hero, static_cast<std::int32_t>(Field_X(dest)), static_cast<std::int32_t>(Field_Y(dest)),
             static_cast<std::int32_t>(Field_Level(dest)), ignore_danger);
    }

    std::uint16_t Start() const { return Object_Field(Char_Ref(hero)); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& b : Headless_Backend().boxes) out.push_back(b.caption);
        return out;
    }

    std::uint16_t hero = 0;
};

TEST_F(PathSearch, StraightLineOnUniformGroundCostsTheLineBound) {
    Hero(F(5, 5));
    struct Case {
        std::uint32_t x, y, distance;
    } cases[] = {{12, 5, 7}, {5, 14, 9}, {1, 5, 4}, {9, 9, 8}, {2, 1, 7}, {9, 1, 4}, {1, 12, 7}, {6, 5, 1}};
    for (const Case& c : cases) {
        Go(F(c.x, c.y));
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(path_count, c.distance);
        EXPECT_EQ(path_cost, 2 * c.distance);
        EXPECT_EQ(path_dest, F(c.x, c.y));
        EXPECT_TRUE(Found_Path_Is_Connected(Start()));
    }
    // The facing is the character's own again afterwards.
    EXPECT_EQ(chararray.records[hero].facing, 1);
}

TEST_F(PathSearch, DetourRoundAWall) {
    Draw_Level({
        "..........",
        "....#.....",
        "....#.....",
        "....#.....",
        "....#.....",
        "....#.....",
        "..........",
    });
    Hero(F(2, 3));
    Go(F(7, 3));
    ASSERT_GT(path_count, 0);
    EXPECT_GT(path_cost, 2 * 5);
    EXPECT_EQ(path_cost, Reference_Path(hero, F(7, 3), false).cost);
    EXPECT_TRUE(Found_Path_Is_Connected(F(2, 3)));
    for (std::uint16_t f : Found_Path_Fields())
        EXPECT_FALSE(Field_X(f) == 4 && Field_Y(f) >= 1 && Field_Y(f) <= 5) << "through the wall at " << Field_Y(f);
}

TEST_F(PathSearch, OccupiedDestinationEndsNextToItWithTheTargetMarker) {
    Hero(F(3, 3));
    Place_Thinking_Char(F(8, 3), "Other");
    Go(F(8, 3));
    ASSERT_EQ(path_count, 5);
    const std::uint32_t dest_node = pathdirs[0];
    EXPECT_EQ(Node_Type(dest_node), PT_BLOCKED);
    EXPECT_EQ(Node_Dir(dest_node), 0);
    EXPECT_EQ(Node_Cost(dest_node), 2 * 4);  // the best neighbour's cost
    EXPECT_EQ(path_cost, 2 * 4);
    EXPECT_LE(Neighbour_Dir(Node_Parent(dest_node), F(8, 3)), 6);
    EXPECT_TRUE(Found_Path_Is_Connected(F(3, 3)));

    Show_Path_Cursor();
    EXPECT_EQ(Arrow_Frames(F(8, 3)), std::vector<int>{0});
    EXPECT_EQ(shown_path_dest, F(8, 3));
    Hide_Path_Cursor();
    EXPECT_TRUE(Arrow_Frames(F(8, 3)).empty());
}

TEST_F(PathSearch, NoPathToItselfNorToAClosedOffFieldNorToAnotherLevel) {
    World(12, 12, 3);
    Draw_Level({
        "............",
        ".......##...",
        "......#.#...",
        "......##....",
    });
    Hero(F(2, 2));
    Go(F(2, 2));
    EXPECT_EQ(path_count, 0);
    Go(F(7, 2));  // inside the ring
    EXPECT_EQ(path_count, 0);
    Go(F(2, 2, 1));
    EXPECT_EQ(path_count, 0);
    Go(F(9, 9, 2));
    EXPECT_EQ(path_count, 0);
    // Off the map and a character not in use give no path either.
    path(hero, 12, 0, 0, 0);
    EXPECT_EQ(path_count, 0);
    path(static_cast<std::uint16_t>(chararray.Capacity() - 1), 3, 3, 0, 0);
    EXPECT_EQ(path_count, 0);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

TEST_F(PathSearch, TeleportCarriesThePathAcrossAWall) {
    World(12, 8);
    Draw_Level({
        "......#.....",
        "......#.....",
        "......#.....",
        "......#.....",
        "......#.....",
        "......#.....",
        "......#.....",
        "......#.....",
    });
    Add_Modifier(0, Fix_Ref(F(4, 4)), MK_TELEPORT, F(9, 2), 0, 0, 0);
    ASSERT_TRUE(mapfield[F(4, 4)] & MF_TRANSPORTER);
    Hero(F(1, 4));
    Go(F(10, 2));
    ASSERT_GT(path_count, 0);
    EXPECT_TRUE(Found_Path_Is_Connected(F(1, 4)));
    const std::vector<std::uint16_t> fields = Found_Path_Fields();
    // The step onto the teleport arrives on its destination.
    auto at = std::find(fields.begin(), fields.end(), F(9, 2));
    ASSERT_NE(at, fields.end());
    const std::uint32_t entry = pathdirs[fields.end() - at - 1];
    EXPECT_EQ(Neighbour_Field(Node_Parent(entry), Node_Dir(entry)), F(4, 4));
    EXPECT_EQ(path_cost, Reference_Path(hero, F(10, 2), false).cost);

    // The arrow of that step stands on the teleport field.
    Show_Path_Cursor();
    EXPECT_EQ(Arrow_Frames(F(4, 4)), std::vector<int>{Node_Dir(entry)});
    EXPECT_TRUE(Arrow_Frames(F(9, 2)).empty());
    Hide_Path_Cursor();
    EXPECT_TRUE(Arrow_Frames(F(4, 4)).empty());
}

TEST_F(PathSearch, StairsLeadToAnotherLevelOnlyInTheirDirection) {
    World(10, 10, 2);
    // Up from (4,4) when walking east (direction 1).
    Add_Modifier(0, Fix_Ref(F(4, 4)), MK_STEPS, 0x01, 1, 0, 0);
    ASSERT_TRUE(mapfield[F(4, 4)] & MF_TRANSPORTER);
    Hero(F(1, 4));
    Go(F(7, 4, 1));
    ASSERT_GT(path_count, 0);
    EXPECT_TRUE(Found_Path_Is_Connected(F(1, 4)));
    const std::vector<std::uint16_t> fields = Found_Path_Fields();
    auto up = std::find(fields.begin(), fields.end(), F(4, 4, 1));
    ASSERT_NE(up, fields.end());
    const std::uint32_t entry = pathdirs[fields.end() - up - 1];
    EXPECT_EQ(Node_Parent(entry), F(3, 4));
    EXPECT_EQ(Node_Dir(entry), 1);
    EXPECT_EQ(path_cost, Reference_Path(hero, F(7, 4, 1), false).cost);

    // Reached from any other side the stairs are plain ground.
    Go(F(4, 6));
    ASSERT_GT(path_count, 0);
    EXPECT_EQ(path_dest, F(4, 6));
}

TEST_F(PathSearch, ArrowsFollowThePath) {
    Hero(F(2, 2));
    Go(F(6, 2));
    ASSERT_EQ(path_count, 4);
    Show_Path_Cursor();
    EXPECT_EQ(cursordirs_count, 4);
    EXPECT_EQ(cursor_path_dest, F(6, 2));
    for (std::uint32_t x = 3; x <= 6; ++x) EXPECT_EQ(Arrow_Frames(F(x, 2)), std::vector<int>{1}) << x;
    EXPECT_TRUE(Arrow_Frames(F(2, 2)).empty());

    // A second show without a hide is a fault: reported, the old arrows go.
    Go(F(2, 5));
    Show_Path_Cursor();
    EXPECT_EQ(Captions(), std::vector<std::string>{"Cursordirs is not NULL!"});
    EXPECT_TRUE(Arrow_Frames(F(6, 2)).empty());
    for (std::uint32_t y = 3; y <= 5; ++y) EXPECT_EQ(Arrow_Frames(F(2, y)), std::vector<int>{2}) << y;
    Hide_Path_Cursor();
    for (std::uint32_t y = 3; y <= 5; ++y) EXPECT_TRUE(Arrow_Frames(F(2, y)).empty());
    EXPECT_EQ(shown_path_dest, NO_FIELD);
    EXPECT_EQ(cursordirs, nullptr);
    // Hiding nothing is no fault.
    Hide_Path_Cursor();
    EXPECT_EQ(Headless_Backend().boxes.size(), 1u);
}

TEST_F(PathSearch, ZeroCostFieldIsTakenButNotSteppedOn) {
    World(10, 6, 1, 0);
    Draw_Level({
        "1111111111",
        "1111111111",
        "11.1111111",
        "1111111111",
    });
    Hero(F(1, 2));
    Go(F(3, 2));
    ASSERT_EQ(path_count, 2);
    EXPECT_EQ(path_cost, 1);
    EXPECT_EQ(Found_Path_Fields(), (std::vector<std::uint16_t>{F(2, 2), F(3, 2)}));
    Store_Char_Path(hero, pathdirs.data(), path_count, Fix_Ref(F(3, 2)));
    chararray.records[hero].facing = 3;
    EXPECT_EQ(Can_Step_Next(hero), 0);
    EXPECT_EQ(chararray.records[hero].facing, 3);

    // Once on the free field, the next step (cost 1) may be taken.
    Delete_Object_From_Field(OBJ_CHAR, hero, F(1, 2));
    Put_Object_To_Field(Char_Ref(hero), F(2, 2));
    chararray.records[hero].path_entry = 0;
    EXPECT_EQ(Can_Step_Next(hero), 1);
    // Without a stored path, or with another character in the way, not.
    Place_Thinking_Char(F(3, 2), "Other");
    EXPECT_EQ(Can_Step_Next(hero), 0);
    Free_Char_Path(hero);
    EXPECT_EQ(Can_Step_Next(hero), 0);
}

TEST_F(PathSearch, StepDestinationIsTheStartOfAStepper) {
    Hero(F(4, 4));
    chararray.records[hero].state = CS_STEPPING;
    chararray.records[hero].act = F(5, 4);
    Go(F(8, 4));
    ASSERT_EQ(path_count, 3);
    EXPECT_EQ(Found_Path_Fields().front(), F(6, 4));
    EXPECT_TRUE(Found_Path_Is_Connected(F(5, 4)));
}

// ---- Faults of the plain algorithm, built soundly ----

TEST_F(PathSearch, FieldCutByTheBoundIsStillEnteredByACheaperArrival) {
    // The line runs over the dear field A = (2,1) to D = (3,1): bound 9.
    // A is expanded first and reaches X = (2,2) at 9 + 5, above the bound,
    // which caches X's cost; the cheap way S, B, X, D reaches X later at 0.
    World(6, 4, 1, 0);
    Draw_Level({
        "######",
        "#.9.##",
        "#.5###",
        "######",
    });
    Hero(F(1, 1));
    Go(F(3, 1));
    ASSERT_EQ(path_count, 3);
    EXPECT_EQ(path_cost, 5);
    EXPECT_EQ(Found_Path_Fields(), (std::vector<std::uint16_t>{F(1, 2), F(2, 2), F(3, 1)}));
}

TEST_F(PathSearch, CostsAbove2047AreOutOfReach) {
    World(40, 5, 1, 127);
    Hero(F(1, 2));
    Go(F(17, 2));  // 16 steps of 127
    ASSERT_EQ(path_count, 16);
    EXPECT_EQ(path_cost, 2032);
    Go(F(18, 2));  // 2159 would wrap in 11 bits
    EXPECT_EQ(path_count, 0);
    EXPECT_EQ(Node_Type(path_nodes[F(18, 2)]), PT_UNVISITED);
    EXPECT_EQ(Node_Cost(path_nodes[F(17, 2)]), 2032);
    EXPECT_FALSE(Reference_Path(hero, F(18, 2), false).found);
}

TEST_F(PathSearch, TransporterCyclesAndBadDestinationsBlockTheField) {
    World(10, 6, 2);
    // Two teleports sending to each other.
    Add_Modifier(0, Fix_Ref(F(3, 2)), MK_TELEPORT, F(6, 2), 0, 0, 0);
    Add_Modifier(0, Fix_Ref(F(6, 2)), MK_TELEPORT, F(3, 2), 0, 0, 0);
    Hero(F(1, 2));
    path_char = Char_Ref(hero);
    Clear_Danger_Map();
    Set_Danger_Limits(path_char);
    std::uint16_t f = F(3, 2);
    EXPECT_EQ(Field_Enter_Cost(f), -1);
    // Stairs up and, above, down again in the same direction.
    Add_Modifier(0, Fix_Ref(F(4, 4)), MK_STEPS, 0x3F, 1, 0, 0);
    Add_Modifier(0, Fix_Ref(F(4, 4, 1)), MK_STEPS, 0x3F, static_cast<std::uint16_t>(-1), 0, 0);
    f = F(4, 4);
    EXPECT_EQ(Field_Enter_Cost(f), -1);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    // A path still goes round them.
    Go(F(8, 2));
    ASSERT_GT(path_count, 0);
    for (std::uint16_t p : Found_Path_Fields()) EXPECT_TRUE(p != F(3, 2) && p != F(6, 2) && p != F(4, 4));

    // A program answering a destination off the map (or below 0).
    for (RequestValue bad : {static_cast<RequestValue>(total_fields), static_cast<RequestValue>(-5)}) {
        Headless_Backend().boxes.clear();
        ScopedHandler program(MK_CHARM,
                              [bad](const HandlerCall& c) { return c.request == REQ_TRANSPORT_DEST ? bad : c.value; });
        Add_Modifier(0, Fix_Ref(F(2, 5)), MK_CHARM, 0, 0, 0, 0);
        mapfield[F(2, 5)] |= MF_TRANSPORTER;
        path_char = Char_Ref(hero);
        f = F(2, 5);
        EXPECT_EQ(Field_Enter_Cost(f), -1);
        EXPECT_EQ(Captions(), std::vector<std::string>{"invalid transporter destination"});
        Remove_All_Modifiers(Fix_Ref(F(2, 5)));
    }
}

TEST_F(PathSearch, TeleportOnTheLineGivesNoBound) {
    // The straight line crosses a teleport into a closed pocket, so the line
    // is no path; the way round it (27) is dearer than the line would be (8).
    World(11, 6, 1, 1);
    Draw_Level({
        "###########",
        "####999####",
        "#.........#",
        "###########",
        "#.#########",
        "###########",
    });
    Add_Modifier(0, Fix_Ref(F(5, 2)), MK_TELEPORT, F(1, 4), 0, 0, 0);
    Hero(F(1, 2));
    Go(F(9, 2));
    ASSERT_GT(path_count, 0);
    EXPECT_EQ(path_cost, 27);
    EXPECT_EQ(Reference_Path(hero, F(9, 2), false).cost, 27);
}

TEST_F(PathSearch, DestinationEnteredFromOneSideOnlyIsFound) {
    // An excluder shuts the destination to walkers going east (directions
    // 1, 2, 6): only the long way round enters it walking west.
    World(15, 5, 1, 1);
    Draw_Level({
        "...............",
        ".....########..",
        "...............",
        ".....########..",
        "...............",
    });
    Add_Modifier(0, Fix_Ref(F(6, 2)), MK_EXCLUDER, 0x01 | 0x02 | 0x20, 0, 0, 0);
    Hero(F(2, 2));
    const ReferencePath best = Reference_Path(hero, F(6, 2), false);
    ASSERT_TRUE(best.found);
    EXPECT_GT(best.cost, 3 + 10);  // dearer than the line with a blocked destination
    Go(F(6, 2));
    ASSERT_GT(path_count, 0);
    EXPECT_EQ(path_cost, best.cost);
    EXPECT_EQ(Node_Type(pathdirs[0]), PT_EXPANDED);
    EXPECT_EQ(Node_Dir(pathdirs[0]), 4);
    EXPECT_EQ(Node_Parent(pathdirs[0]), F(7, 2));
}

TEST_F(PathSearch, DangerMapSaturatesAndBlocksNearEnemies) {
    World(12, 12);
    Hero(F(2, 5));
    chararray.records[hero].hp = 100;               // danger limit 100 * 50 / 50 = 100
    char_record brute = Char_Template("Brute", 4);  // a club of damage 75: a threat of 75
    std::uint16_t club = Add_Item_Type("Club", CLASS_MACE);
    item_types[club].damage_min = 75;
    item_types[club].damage_max = 75;
    std::uint16_t a = Place_Char(F(6, 5), brute);
    std::uint16_t b = Place_Char(F(6, 7), brute);
    Give_Item(a, club, SLOT_RIGHT_HAND);
    Give_Item(b, club, SLOT_RIGHT_HAND);
    Alloc_IQ_Slot(Char_Ref(a));
    Alloc_IQ_Slot(Char_Ref(b));
    Make_Hostile(a, hero);
    Make_Hostile(b, hero);
    Build_Danger_Map(Char_Ref(hero));
    EXPECT_EQ(danger_limit, 100);
    // (6,6) is next to both: 75 + 75 stops at 127 instead of wrapping to 22.
    EXPECT_EQ(field_cost[F(6, 6)], COST_NOT_COMPUTED | 127);
    EXPECT_EQ(field_cost[F(7, 5)], COST_NOT_COMPUTED | 75);
    EXPECT_EQ(field_cost[F(6, 5)], COST_NOT_COMPUTED);  // the enemy's own field
    EXPECT_EQ(field_cost[F(2, 2)], COST_NOT_COMPUTED);
    std::uint16_t f = F(6, 6);
    EXPECT_EQ(Field_Enter_Cost(f), -1);
    f = F(7, 5);
    EXPECT_EQ(Field_Enter_Cost(f), 75 + 2);

    // A friendly or unseen enemy adds nothing.
    Set_Relation(chararray.records[b].ai_slot, chararray.records[hero].ai_slot, -20);
    Build_Danger_Map(Char_Ref(hero));
    EXPECT_EQ(field_cost[F(6, 6)], COST_NOT_COMPUTED | 75);
    EXPECT_EQ(field_cost[F(6, 8)], COST_NOT_COMPUTED);
    Draw_Level({"", "", "", "", "", "....#", "....#", "....#"});
    Build_Danger_Map(Char_Ref(hero));
    EXPECT_EQ(field_cost[F(7, 5)], COST_NOT_COMPUTED);

    // Ignoring danger takes the routed character's own limit, whatever
    // character the last danger map was built for.
    danger_limit = 0;
    Go(F(9, 5), 1);
    EXPECT_GT(path_count, 0);
    EXPECT_EQ(danger_limit, 100);
}

TEST_F(PathSearch, AWoundedCowardStillWalksWhereThereIsNoDanger) {
    World(12, 12);
    Hero(F(2, 5));
    chararray.records[hero].hp = 1;
    chararray.records[hero].braveness = 40;  // danger limit 1 * 40 / 50 = 0
    for (std::uint32_t ignore : {1u, 0u}) {
        Go(F(6, 5), ignore);
        EXPECT_EQ(danger_limit, 0);
        EXPECT_EQ(path_count, 4) << ignore;
        EXPECT_EQ(path_cost, 8);
    }
    // Any danger at all still stops it.
    char_record brute = Char_Template("Brute", 4);
    std::uint16_t club = Add_Item_Type("Club", CLASS_MACE);
    item_types[club].damage_min = 1;
    item_types[club].damage_max = 1;
    std::uint16_t b = Place_Char(F(9, 5), brute);
    Give_Item(b, club, SLOT_RIGHT_HAND);
    Alloc_IQ_Slot(Char_Ref(b));
    Make_Hostile(b, hero);
    Build_Danger_Map(Char_Ref(hero));
    std::uint16_t near = F(8, 5), far = F(6, 5);
    EXPECT_EQ(Field_Enter_Cost(near), -1);
    EXPECT_EQ(Field_Enter_Cost(far), 2);
}

TEST_F(PathSearch, LineFieldsWithinRadius12) {
    World(25, 25);
    const std::uint16_t centre = F(12, 12);
    std::vector<std::uint16_t> area;
    for (std::uint32_t y = 0; y < 25; ++y)
        for (std::uint32_t x = 0; x < 25; ++x)
            if (Field_Distance(centre, F(x, y)) <= 12) area.push_back(F(x, y));
    std::uint16_t line[MAX_LINE_FIELDS];
    int checked = 0;
    for (std::uint16_t a : area) {
        for (std::uint16_t b : area) {
            const std::uint16_t n = Line_Fields(a, b, line);
            const std::int32_t distance = Field_Distance(a, b);
            ASSERT_EQ(n, distance) << a << " to " << b;
            if (n == 0) continue;
            ASSERT_EQ(line[0], a);
            std::set<std::uint16_t> seen(line, line + n);
            ASSERT_EQ(seen.size(), n) << "repeats from " << a << " to " << b;
            ASSERT_FALSE(seen.count(b));
            for (std::uint16_t i = 0; i < n; ++i) {
                const std::uint16_t next = i + 1 < n ? line[i + 1] : b;
                ASSERT_EQ(Field_Distance(line[i], next), 1) << a << " to " << b << " at " << i;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 200000);
}

TEST_F(PathSearch, DirectionOfVector) {
    struct Case {
        std::int16_t dx, dy;
        int dir;
    } cases[] = {
        {1, 0, 1},   {0, 0, 4},  {-3, 0, 4}, {0, 4, 2},  {0, -2, 5}, {1, 1, 2},   {2, 1, 1},
        {5, 1, 1},   {-1, 1, 3}, {-2, 1, 4}, {-1, 2, 3}, {-1, 3, 2}, {-5, 1, 4},  {-1, -1, 5},
        {-2, -1, 4}, {1, -1, 6}, {2, -1, 1}, {1, -2, 6}, {1, -3, 5}, {-6, -1, 4}, {6, -1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(Direction_Of_Vector(c.dx, c.dy), c.dir) << c.dx << "," << c.dy;
}

TEST_F(PathSearch, MassSumsTheCoverOfTheLine) {
    Set_Fixitem_Type(5, LAYER_WALL, 1, 0, 40);
    Place_Fixitem(F(3, 3), 5);
    Place_Fixitem(F(5, 3), 5);
    Place_Fixitem(F(8, 3), 5);  // the destination is not on the line
    Place_Char(F(4, 3));        // a character covers 30
    EXPECT_EQ(Mass(F(2, 3), F(8, 3), NOOBJ), 40 + 30 + 40);
    EXPECT_EQ(Mass(F(3, 3), F(3, 3), NOOBJ), 0);
    EXPECT_EQ(Mass(static_cast<std::uint16_t>(total_fields), F(3, 3), NOOBJ), 0);
    EXPECT_EQ(Captions(), std::vector<std::string>{"Source index is not field-head in Mass"});
}

// ---- Against a Dijkstra of our own on random maps ----

// Draws a random level: a field is a wall at a chance of walls in a
// hundred, else costs a digit from first_digit to 9 at a chance of costly -
// walls in a hundred. Returns the fields that are no wall.
std::vector<std::uint16_t> Draw_Random_Level(std::mt19937& rng, std::uint32_t w, std::uint32_t h, unsigned walls,
                                             unsigned costly, char first_digit) {
    std::vector<std::string> rows(h, std::string(w, '.'));
    const unsigned digits = static_cast<unsigned>('9' - first_digit) + 1;
    for (auto& row : rows)
        for (char& c : row) {
            const unsigned r = rng() % 100;
            if (r < walls)
                c = '#';
            else if (r < costly)
                c = static_cast<char>(first_digit + static_cast<char>(rng() % digits));
        }
    Draw_Level(rows);
    std::vector<std::uint16_t> open;
    for (std::uint16_t f = 0; f < total_fields; ++f)
        if (rows[Field_Y(f)][Field_X(f)] != '#') open.push_back(f);
    return open;
}

TEST_F(PathSearch, NeverDearerThanTheCheapestPathOnRandomMaps) {
    std::mt19937 rng(20261210);
    int compared = 0, found = 0;
    for (int map = 0; map < 40; ++map) {
        const std::uint32_t w = 8 + rng() % 12, h = 8 + rng() % 12;
        World(w, h, 1, static_cast<std::int8_t>(rng() % 3));
        const std::vector<std::uint16_t> open = Draw_Random_Level(rng, w, h, 18, 55, '0');
        if (open.size() < 8) continue;
        auto any_open = [&] { return open[rng() % open.size()]; };
        // One-way edges, teleports, bystanders and a few enemies.
        for (int i = 0; i < 4; ++i)
            Add_Modifier(0, Fix_Ref(any_open()), MK_EXCLUDER, static_cast<std::uint16_t>(rng() % 64), 0, 0, 0);
        for (int i = 0; i < 2; ++i) Add_Modifier(0, Fix_Ref(any_open()), MK_TELEPORT, any_open(), 0, 0, 0);
        std::set<std::uint16_t> taken;
        Hero(any_open());
        taken.insert(Start());
        for (int i = 0; i < 3; ++i) {
            const std::uint16_t at = any_open();
            if (!taken.insert(at).second || (mapfield[at] & MF_TRANSPORTER)) continue;
            std::uint16_t other = Place_Thinking_Char(at, "Other", 4);
            if (i == 0) Make_Hostile(other, hero);
        }
        for (int trip = 0; trip < 12; ++trip) {
            const std::uint16_t dest = rng() % 4 == 0 ? *std::next(taken.begin(), rng() % taken.size()) : any_open();
            if (mapfield[dest] & MF_TRANSPORTER) continue;
            const std::uint32_t ignore = rng() % 2;
            const ReferencePath best = Reference_Path(hero, dest, ignore);
            Go(dest, ignore);
            SCOPED_TRACE(testing::Message() << "map " << map << " trip " << trip << " to " << dest);
            ++compared;
            ASSERT_EQ(path_count > 0, best.found);
            if (!best.found) continue;
            ++found;
            ASSERT_EQ(path_cost, best.cost);
            ASSERT_TRUE(Found_Path_Is_Connected(Start()));
            std::set<std::uint16_t> queued(path_queue.begin(), path_queue.begin() + path_queue_count);
            ASSERT_EQ(queued.size(), path_queue_count) << "a field queued twice";
        }
    }
    EXPECT_GT(compared, 300);
    EXPECT_GT(found, 150);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

// A destination that a character stands on is reached no cheaper once it
// was reached: the search stops at dearer steps and finds the path, arrow
// for arrow, that it finds asking every field (as it does while a kind's
// handler is stood in), looking at fewer fields.
TEST_F(PathSearch, AnOccupiedDestinationEndsTheSearchEarlyWithTheSamePath) {
    std::mt19937 rng(20261211);
    int compared = 0, fewer = 0;
    for (int map = 0; map < 30; ++map) {
        const std::uint32_t w = 10 + rng() % 20, h = 10 + rng() % 20;
        World(w, h, 1, static_cast<std::int8_t>(1 + rng() % 2));
        const std::vector<std::uint16_t> open = Draw_Random_Level(rng, w, h, 15, 40, '1');
        if (open.size() < 12) continue;
        std::set<std::uint16_t> taken;
        Hero(open[rng() % open.size()]);
        taken.insert(Start());
        std::vector<std::uint16_t> occupied;
        for (int i = 0; i < 6; ++i) {
            const std::uint16_t at = open[rng() % open.size()];
            if (!taken.insert(at).second) continue;
            Place_Thinking_Char(at, "Other", 4);
            occupied.push_back(at);
        }
        for (const std::uint16_t dest : occupied) {
            SCOPED_TRACE(testing::Message() << "map " << map << " to " << dest);
            std::vector<std::uint32_t> asking_all;
            std::uint32_t queued_all = 0;
            std::uint16_t cost_all = 0;
            {
                const ScopedHandler stand_in(MK_CHARM, [](const HandlerCall& call) { return call.value; });
                Go(dest);
                asking_all.assign(pathdirs.begin(), pathdirs.begin() + path_count);
                queued_all = path_queue_count;
                cost_all = path_cost;
            }
            Go(dest);
            ++compared;
            EXPECT_EQ(std::vector<std::uint32_t>(pathdirs.begin(), pathdirs.begin() + path_count), asking_all);
            EXPECT_EQ(path_cost, cost_all);
            EXPECT_LE(path_queue_count, queued_all);
            if (path_queue_count < queued_all) ++fewer;
        }
    }
    EXPECT_GT(compared, 100);
    EXPECT_GT(fewer, compared / 2);
    EXPECT_TRUE(Headless_Backend().boxes.empty());
}

}  // namespace
