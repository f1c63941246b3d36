// Resizing the map in place: a world with characters (one carrying items
// in its pack and hands), items on fields, stacked and animated fixitems,
// map animations, programs whose parameters name fields or records, acts,
// and the AI slots of characters and of a thinking fixitem is grown and
// shrunk in each dimension. After each change every object keeps its x, y
// and level, every reference names what it named before (or none, when
// that went with a dropped field), the map passes the loader's checks and
// round-trips through a map file, and the light map and the path arrays
// have the new size.
#include <map>
#include <sstream>

#include "Objects/Acts.h"
#include "Objects/Item/Items.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "datafiles/LightMap.h"
#include "editor/MapProperties.h"
#include "editor/MapResize.h"
#include "tests/editor/EditorFixture.h"

namespace {

// ---- A description of the world that does not depend on the numbering ----

// The world as the designer sees it, inside a box of fields (the rest is
// gone): what stands on every field in order, each object's modifiers with
// the fields and records their parameters name, what the characters
// carry, the running animations, the AI slots with their acts, and the
// player's side. A reference to anything outside the box reads "none".
class WorldText {
  public:
    explicit WorldText(map_size box) : box_(box) {}

    std::string Of_World() {
        std::ostringstream out;
        out << "size " << map_width << "x" << map_height << "x" << map_levels << "\n";
        for (std::uint32_t l = 0; l < box_.levels; ++l)
            for (std::uint32_t y = 0; y < box_.height; ++y)
                for (std::uint32_t x = 0; x < box_.width; ++x) Field_Text(out, Field_Index(x, y, l));
        Animations(out);
        Slots(out);
        Player_Side(out);
        return out.str();
    }

  private:
    map_size box_;

    bool Inside(std::uint32_t f) const {
        return f < total_fields && Field_X(f) < box_.width && Field_Y(f) < box_.height && Field_Level(f) < box_.levels;
    }
    static std::string Place(std::uint32_t f) {
        return std::string("(") + std::to_string(Field_X(f)) + "," + std::to_string(Field_Y(f)) + "," +
               std::to_string(Field_Level(f)) + ")";
    }
    std::string Field_Param(std::uint32_t f) const { return Inside(f) ? Place(f) : "none"; }

    // The place of an object in its field's list: its field and position.
    std::string Listed(obj_ref obj) const {
        const std::uint16_t field = Object_Field(obj);
        if (!Inside(field)) return "none";
        obj_ref at = Field_Head(field);
        for (int k = 0; k < 1000; ++k) {
            Next_Object(at);
            if (at == obj) return Place(field) + "#" + std::to_string(k);
            if (Obj_Kind(at) == OBJ_NONE) break;
        }
        return "unlisted";
    }

    std::string Ref(obj_ref r) const {
        const std::uint16_t i = Obj_Index(r);
        switch (Obj_Kind(r)) {
            case OBJ_NONE: return r == NOOBJ ? "none" : std::string("k0:") + std::to_string(i);
            case OBJ_FIXITEM: {
                if (i < total_fields) return Inside(i) ? std::string("field") + Place(i) : "none";
                if (i == NO_INDEX) return "none";
                if (i >= maparray.Capacity() || Map_Record_Is_Free(i)) return "free-record";
                const std::string listed = Listed(r);
                return listed == "none" ? listed : std::string("fix") + listed;
            }
            case OBJ_CHAR:
                if (!Char_In_Use(i)) return "char-gone";
                return Inside(Object_Field(r)) ? std::string("char:") + Char_Name(chararray.records[i]) : "char-gone";
            case OBJ_ITEM: {
                if (i == 0 || i >= itemarray.Capacity() || Item_Record_Is_Free(i)) return "item-gone";
                const obj_ref owner = itemarray.records[i].owner;
                if (Obj_Kind(owner) == OBJ_CHAR) {
                    const std::string who = Ref(owner);
                    return who == "char-gone" ? "item-gone" : std::string("item-of-") + who;
                }
                return std::string("item") + Listed(r);
            }
            case OBJ_MAPANIM: {
                const std::string listed = Listed(r);
                return listed == "none" ? listed : std::string("anim") + listed;
            }
            default: return "bad";
        }
    }

