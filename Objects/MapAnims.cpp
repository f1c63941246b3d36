#include "Objects/MapAnims.h"

#include <algorithm>
#include <cstdlib>

#include "Objects/Char/Characters.h"
#include "Objects/Clamp.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/SpriteInfo.h"
#include "System/ErrorReport.h"
#include "System/Random.h"

anim_type anim_types[ANIM_TYPE_COUNT];
MapAnimArray mapanim;
AnimEntryArray animated_fixitems;
std::uint32_t anim_wait = 0;
std::uint8_t anim_cycle = 0;

const std::int32_t anim_drift[8] = {0, 0, -4, -7, 3, 7, 0, 0};

namespace {
bool mapanim_shortage_reported = false;
}

void Reset_Map_Anim_State() {
    for (anim_type& t : anim_types) t = anim_type{};
    Free_Map_Anims();
    anim_wait = 0;
    anim_cycle = 0;
    mapanim_shortage_reported = false;
}

namespace {

constexpr std::int32_t ONE_FRAME = 0x10000;  // 16.16
constexpr int WHOLE_FRAME_SPEED_LIMIT = 256;
constexpr std::uint8_t MAX_DELAY = 254;  // the delay byte holds delay + 1
constexpr std::int32_t DRIFT_RISE_BASE = 70;
constexpr int DRIFT_PHASE_SHIFT = 11;
constexpr std::int32_t DIGIT_SPEED = 4096;  // a sixteenth of a frame per tick
constexpr std::int32_t MAX_DIGITS_SHOWN = 999;

// mapanim_shortage_reported (above): set once "No more free mapanim!!!"
// has been shown; cleared when a map animation is freed, so a burst of
// starters on a full array reports once.

anim_entry& Entry(std::uint16_t e) { return animated_fixitems.records[e]; }

std::int32_t Fixed_Speed(std::int32_t speed) {
    return (speed > -WHOLE_FRAME_SPEED_LIMIT && speed < WHOLE_FRAME_SPEED_LIMIT) ? speed * ONE_FRAME : speed;
}

std::uint8_t Delay_Byte(std::uint8_t delay) { return static_cast<std::uint8_t>(std::min(delay, MAX_DELAY) + 1); }

bool MapAnim_Live(std::uint16_t m) { return m < mapanim.Capacity() && !mapanim.Is_Free(m); }

bool Fixitem_Live(std::uint16_t i) { return i < maparray.Capacity() && !Map_Record_Is_Free(i); }

void Unlink_Entry(std::uint16_t prev, std::uint16_t e) {
    std::uint16_t next = Entry(e).next;
    if (prev == NO_INDEX)
        animated_fixitems.active = next;
    else
        Entry(prev).next = next;
    animated_fixitems.Push(e);
}

// Calls f(e) for the active entries in list order; the walk is cut when the
// list leaves the array or does not end.
template <class F>
void For_Each_Active(F&& f) {
    std::uint32_t steps = 0;
    for (std::uint16_t e = animated_fixitems.active; e != NO_INDEX && e < animated_fixitems.Capacity();
         e = Entry(e).next) {
        if (++steps > animated_fixitems.Capacity()) return;
        if (f(e)) return;
    }
}

// The frame byte and sprite of the object an entry steps.
struct Animated {
    std::uint16_t kind, index;
    std::uint32_t sprite;

