// Taking an image of the world for the map writer, putting a checked image
// into the world for the map loader, and the run-time handles in between.
#include "datafiles/MapImage.h"

#include <algorithm>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/CharTick.h"
#include "Objects/GameClock.h"
#include "Objects/ObserverGrid.h"
#include "Objects/WorldState.h"

namespace {

template <class Array>
void Take_Array(const Array& from, std::vector<typename decltype(from.records)::value_type>& records,
                std::uint16_t& first_free) {
    records = from.records;
    first_free = from.first_free;
}

// The relation matrix as wide as the AI slot array, whatever width it has
// in memory (cells outside the matrix read 0).
std::vector<std::int8_t> Relations_For(std::size_t width) {
    std::vector<std::int8_t> cells(width * width, 0);
    const std::size_t old_width = relationarray.capacity;
    if (relationarray.cells.size() < old_width * old_width) return cells;
    for (std::size_t row = 0; row < std::min(width, old_width); ++row)
        std::copy_n(relationarray.cells.begin() + static_cast<std::ptrdiff_t>(row * old_width),
                    std::min(width, old_width), cells.begin() + static_cast<std::ptrdiff_t>(row * width));
    return cells;
}

// The state a character returns to: an animated character keeps it in its
// running animation entry. -1 where there is no character record.
std::vector<std::int32_t> Char_States(const MapImage& m) {
    std::vector<std::int32_t> states(m.chars.size());
    for (std::size_t c = 0; c < m.chars.size(); ++c) states[c] = m.chars[c].state;
    std::size_t steps = 0;
    for (std::uint32_t e = m.anim_active; e < m.anim_entries.size() && steps++ < m.anim_entries.size();
         e = m.anim_entries[e].next) {
        const anim_entry& a = m.anim_entries[e];
        if (a.obj_kind == OBJ_CHAR && a.obj_index < states.size() && states[a.obj_index] == CS_SUSPENDED)
            states[a.obj_index] = a.saved_state;
    }
    return states;
}

// An act handle that names one of the game's own act records is the same in
// every run; any other handle named a record of that run only.
std::uint32_t Lasting_Act_Handle(std::uint32_t handle) { return handle <= ACT_RECORD_COUNT ? handle : 0; }

bool Carries_Act(std::int32_t state) {
    return state == CS_EXECUTING || state == CS_ACT_PREPARED || state == CS_ITEM_ACT;
}

}  // namespace

void Capture_Map_Image(MapImage& m) {
    std::copy(std::begin(MAP_RECORD_SIZES), std::end(MAP_RECORD_SIZES), m.record_sizes);
    m.width = map_width;
    m.height = map_height;
    m.levels = map_levels;
    m.scroll_x = scroll_x;
    m.scroll_y = scroll_y;
    m.shown_level = shown_level;
    m.turn_mode = turn_mode;
    m.clock_step = clock_step;
    m.game_speed = game_speed;

    Take_Array(maparray, m.map_records, m.map_first_free);
    std::copy(std::begin(fixitem_types), std::end(fixitem_types), m.fixitem_types.begin());
    m.mapfield = mapfield;
    m.mapfield.resize(m.Total_Fields(), 0);

    m.anim_wait = anim_wait;
    m.anim_cycle = anim_cycle;
    Take_Array(mapanim, m.mapanims, m.mapanim_first_free);
    Take_Array(animated_fixitems, m.anim_entries, m.anim_first_free);
    m.anim_active = animated_fixitems.active;
    std::copy(std::begin(anim_types), std::end(anim_types), m.anim_types.begin());

    Take_Array(itemarray, m.items, m.item_first_free);
    Take_Array(chararray, m.chars, m.char_first_free);
    Take_Array(mod_array, m.mods, m.mod_first_free);
    m.area_mods = global_modifiers;

    m.selected_count = selected_count;
    std::copy(std::begin(selected), std::end(selected), m.selected);
    std::copy(&select_groups[0][0], &select_groups[0][0] + SELECT_GROUPS * SELECT_SLOTS, &m.select_groups[0][0]);
    m.page_char = page_char;
    m.decision_budget = decision_budget;
    m.tick_cursor = tick_cursor;

    Take_Array(actarray, m.acts, m.act_first_free);
    m.iq_slots = iqarray.records;
    m.iq_used = iqarray.used;
    m.iq_free_count = iqarray.free_count;
    std::copy(std::begin(iqarray.free_stack), std::end(iqarray.free_stack), m.iq_free_stack);
    m.main_char = main_char;
    m.main_char_slot = main_char_slot;
    m.player_count = player_count;
    m.portrait_offset = portrait_offset;
    std::copy(std::begin(player_chars), std::end(player_chars), m.player_chars);
    m.relations = Relations_For(m.iq_slots.size());
}