    std::string Modifier(std::uint16_t m) const {
        const modifier& r = mod_array.records[m];
        std::ostringstream out;
        out << "m" << r.type << "/" << int{r.level} << "/" << int{r.flags} << "[";
        switch (r.type) {
            case MK_BASIC_MONSTER:
            case MK_STANDING_GUARD:
            case MK_TELEPORT: out << Field_Param(r.p1) << "," << r.p2 << "," << r.p3 << "," << r.p4; break;
            case MK_MOVING_GUARD:
                out << Field_Param(r.p1) << "," << Field_Param(r.p2) << "," << r.p3 << "," << Field_Param(r.p4);
                break;
            case MK_FIRE: out << r.p1 << "," << Ref(Make_Obj(OBJ_FIXITEM, r.p2)) << "," << r.p3 << "," << r.p4; break;
            case MK_EVIL_FOG:
            case MK_FIRE_WALL:
            case MK_LIVING_TORCH: {
                const std::string record =
                    r.type == MK_EVIL_FOG ? Ref(Make_Obj(OBJ_FIXITEM, r.p2)) : std::to_string(r.p2);
                out << r.p1 << "," << record << "," << Ref(Make_Obj(r.p3, r.p4));
                break;
            }
            default: out << r.p1 << "," << r.p2 << "," << r.p3 << "," << r.p4; break;
        }
        out << "]";
        return out.str();
    }
    std::string Chain(std::uint16_t head) const {
        std::string out;
        For_Each_In_Chain(head, [&](std::uint16_t m) { out += Modifier(m) + " "; });
        return out;
    }

    void Object_Text(std::ostringstream& out, obj_ref o) const {
        const std::uint16_t i = Obj_Index(o);
        out << "  " << Ref(o) << ": ";
        switch (Obj_Kind(o)) {
            case OBJ_CHAR: {
                const char_record& r = chararray.records[i];
                out << "facing " << int{r.facing} << " lobby " << int{r.lobby} << " flags " << r.flags << " state "
                    << r.state << " mods " << Chain(r.first_mod) << " carries";
                for (int s = 0; s < CHAR_SLOTS; ++s) {
                    const std::int16_t item = r.slots[s];
                    if (item > 0)
                        out << " " << s << ":" << itemarray.records[item].type << "{"
                            << Chain(itemarray.records[item].first_mod) << "}";
                    else if (item < 0)
                        out << " " << s << ":" << item;
                }
                break;
            }
            case OBJ_ITEM: {
                const item_record& r = itemarray.records[i];
                out << "type " << r.type << " recognize " << int{r.recognize} << " mods " << Chain(r.first_mod);
                break;
            }
            case OBJ_FIXITEM: {
                const map_record& r = maparray.records[i];
                out << "slot " << int{r.type} << " frame " << int{r.frame} << " hp " << int{r.hp} << " mods "
                    << Chain(r.first_mod);
                break;
            }
            case OBJ_MAPANIM: {
                const mapanim_record& r = mapanim.records[i];
                out << "type " << int{r.type} << " owner " << Ref(r.owner);
                break;
            }
            default: break;
        }
        out << "\n";
    }

    void Field_Text(std::ostringstream& out, std::uint16_t f) const {
        const map_record& head = maparray.records[f];
        out << Place(f) << " word " << mapfield[f] << " head " << int{head.type} << "/" << int{head.frame} << "/"
            << int{head.hp} << " mods " << Chain(head.first_mod) << "\n";
        obj_ref at = Field_Head(f);
        for (int k = 0; k < 1000; ++k) {
            Next_Object(at);
            if (Obj_Kind(at) == OBJ_NONE) break;
            Object_Text(out, at);
        }
    }

    void Animations(std::ostringstream& out) const {
        std::size_t steps = 0;
        for (std::uint32_t e = animated_fixitems.active;
             e < animated_fixitems.Capacity() && steps++ < animated_fixitems.Capacity();
             e = animated_fixitems.records[e].next) {
            const anim_entry& a = animated_fixitems.records[e];
            const std::string object = Ref(Make_Obj(a.obj_kind, a.obj_index));
            if (object == "none") continue;  // stopped with its field
            out << "anim entry " << object << " " << int{a.first} << ".." << int{a.last} << " flags " << int{a.flags}
                << " speed " << a.speed << "\n";
        }
    }

