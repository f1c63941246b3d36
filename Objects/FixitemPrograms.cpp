// The fixitem programs: doors, chests, hills, steps, teleports, excluders.
#include <algorithm>

#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/PathCache.h"
#include "System/ErrorReport.h"

namespace {

constexpr std::uint8_t TELEPORT_ANIM = ANIM_SPELL_FLASH;
constexpr std::int32_t HEIGHT_BASE = 11;
constexpr std::int32_t CENTRE_A = 21;  // a = sub-x - sub-y + 21, 0..42
constexpr std::int32_t CENTRE_B = 10;  // b = sub-y + 10, 0..20
constexpr std::int32_t SPAN_A = 42;
constexpr std::int32_t SPAN_B = 21;
constexpr std::int32_t SLOPE = 12;
constexpr int GROUND_SHAPES = 20;
constexpr std::uint8_t CHEST_LOCKED = 0;
constexpr std::uint8_t CHEST_CLOSED = 1;

std::int16_t Signed(std::uint16_t v) { return static_cast<std::int16_t>(v); }

modifier Mod(std::uint16_t m) { return mod_array.records[m]; }

void Mark_Field(obj_ref obj, std::uint16_t bits) {
    std::uint16_t field = Object_Field(obj);
    if (field < total_fields && field < mapfield.size())
        mapfield[field] = static_cast<std::uint16_t>(mapfield[field] | bits);
}

bool Is_Character(obj_ref o) { return Obj_Kind(o) == OBJ_CHAR && Char_In_Use(Obj_Index(o)); }

// The direction of a move: a character's facing, any other mover's
// request 4 as the program's object asks it.
int Mover_Direction(obj_ref mover, obj_ref obj) {
    if (Is_Character(mover)) return chararray.records[Obj_Index(mover)].facing;
    return static_cast<int>(Ask_Or_Zero(obj, mover, REQ_FACING));
}

bool Direction_Bit_Set(std::uint16_t bits, int direction) {
    return direction >= 1 && direction <= 6 && (bits >> (direction - 1)) & 1;
}

// The asker's place inside its field: a from west to east, b from north
// to south; the centre for anything but a character.
void Place_In_Field(obj_ref asker, std::int32_t& a, std::int32_t& b) {
    a = CENTRE_A;
    b = CENTRE_B;
    if (!Is_Character(asker)) return;
    const char_record& c = chararray.records[Obj_Index(asker)];
    std::int32_t sub_x = c.offset_x, sub_y = c.offset_y;
    a = sub_x - sub_y + CENTRE_A;
    b = sub_y + CENTRE_B;
}

// A field index the program read from its parameters, checked against the
// map: NO_FIELD, after the message, when it lies off the map.
std::uint16_t Checked_Destination(std::int64_t field) {
    if (field < 0 || field >= static_cast<std::int64_t>(total_fields)) {
        Error_Query_Quit("invalid transporter destination");
        return NO_FIELD;
    }
    return static_cast<std::uint16_t>(field);
}

// Door and chest: their state is their frame.
struct Frames {
    int frame, last;
    bool moving;
};

Frames Frames_Of(obj_ref obj) {
    Frames f;
    f.frame = static_cast<std::uint8_t>(Anim_Frame(obj));
    f.last = std::max(static_cast<int>(Max_Frame(obj)) - 1, 0);
    f.moving = Object_Anim_Running(Obj_Kind(obj), Obj_Index(obj));
    return f;
}

RequestValue Start_Swing(obj_ref obj, std::int8_t first, std::int8_t last, std::int32_t speed) {
    Start_Object_Anim_Once(obj, first, last, speed, 0);
    return 1;
}

}  // namespace