    int Frame() const {
        switch (kind) {
            case OBJ_MAPANIM: return mapanim.records[index].frame;
            case OBJ_CHAR: return chararray.records[index].frame;
            default: return maparray.records[index].frame;
        }
    }
    void Set_Frame(int frame) const {
        switch (kind) {
            case OBJ_MAPANIM: mapanim.records[index].frame = static_cast<std::uint8_t>(frame); break;
            case OBJ_CHAR: chararray.records[index].frame = static_cast<std::int8_t>(frame); break;
            default: maparray.records[index].frame = static_cast<std::uint8_t>(frame); break;
        }
    }
};

// Step a: the entry's object, or false when the entry must be dropped.
bool Find_Animated(const anim_entry& a, Animated& out) {
    out = {a.obj_kind, a.obj_index, 0};
    switch (a.obj_kind) {
        case OBJ_MAPANIM:
            if (!MapAnim_Live(a.obj_index)) return false;
            out.sprite = anim_types[mapanim.records[a.obj_index].type].sprite;
            return true;
        case OBJ_CHAR:
            if (!Char_In_Use(a.obj_index)) return false;
            out.sprite = chararray.records[a.obj_index].body_sprite;
            if (anim_wait == 0) anim_wait = 1;
            return true;
        case OBJ_FIXITEM:
            if (!Fixitem_Live(a.obj_index)) return false;
            out.sprite = fixitem_types[maparray.records[a.obj_index].type].sprite;
            return true;
        case OBJ_ITEM: Error_Query_Quit("Item animation not implemented!"); return false;
        default: Error_Query_Quit("Invalid obj-type in do_anim!"); return false;
    }
}

// Step b: a map animation started on a character stands where it stands.
void Follow_Owner(std::uint16_t m) {
    mapanim_record& r = mapanim.records[m];
    obj_ref owner = r.owner;
    if (Obj_Kind(owner) != OBJ_CHAR || !Char_In_Use(Obj_Index(owner))) return;
    const char_record& c = chararray.records[Obj_Index(owner)];
    r.dx = c.offset_x;
    r.dy = c.offset_y;
    std::uint16_t char_field = Object_Field(owner);
    obj_ref anim = Make_Obj(OBJ_MAPANIM, m);
    if (char_field < total_fields && char_field != Object_Field(anim)) {
        Remove_Object(anim);
        Put_Object_To_Field(anim, char_field);
    }
}

// Step c: rising, drifting animations (damage digits).
void Drift(std::uint16_t m, std::int32_t phase) {
    mapanim_record& r = mapanim.records[m];
    std::int32_t dx = anim_drift[(anim_types[r.type].flags & AE_DRIFT) >> 2];
    std::int32_t rise = phase >> DRIFT_PHASE_SHIFT;
    if (Obj_Kind(r.owner) != OBJ_CHAR) {
        r.dy = Clamp8(-DRIFT_RISE_BASE - rise);
        r.dx = Clamp8(dx);
    } else {
        r.dy = Clamp8(static_cast<std::int64_t>(r.dy) - (rise + DRIFT_RISE_BASE));
        r.dx = Clamp8(static_cast<std::int64_t>(r.dx) + dx);
    }
}

// Step d: frame bounds below 0 become the sprite's natural ones.
void Resolve_Bounds(anim_entry& a, std::uint32_t sprite) {
    int last_frame = std::clamp(Sprite_Frame_Count(sprite) - 1, 0, 127);
    std::int32_t speed = a.speed;
    if (a.last < 0) a.last = static_cast<std::int8_t>(speed >= 1 ? last_frame : 0);
    if (a.first < 0) a.first = static_cast<std::int8_t>(speed < 1 ? last_frame : 0);
}

// Step e: counts the start delay down; on the start the object takes its
// first frame. False while the entry still waits or has just started.
bool Running(anim_entry& a, const Animated& obj) {
    if (a.delay == 0) return true;
    if (--a.delay != 0) return false;
    if (obj.kind == OBJ_CHAR) {
        char_record& c = chararray.records[obj.index];
        a.saved_state = c.state;
        c.state = CHAR_STATE_SUSPENDED;
    }
    int first = a.first, last = a.last;
    if (a.flags == AE_LOOP)
        obj.Set_Frame(std::min(first, last) + Random(std::abs(last - first)));
    else
        obj.Set_Frame(first);
    return false;
}

enum class Step { Keep, End, EndAndFree };

// Step f: advances the phase and, on a whole frame, the frame.
Step Advance(anim_entry& a, const Animated& obj) {
    std::int64_t sum = static_cast<std::int64_t>(a.phase) + a.speed;
    std::int64_t magnitude = sum < 0 ? -sum : sum;
    if (magnitude < ONE_FRAME) {
        a.phase = static_cast<std::int32_t>(sum);
        return Step::Keep;
    }
    a.phase = static_cast<std::int32_t>((sum < 0 ? -1 : 1) * (magnitude % ONE_FRAME));
    int frame = obj.Frame();
    int first = a.first, last = a.last;
    if (frame == last) {
        if (a.flags & AE_LOOP) {
            obj.Set_Frame(first);
            return Step::Keep;
        }
        if (obj.kind == OBJ_CHAR) chararray.records[obj.index].state = a.saved_state;
        return (obj.kind == OBJ_MAPANIM && (a.flags & AE_ONCE)) ? Step::EndAndFree : Step::End;
    }
    std::int64_t next = frame + sum / ONE_FRAME;
    if ((sum > 0 && next > last) || (sum < 0 && next < last)) next = first;
    obj.Set_Frame(static_cast<int>(next));
    return Step::Keep;
}

// One entry's step; End when it leaves the active list.
Step Step_Entry(std::uint16_t e) {
    anim_entry& a = Entry(e);
    Animated obj;
    if (!Find_Animated(a, obj)) return Step::End;
    if (obj.kind == OBJ_MAPANIM) {
        Follow_Owner(obj.index);
        if (a.flags & AE_DRIFT) Drift(obj.index, a.phase);
    }
    Resolve_Bounds(a, obj.sprite);
    if (!Running(a, obj)) return Step::Keep;
    return Advance(a, obj);
}

void Report_No_MapAnim() {
    if (mapanim_shortage_reported) return;
    mapanim_shortage_reported = true;
    Error_Query_Quit("No more free mapanim!!!");
}

bool Valid_Animated_Object(obj_ref obj) {
    std::uint16_t i = Obj_Index(obj);
    switch (Obj_Kind(obj)) {
        case OBJ_MAPANIM: return MapAnim_Live(i);
        case OBJ_CHAR: return Char_In_Use(i);
        case OBJ_ITEM: return true;  // refused when stepped
        case OBJ_FIXITEM: return Fixitem_Live(i);
        default: return false;
    }
}

std::uint16_t Start_MapAnim(obj_ref obj, std::uint8_t type, std::int8_t first, std::int8_t last, std::int32_t speed,
                            std::uint8_t delay, std::uint8_t mode) {
    std::uint16_t field = Object_Field(obj);
    if (field >= total_fields) return NO_INDEX;
    // The map animation first: without one, no entry is taken.
    std::uint16_t m = New_MapAnim();
    if (m == NO_INDEX) return NO_INDEX;
    std::uint16_t e = New_Anim_Entry();
    if (e == NO_INDEX) {
        Delete_MapAnim(m);
        return NO_INDEX;
    }
    mapanim_record& r = mapanim.records[m];
    r.type = type;
    r.frame = MAPANIM_NOT_STARTED;
    r.owner = obj;
    Put_Object_To_Field(Make_Obj(OBJ_MAPANIM, m), field);

    anim_entry& a = Entry(e);
    a.delay = Delay_Byte(delay);
    a.first = first;
    a.last = last;
    a.flags = static_cast<std::uint8_t>((anim_types[type].flags & AE_DRIFT) | mode);
    a.speed = Fixed_Speed(speed);
    a.phase = 0;
    a.obj_kind = OBJ_MAPANIM;
    a.obj_index = m;
    a.saved_state = 0;
    return e;
}

std::uint16_t Start_Object_Anim(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed,
                                std::uint8_t delay, bool loop) {
    if (!Valid_Animated_Object(obj)) return NO_INDEX;
    bool character = Obj_Kind(obj) == OBJ_CHAR;
    // A character plays one animation at a time; a second one would save
    // the suspended state as its own and never give the real one back.
    if (character) Stop_Object_Anims(OBJ_CHAR, Obj_Index(obj));
    std::uint16_t e = New_Anim_Entry();
    if (e == NO_INDEX) return NO_INDEX;
    anim_entry& a = Entry(e);
    a.delay = (character && !loop) ? 1 : Delay_Byte(delay);
    a.first = first;
    a.last = last;
    a.flags = loop ? AE_LOOP : 0;
    a.speed = Fixed_Speed(speed);
    a.phase = 0;
    a.obj_kind = Obj_Kind(obj);
    a.obj_index = Obj_Index(obj);
    a.saved_state = 0;
    return e;
}

}  // namespace