    std::string Act(const act_entry& a) const {
        std::ostringstream out;
        const std::string target = Ref(a.target);
        if (Obj_Kind(a.target) == OBJ_FIXITEM && target == "none") return "act 0 prio 0 target none 0 0";
        const bool relation = (a.type & ACT_KIND_MASK) == ACT_RELATION;
        out << "act " << a.type << " prio " << a.priority << " target " << target << " "
            << (relation ? Field_Param(a.arg1) : std::to_string(a.arg1)) << " " << a.arg2;
        return out.str();
    }

    void Slots(std::ostringstream& out) const {
        for (std::uint16_t s = 0; s < iqarray.used; ++s) {
            if (!IQ_Slot_In_Use(s)) continue;
            const iq_slot& slot = iqarray.records[s];
            const std::string object = Ref(slot.object);
            if (object == "none" || object == "char-gone" || object == "free-record") continue;
            out << "slot " << object << " state " << int{slot.state} << ":";
            std::size_t steps = 0;
            for (std::uint32_t a = slot.first_act; a < actarray.Capacity() && steps++ < actarray.Capacity();
                 a = actarray.records[a].next)
                out << " [" << Act(actarray.records[a]) << "]";
            out << "\n";
        }
    }

    void Player_Side(std::ostringstream& out) const {
        out << "selected:";
        for (int i = 0; i < selected_count; ++i) {
            const std::string who = Ref(Make_Obj(OBJ_CHAR, selected[i]));
            if (who != "char-gone") out << " " << who;
        }
        out << "\nparty:";
        for (std::uint32_t i = 0; i < player_count; ++i) {
            const std::string who = Ref(Make_Obj(OBJ_CHAR, player_chars[i]));
            if (who != "char-gone") out << " " << who;
        }
        const std::string main = main_char == NO_INDEX ? "none" : Ref(Make_Obj(OBJ_CHAR, main_char));
        out << "\nmain " << (main == "char-gone" ? "none" : main);
        const std::string working = Ref(current_object);
        out << "\nworking " << (working == "char-gone" ? "none" : working);
        const std::string page =
            page_char < 0 ? "none" : Ref(Make_Obj(OBJ_CHAR, static_cast<std::uint16_t>(page_char)));
        out << "\npage " << (page == "char-gone" ? "none" : page) << "\n";
    }
};

std::string World_Text(const map_size& box) { return WorldText(box).Of_World(); }

// The world text with the size line of another size (what the world will
// read as once it has that size).
std::string Expected_After(const map_size& box, const map_size& size) {
    std::string text = World_Text(box);
    const std::string line = std::string("size ") + std::to_string(size.width) + "x" + std::to_string(size.height) +
                             "x" + std::to_string(size.levels);
    return line + text.substr(text.find('\n'));
}

// The lines where two world texts differ (at most a few), or nothing.
std::string Differences(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected), b(actual);
    std::string la, lb, out;
    int shown = 0, line = 0;
    while (shown < 8) {
        const bool more_a = static_cast<bool>(std::getline(a, la));
        const bool more_b = static_cast<bool>(std::getline(b, lb));
        if (!more_a && !more_b) break;
        ++line;
        if (more_a && more_b && la == lb) continue;
        out += "line " + std::to_string(line) + ":\n  expected: " + (more_a ? la : "(end)") +
               "\n  actual:   " + (more_b ? lb : "(end)") + "\n";
        ++shown;
    }
    return out;
}

map_size Min_Size(const map_size& a, const map_size& b) {
    return {std::min(a.width, b.width), std::min(a.height, b.height), std::min(a.levels, b.levels)};
}

