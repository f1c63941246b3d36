#include "support/ActWorld.h"

#include <algorithm>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/Effects.h"
#include "Objects/Hooks.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/PathSearch.h"
#include "Objects/SpriteInfo.h"
#include "support/PathWorld.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

namespace fixture {

std::uint16_t cursor_shown = 0;
std::vector<std::uint16_t> cursor_changes;

namespace {

std::vector<ProbeAct*> probes;

RequestValue Probe_Handler(obj_ref source, obj_ref target, act_desc* act, request_no request, RequestValue value) {
    auto it = std::find_if(probes.begin(), probes.end(), [act](ProbeAct* p) { return &p->desc == act; });
    if (it == probes.end()) return NO_VALUE;
    ProbeAct& p = **it;
    ActCall call{source, target, request, value};
    p.calls.push_back(call);
    if (request == REQ_EFFECT_HIT && p.on_hit != nullptr) p.on_hit(call);
    auto answer = p.answers.find(request);
    return answer != p.answers.end() ? answer->second : NO_VALUE;
}

}  // namespace

void Reset_Act_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels) {
    Reset_Timed_World(width, height, levels);
    Set_Fixitem_Type(0, LAYER_FLOOR, 1, FLOOR_COST);
    Set_Fixitem_Type(WALL_SLOT, LAYER_WALL, 1, -1, 100);
    Set_Fixitem_Type(BLOCKING_SLOT, LAYER_WALL, 1, 0, 150);
    Init_Path_Arrays();
    for (std::uint8_t t = 17; t <= 20; ++t) anim_types[t].sprite = Register_Sprite_Info(0, FLASH_FRAMES);
    cursor_shown = 0;
    cursor_changes.clear();
    Objects_Hooks().cursor_type = [] { return cursor_shown; };
    Objects_Hooks().set_cursor_type = [](std::uint16_t t) {
        cursor_shown = t;
        cursor_changes.push_back(t);
    };
}

std::uint16_t Place_Hero(std::uint16_t field, const std::string& name) {
    std::uint16_t c = Place_Thinking_Char(field, name, 0);
    char_record& r = chararray.records[c];
    for (int k = 0; k < 4; ++k) r.mana[k] = r.max_mana[k] = 40;
    r.state = CS_DECIDING;
    return c;
}

std::uint16_t Place_Stranger(std::uint16_t field, const std::string& name, std::uint8_t lobby) {
    std::uint16_t c = Place_Thinking_Char(field, name, lobby);
    char_record& r = chararray.records[c];
    for (int k = 0; k < 4; ++k) r.mana[k] = r.max_mana[k] = 40;
    r.state = CS_DECIDING;
    return c;
}

ProbeAct::ProbeAct(std::uint32_t flags, std::uint8_t range, std::uint8_t pattern, std::uint16_t action_points)
    : desc{"Probe",       "A probe.",    0,    {0, 0, 0, 0}, 5, 3, 1, range, pattern, 0, flags,
           action_points, Probe_Handler, NOOBJ} {
    probes.push_back(this);
}

ProbeAct::~ProbeAct() { probes.erase(std::remove(probes.begin(), probes.end(), this), probes.end()); }

std::vector<ActCall> ProbeAct::Calls(request_no r) const {
    std::vector<ActCall> out;
    for (const ActCall& c : calls)
        if (c.request == r) out.push_back(c);
    return out;
}

std::vector<obj_ref> ProbeAct::Hit(request_no r) const {
    std::vector<obj_ref> out;
    for (const ActCall& c : Calls(r)) out.push_back(c.target);
    return out;
}

std::uint16_t Field_At(std::uint32_t x, std::uint32_t y) { return Field_Index(x, y, 0); }

}  // namespace fixture