void Alloc_Map_Anims() {
    if (!mapanim.Allocate_Or_Fatal(MAPANIM_COUNT, "Can't allocate memory for mapanim!")) return;
    mapanim.Chain_Free(0, MAPANIM_COUNT);
    mapanim_shortage_reported = false;

    animated_fixitems.active = NO_INDEX;
    if (!animated_fixitems.Allocate_Or_Fatal(ANIM_ENTRIES_START, "Can't allocate memory for animated fixitems!"))
        return;
    animated_fixitems.Chain_Free(0, ANIM_ENTRIES_START);
}

void Free_Map_Anims() {
    mapanim.Release();
    animated_fixitems.Release();
    animated_fixitems.active = NO_INDEX;
}

void Rebuild_Map_Anim_Marks() {
    mapanim.Rebuild_Free_Marks();
    mapanim_shortage_reported = false;
}

std::uint16_t New_MapAnim() {
    if (!mapanim.Has_Free()) {
        Report_No_MapAnim();
        return NO_INDEX;
    }
    return mapanim.Pop();
}

void Delete_MapAnim(std::uint16_t m) {
    if (!MapAnim_Live(m)) return;
    // Its running entry goes with it, so do_anim never steps a free record.
    Stop_Object_Anims(OBJ_MAPANIM, m);
    mapanim.Push(m);
    mapanim_shortage_reported = false;
}