class MapResize : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        Start(10, 10, 1);
    }
    // A new world whose questions the designer answers with Yes.
    void Start(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
        New_World(width, height, levels);
        backend().answer = [](const MessageBoxCall&) { return IDYES; };
    }

    // An object placed from a database type by the editor, as the designer
    // places it.
    std::uint16_t Place(std::uint16_t kind, std::uint16_t type, std::uint16_t field) {
        Select_Type(kind, type);
        Click(field);
        if (selection_on_map == 1 && editor_selection.kind == kind) return editor_selection.index;
        ADD_FAILURE() << "nothing placed on field " << field << ": " << editor_status;
        return NO_INDEX;
    }
    std::uint16_t Place_Char(std::uint16_t field, const char* name) {
        const std::uint16_t c = Place(OBJ_CHAR, CT_WARRIOR, field);
        std::strncpy(chararray.records[c].name, name, sizeof chararray.records[c].name - 1);
        return c;
    }
    // A modifier that nothing asks (inactive): its parameters only matter
    // to the resize.
    static std::uint16_t Quiet_Modifier(obj_ref owner, std::uint32_t type, std::uint16_t p1, std::uint16_t p2,
                                        std::uint16_t p3, std::uint16_t p4) {
        const std::uint16_t m = Add_Modifier(0, owner, MK_HASTE, 0, 0, 0, 0);
        modifier& r = mod_array.records[m];
        r.flags = MOD_INACTIVE;
        r.type = type;
        r.p1 = p1;
        r.p2 = p2;
        r.p3 = p3;
        r.p4 = p4;
        return m;
    }

    // Everything a map can hold around the fields of a box from (x0, y0) on
    // level l: a wandering monster and a pair of guards, a hero with items
    // in pack and hand, items and stacked and animated fixitems, a teleport
    // to a field of the box (its shimmer a map animation), a burning field,
    // a thinking fixitem and acts aimed at fields and fixitems. Objects in
    // other places may be named through the far field.
    void Fill(std::uint32_t x0, std::uint32_t y0, std::uint32_t l, std::uint16_t far, const std::string& tag) {
        auto at = [&](std::uint32_t dx, std::uint32_t dy) { return F(x0 + dx, y0 + dy, l); };
        const std::uint16_t monster = Place_Char(at(0, 0), ("Monster" + tag).c_str());
        Add_Modifier(0, Make_Obj(OBJ_CHAR, monster), MK_BASIC_MONSTER, far, 0, 5, 6);
        const std::uint16_t guard = Place_Char(at(1, 0), ("Guard" + tag).c_str());
        Add_Modifier(0, Make_Obj(OBJ_CHAR, guard), MK_STANDING_GUARD, 0, 0, 7, 0);
        const std::uint16_t patrol = Place_Char(at(2, 0), ("Patrol" + tag).c_str());
        Add_Modifier(0, Make_Obj(OBJ_CHAR, patrol), MK_MOVING_GUARD, at(2, 0), far, 9, at(2, 1));
        const std::uint16_t hero = Place_Char(at(0, 1), ("Hero" + tag).c_str());
        fixture::Give_Item(hero, sword, SLOT_RIGHT_HAND);
        fixture::Give_Item(hero, pack, 0);
        Select_Char(hero);

        Place(OBJ_ITEM, sword, at(1, 1));
        Place(OBJ_ITEM, pack, at(1, 1));
        const std::uint16_t wall = Place(OBJ_FIXITEM, DB_WALL, at(2, 2));
        const std::uint16_t door = Place(OBJ_FIXITEM, torch_type, at(3, 2));
        Place(OBJ_FIXITEM, DB_POST, at(3, 3));
        Place(OBJ_FIXITEM, DB_POST, at(3, 3));
        Place(OBJ_ITEM, sword, at(3, 3));

        const std::uint16_t teleport = Place(OBJ_FIXITEM, DB_POST, at(0, 3));
        Add_Modifier(0, Make_Obj(OBJ_FIXITEM, teleport), MK_TELEPORT, far, 0, 0, 0);
        const std::uint16_t flame = Place(OBJ_FIXITEM, DB_POST, at(1, 3));
        Quiet_Modifier(Field_Head(at(1, 3)), MK_FIRE, 4, flame, 0, 0);
        Quiet_Modifier(Field_Head(at(1, 3)), MK_EVIL_FOG, 3, flame, OBJ_FIXITEM, wall);
        Quiet_Modifier(Make_Obj(OBJ_CHAR, hero), MK_LIVING_TORCH, 2, 0, OBJ_FIXITEM, far);
        mapfield[at(2, 2)] = static_cast<std::uint16_t>(mapfield[at(2, 2)] | 3);

        const std::uint16_t thinker = Alloc_IQ_Slot(Make_Obj(OBJ_FIXITEM, door));
        Add_Act(thinker, ACT_GO, Field_Head(far), 0, 0, 4);
        const std::uint16_t slot = chararray.records[monster].ai_slot;
        Add_Act(slot, ACT_GO, Field_Head(at(3, 3)), 0, 0, 8);
        Add_Act(slot, ACT_ATTACK, Make_Obj(OBJ_FIXITEM, wall), 0, 0, 7);
        Add_Act(slot, ACT_RELATION, Make_Obj(OBJ_CHAR, hero), at(0, 1), 0, 6);
        Add_Act(slot, ACT_TURN, NOOBJ, x0 + 4, y0 + 1, 5);
        Add_Act(slot, ACT_GO, Field_Head(far), 0, 0, 3);
    }

    // The rich world: one set of everything inside the 10 x 10 x 1 map,
    // each naming a far field of the map.
    void Build() {
        torch_type = Add_Db_Fixitem("Torch", Db_Fixitem("DOOR", 10, FIX_ANIMATED));
        Fill(1, 1, 0, F(8, 8), "A");
    }

    // A resize as the dialog's "Change Size" makes it, then the checks of
    // a sound map: what the two sizes share reads as before, the fields
    // the map gained are empty, and the map file brings the same back.
    void Resize_And_Check(const map_size& size) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + "x" +
                     std::to_string(size.levels));
        const map_size box = Min_Size(Current_Map_Size(), size);
        const std::string expected = Expected_After(box, size);
        ASSERT_TRUE(Prop_Change_Size(size)) << editor_status;
        EXPECT_EQ(Current_Map_Size(), size);
        EXPECT_EQ(Differences(expected, World_Text(box)), "");
        Expect_Empty_Outside(box);
        Expect_Slots_Of_Live_Objects();
        EXPECT_EQ(light.size(), total_fields);
        EXPECT_EQ(path_nodes.size(), total_fields);
        EXPECT_EQ(scroll_limits.right, static_cast<std::int32_t>(size.width) * MAP_FIELD_WIDTH - 21);
        EXPECT_EQ(scroll_limits.bottom, (static_cast<std::int32_t>(size.height) - 1) * MAP_ROW_STEP + 6);
        Expect_Map_Sound("after the resize");
        EXPECT_EQ(Differences(expected, World_Text(box)), "") << "the map file does not bring the same world back";
    }

    // Every AI slot in use thinks for an object on the map.
    static void Expect_Slots_Of_Live_Objects() {
        for (std::uint16_t slot = 0; slot < iqarray.used; ++slot) {
            if (!IQ_Slot_In_Use(slot)) continue;
            const obj_ref o = iqarray.records[slot].object;
            const std::uint16_t i = Obj_Index(o);
            const bool live = Obj_Kind(o) == OBJ_CHAR      ? Char_In_Use(i)
                              : Obj_Kind(o) == OBJ_FIXITEM ? i < total_fields || !Map_Record_Is_Free(i)
                              : Obj_Kind(o) == OBJ_ITEM    ? !Item_Record_Is_Free(i)
                                                           : false;
            EXPECT_TRUE(live) << "slot " << slot << " thinks for a gone object " << o;
        }
    }

    static void Expect_Empty_Outside(const map_size& box) {
        for (std::uint32_t f = 0; f < total_fields; ++f) {
            if (Field_X(f) < box.width && Field_Y(f) < box.height && Field_Level(f) < box.levels) continue;
            const map_record& head = maparray.records[f];
            EXPECT_EQ(head.link, Make_Obj(OBJ_NONE, static_cast<std::uint16_t>(f))) << "field " << f;
            EXPECT_EQ(head.first_mod, NO_INDEX) << "field " << f;
            EXPECT_EQ(head.type, 0) << "field " << f;
            EXPECT_EQ(mapfield[f], 0) << "field " << f;
        }
    }

    // The fields a resize added get the grass floor the others have.
    static void Floor_New_Fields() {
        for (std::uint32_t f = 0; f < total_fields; ++f)
            if (maparray.records[f].type == 0) maparray.records[f].type = 1;
    }

    // The teleport program of a fixitem on the field.
    static modifier* Teleport_On(std::uint16_t field) {
        for (obj_ref o : Objects_On(field)) {
            if (Obj_Kind(o) != OBJ_FIXITEM) continue;
            modifier* found = nullptr;
            For_Each_In_Chain(Get_Mod_Index(o), [&](std::uint16_t m) {
                if (mod_array.records[m].type == MK_TELEPORT) found = &mod_array.records[m];
            });
            if (found != nullptr) return found;
        }
        return nullptr;
    }

    std::uint16_t torch_type = 0;
};