RequestValue Mod_Door(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                      RequestValue value) {
    if (request < REQ_OPERATE || request > REQ_ATTACHED) return value;
    if (Obj_Kind(obj) != OBJ_FIXITEM) Error_Query_Quit("non-fixitem door program");
    const modifier r = Mod(m);
    const Frames f = Frames_Of(obj);
    const bool open = f.frame == 0;
    switch (request) {
        case REQ_OPERATE:
            if (f.moving) return value;
            if (f.frame == f.last) {
                if (r.p1 != 0) return value;  // locked
                Start_Swing(obj, -1, -1, -1);
                anim_wait = Max_Frame(obj);
                return 1;
            }
            if (open) {
                if (Object_Request(subject, obj, 0, REQ_FIELD_COVER, 0) != 0) return value;  // the doorway is taken
                Start_Swing(obj, -1, -1, 1);
                anim_wait = Max_Frame(obj);
                return 1;
            }
            return value;
        case REQ_COVER: return open ? 0 : value;
        case REQ_ENTRY_COST_OBJ:
            if (open) return value;
            return (Ask_Or_Zero(obj, subject, REQ_83) != 0 && r.p1 == 0) ? value : -1;
        case REQ_ENTRY_COST_SUM: return open ? value : -1;
        case REQ_KNOCK:
            if (value >= Signed(r.p3)) mod_array.records[m].p1 = 0;
            return value;
        case REQ_CHANGE_HIT_POINTS:
            if (-value >= Signed(r.p2)) mod_array.records[m].p1 = 0;
            return value;
        case REQ_INITIALISE:
        case REQ_ATTACHED: Mark_Field(obj, MF_ASK_ENTRY_COST | MF_ASK_SIGHT); return value;
        default: return value;
    }
}

RequestValue Mod_Chest(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    if (request != REQ_OPERATE && request != REQ_COVER && request != REQ_CHANGE_HIT_POINTS) return value;
    if (Obj_Kind(obj) != OBJ_FIXITEM) Error_Query_Quit("non-fixitem chest program");
    const Frames f = Frames_Of(obj);
    switch (request) {
        case REQ_OPERATE:
            if (f.moving) return value;
            if (f.frame == CHEST_LOCKED) {
                Show_Message_Box("It's locked.");
                return value;
            }
            if (f.frame == CHEST_CLOSED) return Start_Swing(obj, CHEST_CLOSED, -1, 1);
            if (f.frame == f.last) return Start_Swing(obj, -1, CHEST_CLOSED, -1);
            return value;
        case REQ_COVER: return value + (f.frame < 2 ? 20 : 35);
        default: {
            // The lock breaks under a blow stronger than its hit points
            // ("HP of lock"); the chest shows closed and unlocked.
            std::int32_t lock_hp = Signed(Mod(m).p3);
            if (f.frame == CHEST_LOCKED && value < -lock_hp) Start_Swing(obj, CHEST_CLOSED, CHEST_CLOSED, 1);
            return value;
        }
    }
}

RequestValue Mod_Hill(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                      RequestValue value) {
    switch (request) {
        case REQ_DRAW_HEIGHT:
        case REQ_HEIGHT: {
            const modifier r = Mod(m);
            std::int32_t nw = Signed(r.p1), ne = Signed(r.p2), se = Signed(r.p3), sw = Signed(r.p4);
            std::int32_t a, b;
            Place_In_Field(subject, a, b);
            std::int32_t top = nw + (ne - nw) * a / SPAN_A;
            std::int32_t bottom = sw + (se - sw) * a / SPAN_A;
            return top + (bottom - top) * b / SPAN_B + HEIGHT_BASE;
        }
        case REQ_INITIALISE:
        case REQ_ATTACHED: Mark_Field(obj, MF_HEIGHT_PROGRAM); return value;
        default: return value;
    }
}

namespace {

// The height of a ground shape at (a, b) for a character.
std::int32_t Ground_Height(int shape, std::int32_t a, std::int32_t b) {
    const std::int32_t U = a * SLOPE / SPAN_A;
    const std::int32_t V = b * SLOPE / SPAN_B;
    switch (shape) {
        case 0: return a <= 2 * b ? U : V;
        case 1: return a < SPAN_A - 2 * b ? V : SLOPE - U;
        case 2: return a < SPAN_A - 2 * b ? U : SLOPE - U;
        case 3: return a <= 2 * b ? SLOPE - V : SLOPE - U;
        case 4: return U;
        case 5: return V;
        case 6: return SLOPE - U;
        case 7: return SLOPE - V;
        case 8: return std::max(U + V - SLOPE, 0);
        case 9: return std::max(V - U, 0);
        case 10: return std::max(SLOPE - U - V, 0);
        case 11: return std::max(U - V, 0);
        case 12: return SLOPE - V + U;
        case 13: return 2 * SLOPE - U - V;
        case 14: return U + V;
        case 15: return SLOPE - U + V;
        case 16: return std::min(SLOPE - V + U, SLOPE);
        case 17: return std::min(2 * SLOPE - U - V, SLOPE);
        case 18: return std::min(U + V, SLOPE);
        case 19: return std::min(SLOPE - U + V, SLOPE);
        default: return 0;
    }
}

}  // namespace