std::uint16_t New_Anim_Entry() {
    const std::uint16_t e = animated_fixitems.New();
    if (e == NO_INDEX) return NO_INDEX;
    Entry(e).next = animated_fixitems.active;
    animated_fixitems.active = e;
    return e;
}

void Stop_Object_Anims(std::uint16_t kind, std::uint16_t index) {
    std::uint16_t prev = NO_INDEX;
    std::uint32_t steps = 0;
    for (std::uint16_t e = animated_fixitems.active; e != NO_INDEX && e < animated_fixitems.Capacity();) {
        if (++steps > animated_fixitems.Capacity()) break;
        anim_entry& a = Entry(e);
        std::uint16_t next = a.next;
        if (a.obj_kind == kind && a.obj_index == index) {
            if (kind == OBJ_CHAR && a.delay == 0 && Char_In_Use(index) &&
                chararray.records[index].state == CHAR_STATE_SUSPENDED)
                chararray.records[index].state = a.saved_state;
            Unlink_Entry(prev, e);
        } else {
            prev = e;
        }
        e = next;
    }
}

std::uint16_t Start_MapAnim_Once(obj_ref obj, std::uint8_t type, std::int8_t first, std::int8_t last,
                                 std::int32_t speed, std::uint8_t delay) {
    return Start_MapAnim(obj, type, first, last, speed, delay, AE_ONCE);
}

std::uint16_t Start_MapAnim_Loop(obj_ref obj, std::uint8_t type, std::int8_t first, std::int8_t last,
                                 std::int32_t speed, std::uint8_t delay) {
    return Start_MapAnim(obj, type, first, last, speed, delay, AE_LOOP);
}

std::uint16_t Start_Object_Anim_Once(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed,
                                     std::uint8_t delay) {
    return Start_Object_Anim(obj, first, last, speed, delay, false);
}

std::uint16_t Start_Object_Anim_Loop(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed,
                                     std::uint8_t delay) {
    return Start_Object_Anim(obj, first, last, speed, delay, true);
}

void Put_MapAnim(std::uint16_t field, std::uint8_t type, std::uint8_t frame) {
    if (field >= total_fields) return;
    std::uint16_t m = New_MapAnim();
    if (m == NO_INDEX) return;
    mapanim_record& r = mapanim.records[m];
    r.type = type;
    r.frame = frame;
    r.owner = Make_Obj(OBJ_FIXITEM, field);
    Put_Object_To_Field(Make_Obj(OBJ_MAPANIM, m), field);
}

void Remove_MapAnim(std::uint16_t field, std::uint8_t type) {
    if (field >= total_fields) return;
    obj_ref cur = Make_Obj(OBJ_FIXITEM, field);
    std::uint32_t limit = Field_List_Limit();
    for (std::uint32_t steps = 0; steps <= limit; ++steps) {
        if (!Object_Link(cur, cur) || Obj_Kind(cur) == OBJ_NONE) return;
        std::uint16_t m = Obj_Index(cur);
        if (Obj_Kind(cur) == OBJ_MAPANIM && MapAnim_Live(m) && mapanim.records[m].type == type) {
            Delete_Object_From_Field(OBJ_MAPANIM, m, field);
            Delete_MapAnim(m);
            return;
        }
    }
}