TEST_F(MapResize, GrowingAsksNothingAndKeepsEverythingInPlace) {
    Build();
    // A character caught in a step keeps its destination.
    const std::uint16_t stepper = Char_On_Field(F(2, 1));
    chararray.records[stepper].state = CS_STEPPING;
    chararray.records[stepper].act = F(3, 2);
    const std::string before = World_Text(Current_Map_Size());
    for (const map_size size : {map_size{12, 10, 1}, map_size{12, 13, 1}, map_size{12, 13, 3}}) {
        Resize_And_Check(size);
        EXPECT_TRUE(backend().boxes.empty()) << backend().boxes[0].text;
    }
    EXPECT_EQ(Differences(before.substr(before.find('\n')), World_Text({10, 10, 1}).substr(before.find('\n'))), "");
    EXPECT_EQ(chararray.records[stepper].state, CS_STEPPING);
    EXPECT_EQ(chararray.records[stepper].act, F(3, 2));
}

// Shrinking drops whatever stands outside the new size after the question;
// the objects of the fields that remain stay, and what named a dropped field
// or an object on one names none.
TEST_F(MapResize, ShrinkingEachDimensionDropsTheFieldsOutsideAfterTheQuestion) {
    const struct {
        const char* name;
        map_size grown;
        std::uint32_t x0, y0, level;
    } cases[] = {
        {"columns", {15, 10, 1}, 10, 2, 0},
        {"rows", {10, 15, 1}, 2, 10, 0},
        {"levels", {10, 10, 2}, 2, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(10, 10, 1);
        Editor_Enter(0, EVENT_CLICK);
        Build();
        ASSERT_TRUE(Prop_Change_Size(c.grown));
        Floor_New_Fields();
        // A second set of everything where the map grew, naming fields and
        // objects of the first, which names it in turn.
        Fill(c.x0, c.y0, c.level, F(2, 2), "B");
        // A character of the first set caught in a step into the second.
        const std::uint16_t stepper = Char_On_Field(F(2, 1));
        chararray.records[stepper].state = CS_STEPPING;
        chararray.records[stepper].act = F(c.x0, c.y0 + 1, c.level);
        chararray.records[stepper].offset_x = 5;
        modifier* teleport_a = Teleport_On(F(1, 4));
        ASSERT_NE(teleport_a, nullptr);
        teleport_a->p1 = F(c.x0 + 1, c.y0 + 1, c.level);
        backend().boxes.clear();

        const map_size back{10, 10, 1};
        const std::string expected = World_Text(back);
        chararray.records[stepper].state = CS_EXECUTE;  // as the stop will leave it
        chararray.records[stepper].offset_x = 0;
        const std::string stopped_text = Expected_After(back, back);
        chararray.records[stepper].state = CS_STEPPING;
        ASSERT_TRUE(Prop_Change_Size(back));
        EXPECT_EQ(Differences(stopped_text, World_Text(back)), "");
        EXPECT_EQ(chararray.records[stepper].state, CS_EXECUTE) << "the step into a dropped field goes on";
        EXPECT_EQ(chararray.records[stepper].act, 0u);
        EXPECT_EQ(chararray.records[stepper].offset_x, 0);
        Expect_Slots_Of_Live_Objects();
        Expect_Map_Sound("after the resize");
        ASSERT_EQ(backend().boxes.size(), 1u);
        EXPECT_EQ(backend().boxes[0].text, TEXT_ARE_YOU_SURE);
        EXPECT_EQ(backend().boxes[0].caption, CAPTION_DATA_LOSS);
        EXPECT_EQ(backend().boxes[0].Buttons(), MB_YESNO);
        ASSERT_NE(Teleport_On(F(1, 4)), nullptr);
        EXPECT_EQ(Teleport_On(F(1, 4))->p1, NO_INDEX) << "the teleport still leads into a dropped field";
        EXPECT_TRUE(expected.find("HeroB") == std::string::npos);
        EXPECT_TRUE(expected.find("HeroA") != std::string::npos);
        // Grown again, the new fields are empty.
        Resize_And_Check(c.grown);
        Editor_OK();
    }
}

TEST_F(MapResize, DecliningTheQuestionChangesNothing) {
    Build();
    backend().answer = [](const MessageBoxCall&) { return IDNO; };
    MapImage before;
    Capture_Map_Image(before);
    EXPECT_FALSE(Prop_Change_Size({9, 10, 1}));
    ASSERT_EQ(backend().boxes.size(), 1u);
    MapImage after;
    Capture_Map_Image(after);
    EXPECT_TRUE(Write_Map_Image(before) == Write_Map_Image(after));
}

TEST_F(MapResize, TheSameSizeChangesNothing) {
    Build();
    MapImage before;
    Capture_Map_Image(before);
    redraw_request = 0;
    EXPECT_TRUE(Prop_Change_Size({10, 10, 1}));
    MapImage after;
    Capture_Map_Image(after);
    EXPECT_TRUE(Write_Map_Image(before) == Write_Map_Image(after));
    EXPECT_TRUE(backend().boxes.empty());
    EXPECT_EQ(redraw_request, 0u);
}

// A run of sizes, each from the one before, small and large: every step
// keeps what the two sizes share.
TEST_F(MapResize, ATableOfSizesKeepsWhatEachPairShares) {
    Build();
    // After some steps a new set of everything is put on the map's top
    // level, some way from the first, naming the map's last column.
    const struct {
        map_size size;
        bool fill;
    } steps[] = {{{10, 10, 3}, true},  {{5, 10, 3}, false},  {{5, 4, 2}, false},   {{1, 1, 1}, false},
                 {{100, 1, 5}, false}, {{3, 100, 1}, false}, {{7, 13, 2}, false},  {{1, 9, 5}, false},
                 {{9, 1, 1}, false},   {{12, 11, 1}, true},  {{10, 10, 2}, false}, {{10, 10, 1}, false}};
    Editor_Enter(0, EVENT_CLICK);
    for (const auto& step : steps) {
        Resize_And_Check(step.size);
        Floor_New_Fields();
        if (step.fill) Fill(5, 5, step.size.levels - 1, F(step.size.width - 1, 0), "T");
    }
}

// A selected character, the main character and the working object that go
// with their fields leave the player's side; the editor's placed-object
// selection goes too.
TEST_F(MapResize, RemovedCharactersLeaveTheSelectionPartyAndWorkingObject) {
    Editor_Enter(0, EVENT_CLICK);
    const std::uint16_t stays = Place_Char(F(1, 1), "Stays");
    const std::uint16_t main = Place(OBJ_CHAR, CT_HERO, F(9, 9));
    const std::uint16_t goes = Place_Char(F(9, 8), "Goes");
    ASSERT_EQ(main_char, main);
    Select_Char(stays);
    Toggle_Select_Char(goes);
    current_object = Make_Obj(OBJ_CHAR, goes);
    page_char = static_cast<std::int16_t>(goes);
    Select_Placed(OBJ_CHAR, stays);
    ASSERT_TRUE(Prop_Change_Size({9, 10, 1}));
    EXPECT_EQ(selected_count, 1);
    EXPECT_EQ(selected[0], stays);
    EXPECT_EQ(main_char, NO_INDEX);
    EXPECT_EQ(main_char_slot, NO_INDEX);
    for (std::uint32_t i = 0; i < player_count; ++i) EXPECT_NE(player_chars[i], goes);
    EXPECT_EQ(current_object, NOOBJ);
    EXPECT_EQ(page_char, -1);
    EXPECT_FALSE(Char_In_Use(goes));
    EXPECT_FALSE(Char_In_Use(main));
    EXPECT_EQ(editor_selection.kind, OBJ_NONE) << "a placed object stays selected";
    Expect_Map_Sound("after the resize");
}

// A map array without a free record: the resize carries it over with its
// empty free list.
TEST_F(MapResize, AMapWithoutFreeRecordsKeepsItsEmptyFreeList) {
    while (maparray.first_free != NO_INDEX) fixture::Place_Fixitem(F(3, 3), 1);
    ASSERT_TRUE(Resize_Map({12, 11, 1}));
    EXPECT_EQ(maparray.first_free, NO_INDEX);
    EXPECT_EQ(Objects_On(F(3, 3)).size(), 500u);
    Expect_Map_Sound("after the resize");
}

// The resize is refused before anything changes when the map records would
// need indexes past 16 bits, or when a free record is not as free records
// are.
TEST_F(MapResize, RefusesWithAMessageBeforeAnythingChanges) {
    const struct {
        const char* name;
        std::function<void()> spoil;
        map_size size;
    } cases[] = {
        {"too many records",
         [] {
             while (maparray.Capacity() < 65000) ASSERT_TRUE(maparray.Grow());
         },
         {100, 100, 5}},
        {"a free record with a link",
         [] { maparray.records[maparray.first_free].link = Make_Obj(OBJ_ITEM, 1); },
         {12, 10, 1}},
        {"a free list in a circle",
         [] {
             const std::uint16_t first = maparray.first_free;
             maparray.records[Obj_Index(maparray.records[first].link)].link = Make_Obj(OBJ_NONE, first);
         },
         {12, 10, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(10, 10, 1);
        Editor_Enter(0, EVENT_CLICK);
        Place_Char(F(9, 9), "Edge");
        c.spoil();
        MapImage before;
        Capture_Map_Image(before);
        EXPECT_FALSE(Prop_Change_Size(c.size));
        EXPECT_FALSE(editor_status.empty());
        MapImage after;
        Capture_Map_Image(after);
        EXPECT_TRUE(Write_Map_Image(before) == Write_Map_Image(after)) << "the refused resize changed the map";
        Editor_OK();
    }
}

// The numbering: fields keep x, y and level, the records after the heads
// move by the difference, end markers name the new field.
TEST(MapRemap, CarriesFieldsRecordsAndLinks) {
    const MapRemap map({10, 10, 2}, {12, 9, 1});
    EXPECT_EQ(map.Difference(), 108 - 200);
    EXPECT_EQ(map.Field(0), 0);
    EXPECT_EQ(map.Field(5 + 3 * 10), 5 + 3 * 12);
    EXPECT_EQ(map.Field(9 + 8 * 10), 9 + 8 * 12);
    EXPECT_EQ(map.Field(9 + 9 * 10), NO_INDEX);  // row 9
    EXPECT_EQ(map.Field(100), NO_INDEX);         // level 1
    EXPECT_EQ(map.Field(200), NO_INDEX);         // no field
    EXPECT_EQ(map.Record(250), 158);
    EXPECT_EQ(map.Record(NO_INDEX), NO_INDEX);
    EXPECT_EQ(map.Ref(Make_Obj(OBJ_FIXITEM, 250)), Make_Obj(OBJ_FIXITEM, 158));
    EXPECT_EQ(map.Ref(Make_Obj(OBJ_FIXITEM, 150)), NOOBJ);
    EXPECT_EQ(map.Ref(Make_Obj(OBJ_CHAR, 150)), Make_Obj(OBJ_CHAR, 150));
    EXPECT_EQ(map.Link(Make_Obj(OBJ_NONE, 11)), Make_Obj(OBJ_NONE, 13));
    EXPECT_EQ(map.Link(Make_Obj(OBJ_ITEM, 7)), Make_Obj(OBJ_ITEM, 7));
    const MapRemap grow({10, 10, 1}, {12, 10, 1});
    EXPECT_EQ(grow.Record(100), 120);
    EXPECT_EQ(grow.Record(0xFFFE), NO_INDEX) << "past 16 bits";
}

}  // namespace