void Install_Map_Image(MapImage& m) {
    // Nothing of the map in play that the file does not replace may name
    // its fields or records afterwards.
    Reset_Map_Play_State();
    Set_Map_Geometry(m.width, m.height, m.levels);
    mapfield = std::move(m.mapfield);
    scroll_x = m.scroll_x;
    scroll_y = m.scroll_y;
    shown_level = m.shown_level;
    turn_mode = m.turn_mode;
    clock_step = m.clock_step;
    game_speed = m.game_speed;

    maparray.Install(std::move(m.map_records), m.map_first_free);
    std::copy(m.fixitem_types.begin(), m.fixitem_types.end(), fixitem_types);

    anim_wait = m.anim_wait;
    anim_cycle = m.anim_cycle;
    mapanim.Install(std::move(m.mapanims), m.mapanim_first_free);
    animated_fixitems.Install(std::move(m.anim_entries), m.anim_first_free);
    animated_fixitems.active = m.anim_active;
    Rebuild_Map_Anim_Marks();  // also forgets an earlier shortage of map animations
    std::copy(m.anim_types.begin(), m.anim_types.end(), anim_types);

    itemarray.Install(std::move(m.items), m.item_first_free);
    Free_Char_Array();  // drops the stored paths and held target lists of the characters it replaces
    chararray.Install(std::move(m.chars), m.char_first_free);
    mod_array.Install(std::move(m.mods), m.mod_first_free);
    global_modifiers = std::move(m.area_mods);

    selected_count = m.selected_count;
    std::copy(std::begin(m.selected), std::end(m.selected), selected);
    std::copy(&m.select_groups[0][0], &m.select_groups[0][0] + SELECT_GROUPS * SELECT_SLOTS, &select_groups[0][0]);
    page_char = m.page_char;
    // The object the player works with is not stored: it becomes the leading
    // selected character, so it never names an object of the old map.
    current_object = selected_count > 0 ? Make_Obj(OBJ_CHAR, selected[0]) : NOOBJ;
    decision_budget = m.decision_budget;
    tick_cursor = m.tick_cursor;

    actarray.Install(std::move(m.acts), m.act_first_free);
    iqarray.records = std::move(m.iq_slots);
    iqarray.used = m.iq_used;
    iqarray.free_count = m.iq_free_count;
    std::copy(std::begin(m.iq_free_stack), std::end(m.iq_free_stack), iqarray.free_stack);
    main_char = m.main_char;
    main_char_slot = m.main_char_slot;
    player_count = m.player_count;
    portrait_offset = m.portrait_offset;
    std::copy(std::begin(m.player_chars), std::end(m.player_chars), player_chars);
    relationarray.cells = std::move(m.relations);
    relationarray.capacity = iqarray.Capacity();
    Invalidate_Observer_Grid();
    Act_Lists_Replaced();
}

void Clear_Held_Handles(MapImage& m) {
    const std::vector<std::int32_t> states = Char_States(m);
    for (std::size_t c = 0; c < m.chars.size(); ++c) {
        char_record& r = m.chars[c];
        r.path = 0;
        if ((r.flags & CF_FREE) == 0) {
            r.path_entry = 0;
            r.path_target = NOOBJ;
        }
        if (Carries_Act(states[c])) r.target = 0;  // a held target list
    }
    for (act_entry& a : m.acts) {
        switch (a.type & ACT_KIND_MASK) {
            case ACT_START: a.arg2 = 0; break;  // a held target list
            case ACT_FIXGO: a.arg1 = 0; break;  // a stored path
            default: break;
        }
    }
}

void Clear_Run_Time_Handles(MapImage& m) {
    for (fixitem_type& t : m.fixitem_types)
        if (t.sprite != 0) t.sprite = SPRITE_MISSING;
    for (anim_type& t : m.anim_types) t.sprite = 0;
    const std::vector<std::int32_t> states = Char_States(m);
    for (std::size_t c = 0; c < m.chars.size(); ++c) {
        char_record& r = m.chars[c];
        r.body_sprite = 0;
        r.head_sprite = 0;
        if (Carries_Act(states[c])) r.act = Lasting_Act_Handle(r.act);
    }
    for (act_entry& a : m.acts)
        if ((a.type & ACT_KIND_MASK) == ACT_START) a.arg1 = Lasting_Act_Handle(a.arg1);
    Clear_Held_Handles(m);
}