RequestValue Mod_Ground_Hill(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t, request_no request,
                             RequestValue value) {
    switch (request) {
        case REQ_HEIGHT_PROGRAM:
        case REQ_HEIGHT: {
            std::uint16_t field = Object_Field(obj);
            int shape = field < maparray.Capacity() ? maparray.records[field].frame : GROUND_SHAPES;
            if (!Is_Character(subject)) {
                if (shape <= 7) return 6;
                if (shape >= 12 && shape < GROUND_SHAPES) return SLOPE;
                return 0;
            }
            std::int32_t a, b;
            Place_In_Field(subject, a, b);
            return Ground_Height(shape, a, b);
        }
        case REQ_INITIALISE:
        case REQ_ATTACHED: Mark_Field(obj, MF_HEIGHT_PROGRAM); return value;
        default: return value;
    }
}

RequestValue Mod_Steps(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                       RequestValue value) {
    switch (request) {
        case REQ_TRANSPORT_DEST:
        case REQ_TRANSPORT_STEP: {
            // The answer depends on the mover's direction.
            path_cacheable = 0;
            const modifier r = Mod(m);
            if (!Direction_Bit_Set(r.p1, Mover_Direction(subject, obj))) return value;
            std::int64_t dest = static_cast<std::int64_t>(Object_Field(obj)) +
                                Signed(r.p2) * static_cast<std::int64_t>(fields_per_level);
            std::uint16_t field = Checked_Destination(dest);
            return field == NO_FIELD ? value : field;
        }
        case REQ_INITIALISE:
        case REQ_ATTACHED: Mark_Field(obj, MF_TRANSPORTER); return value;
        default: return value;
    }
}

RequestValue Mod_Teleport(obj_ref, obj_ref obj, RequestValue, std::uint16_t m, request_no request, RequestValue value) {
    const modifier r = Mod(m);
    switch (request) {
        case REQ_TRANSPORT_DEST:
        case REQ_TRANSPORT_STEP: {
            std::uint16_t field = Checked_Destination(r.p1);
            if (field == NO_FIELD) return value;
            if (request == REQ_TRANSPORT_STEP)
                Start_MapAnim_Once(Make_Obj(OBJ_FIXITEM, field), TELEPORT_ANIM, -1, -1, 1,
                                   static_cast<std::uint8_t>(anim_wait & 0xFF));
            return field;
        }
        case REQ_INITIALISE:
        case REQ_ATTACHED:
            // Told when placed, when the map starts and whenever another
            // object on the field is: one shimmer, on the teleport itself.
            if (Find_MapAnim_Entry(r.owner, TELEPORT_ANIM) == NO_INDEX)
                Start_MapAnim_Loop(r.owner, TELEPORT_ANIM, -1, -1, 1, static_cast<std::uint8_t>(anim_wait & 0xFF));
            Mark_Field(obj, MF_TRANSPORTER);
            return value;
        default: return value;
    }
}

RequestValue Mod_Excluder(obj_ref subject, obj_ref obj, RequestValue, std::uint16_t m, request_no request,
                          RequestValue value) {
    switch (request) {
        case REQ_ENTRY_COST_OBJ:
        case REQ_ENTRY_COST_SUM:
            path_cacheable = 0;
            return Direction_Bit_Set(Mod(m).p1, Mover_Direction(subject, obj)) ? -1 : value;
        case REQ_INITIALISE:
        case REQ_ATTACHED: Mark_Field(obj, MF_ASK_ENTRY_COST); return value;
        default: return value;
    }
}