void Show_Damage_Digits(obj_ref obj, std::int32_t n, std::int32_t base) {
    // Three glyphs at most; a larger number shows as 999.
    n = std::clamp(n, 0, MAX_DIGITS_SHOWN);
    struct Digit {
        std::uint8_t type;
        std::int32_t value;
    };
    Digit digits[3];
    int count = 0;
    if (n < 10) {
        digits[count++] = {8, n};
    } else if (n < 100) {
        digits[count++] = {9, n / 10};
        digits[count++] = {11, n % 10};
    } else {
        digits[count++] = {10, n / 100};
        digits[count++] = {8, n % 100 / 10};
        digits[count++] = {12, n % 10};
    }
    for (int i = 0; i < count; ++i) {
        auto frame = static_cast<std::int8_t>(digits[i].value + base);
        if (Start_MapAnim_Once(obj, digits[i].type, frame, frame, DIGIT_SPEED, 0) == NO_INDEX) return;
    }
}

void do_anim() {
    if (void (*tick)() = Objects_Hooks().tick_pressed_control) tick();
    if (++anim_cycle == ANIM_CYCLE_END) anim_cycle = ANIM_CYCLE_RESTART;
    if (anim_wait > 0) --anim_wait;
    if (turn_mode == 0) anim_wait = 0;

    // One-shot map animations that end are freed after the walk, so the
    // walk never meets a record freed under it.
    std::vector<std::uint16_t> ended;
    std::uint16_t prev = NO_INDEX;
    std::uint32_t steps = 0;
    for (std::uint16_t e = animated_fixitems.active; e != NO_INDEX;) {
        if (e >= animated_fixitems.Capacity() || ++steps > animated_fixitems.Capacity()) {
            // A list that leaves the array or loops: cut it here.
            if (prev == NO_INDEX)
                animated_fixitems.active = NO_INDEX;
            else
                Entry(prev).next = NO_INDEX;
            break;
        }
        std::uint16_t next = Entry(e).next;
        Step step = Step_Entry(e);
        if (step == Step::Keep) {
            prev = e;
        } else {
            if (step == Step::EndAndFree) ended.push_back(Entry(e).obj_index);
            Unlink_Entry(prev, e);
        }
        e = next;
    }
    for (std::uint16_t m : ended) {
        Remove_Object(Make_Obj(OBJ_MAPANIM, m));
        Delete_MapAnim(m);
    }
}

bool Object_Anim_Running(std::uint16_t kind, std::uint16_t index) {
    bool running = false;
    For_Each_Active([&](std::uint16_t e) {
        const anim_entry& a = Entry(e);
        running = a.obj_kind == kind && a.obj_index == index && (a.flags & AE_LOOP) == 0;
        return running;
    });
    return running;
}

std::uint16_t Find_MapAnim_Entry(obj_ref owner, std::uint8_t type) {
    std::uint16_t found = NO_INDEX;
    For_Each_Active([&](std::uint16_t e) {
        const anim_entry& a = Entry(e);
        if (a.obj_kind == OBJ_MAPANIM && MapAnim_Live(a.obj_index) && mapanim.records[a.obj_index].owner == owner &&
            mapanim.records[a.obj_index].type == type)
            found = e;
        return found != NO_INDEX;
    });
    return found;
}

void End_MapAnim_After_Cycle(std::uint16_t e, obj_ref owner) {
    For_Each_Active([&](std::uint16_t active) {
        if (active != e) return false;
        anim_entry& a = Entry(e);
        if (a.obj_kind == OBJ_MAPANIM && MapAnim_Live(a.obj_index) && mapanim.records[a.obj_index].owner == owner) {
            a.flags = static_cast<std::uint8_t>((a.flags | AE_ONCE) & ~AE_LOOP);
            a.speed = ONE_FRAME;
        }
        return true;
    });
}
