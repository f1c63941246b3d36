// The act records' values, the dice of the acts, the cast announcement, the
// notices in message boxes and the set-up of every object after a map starts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Spells.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/LogSpy.h"
#include "support/RecordingHandler.h"
#include "support/TimedWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class ActValues : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_Act_World(9, 9);
        hero = Place_Hero(Field_At(4, 4), "Hero");
        friend_ = Place_Hero(Field_At(5, 4), "Friend");
    }
    obj_ref Hero() const { return Char_Ref(hero); }
    obj_ref Friend() const { return Char_Ref(friend_); }
    std::uint16_t hero = 0, friend_ = 0;
};

TEST_F(ActValues, HitDamageRollsAgainstTheDefence) {
    struct Row {
        std::int32_t attack, defence, damage;
        std::uint32_t sure;
        std::vector<int> dice;  // Random(20): the roll is the value - 10
        std::int32_t dealt;
        const char* why;
    } rows[] = {
        {0, 100, 7, 1, {}, 7, "a sure hit deals everything without a roll"},
        {0, 100, -1, 1, {}, 0, "negative damage deals nothing"},
        {100, 0, 7, 0, {0}, 0, "a roll of -10 always misses"},
        {0, 100, 7, 0, {19}, 7, "a roll of 9 always hits"},
        {10, 12, 7, 0, {12}, 7, "attack + 2 reaches the defence"},
        {10, 15, 7, 0, {10}, 2, "attack 10 short of 15: 7 + 10 - 15"},
        {10, 17, 7, 0, {10}, 0, "7 + 10 does not pass 17"},
        {-5, 0, 3, 0, {16}, 3, "attack -5 + 6 passes 0"},
    };
    for (const Row& r : rows) {
        ScopedRandom dice;
        dice.script.values = r.dice;
        EXPECT_EQ(Hit_Damage(r.attack, r.defence, r.damage, r.sure), r.dealt) << r.why;
        EXPECT_EQ(dice.script.calls.size(), r.sure ? 0u : 1u) << r.why;
    }
}

TEST_F(ActValues, ResistCheckComparesTheRollWithTheMargin) {
    struct Row {
        std::int16_t protection;  // the target's earth protection (request 68)
        std::int8_t caster_level;
        std::int32_t base, factor;
        int roll;
        bool resists;
        std::int32_t margin;
    } rows[] = {
        {99, 5, 0, 0, 99, true, 99},                                 // a margin of 99 resists every roll
        {0, 2, 10, 5, 0, false, -20},                                // a negative margin never
        {30, 2, 0, 5, 20, true, 20},                                 // the roll may equal the margin
        {30, 2, 0, 5, 21, false, 20}, {50, 10, 5, 2, 25, true, 25},  // 50 - (5 + 10 * 2)
    };
    for (const Row& r : rows) {
        chararray[friend_].protection[3] = r.protection;
        chararray[hero].level = r.caster_level;
        ScopedRandom dice{r.roll};
        EXPECT_EQ(Resist_Check(Hero(), Friend(), REQ_PROT_EARTH_3, r.base, r.factor), r.resists) << r.protection;
        EXPECT_EQ(resist_margin, r.margin);
        EXPECT_EQ(dice.script.calls, std::vector<int>{100});
    }
}

TEST_F(ActValues, ActValuesComeFromTheHandlerThenTheRecordThenTheSourcesModifiers) {
    ProbeAct probe(ACT_HITS_CHARS, 3, 7, 9);
    probe.answers[REQ_ACT_VISIBILITY] = 33;
    ScopedHandler plus(MK_IRON_SKIN, [](const HandlerCall& call) {
        return call.request == REQ_ACT_AP_COST ? call.value + 1 : call.value;
    });
    Add_Modifier(0, Hero(), MK_IRON_SKIN, 0, 0, 0, 0);

    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_VISIBILITY, 0), 33);
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_RANGE, 0), 3);
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_PATTERN, 0), 7);
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_AP_COST, 0), 10);
    EXPECT_STREQ(Value_Pointer<const char>(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_NAME, 0)), "Probe");
    // Requests beyond the record's stay unanswered unless someone answers.
    EXPECT_EQ(Get_Act_Value(Hero(), NOOBJ, &probe.desc, REQ_ACT_VALID_TARGET, 0), NO_VALUE);
    // The modifiers are asked with the act as the other argument.
    std::vector<RequestValue> others;
    for (const HandlerCall& c : plus.calls)
        if (c.request == REQ_ACT_AP_COST) others.push_back(c.other);
    EXPECT_EQ(others, std::vector<RequestValue>{Pointer_Value(&probe.desc)});
    // The handler is told what is asked, of which target, with the value.
    ASSERT_FALSE(probe.calls.empty());
    EXPECT_EQ(probe.calls[0].request, REQ_ACT_VISIBILITY);
    EXPECT_EQ(probe.calls[0].target, NOOBJ);
}

TEST_F(ActValues, HandlesNameTheRecordsTheSameInEveryRun) {
    EXPECT_EQ(Act_Handle(nullptr), 0u);
    EXPECT_EQ(Act_From_Handle(0), nullptr);
    EXPECT_EQ(Act_Handle(&step_act), AR_STEP + 1u);
    EXPECT_EQ(Act_From_Handle(AR_HEAL + 1u), &heal_act);
    EXPECT_EQ(Act_From_Handle(Act_Handle(&fire_wall_hit)), &fire_wall_hit);
    ProbeAct probe(0);
    std::uint32_t h = Act_Handle(&probe.desc);
    EXPECT_GT(h, static_cast<std::uint32_t>(ACT_RECORD_COUNT));
    EXPECT_EQ(Act_Handle(&probe.desc), h);
    EXPECT_EQ(Act_From_Handle(h), &probe.desc);
    EXPECT_EQ(Act_From_Handle(0xFFFFFFF0u), nullptr);
    EXPECT_STREQ(spell_table[2].act->name, "Heal Spell");
    EXPECT_EQ(spell_table[12].act, &knock_knock_act);
}

TEST_F(ActValues, TheAnnouncementNamesCasterActAndTargetInTheActsColour) {
    struct Row {
        act_desc* act;
        obj_ref target;
        std::int32_t seen;
        std::string line;  // empty: no line
        COLORREF colour;
    } rows[] = {
        {&heal_act, Char_Ref(friend_), 0, "Hero casts Heal Spell on Friend", RGB(0, 255, 0)},
        {&living_torch_act, Char_Ref(friend_), 12, "Hero casts Living Torch on Friend", RGB(255, 0, 0)},
        {&heal_act, Char_Ref(hero), 3, "Hero casts Heal Spell.", RGB(0, 255, 0)},
        {&silence_act, Fix_Ref(Field_At(2, 2)), 0, "Hero casts Silence.", RGB(40, 40, 40)},
        {&heal_act, Char_Ref(friend_), 13, "", 0},
    };
    for (const Row& r : rows) {
        Clear_Logged_Messages();
        party_sight_distance = r.seen;
        party_observer = Friend();
        Announce_Cast(Hero(), r.target, r.act);
        if (r.line.empty()) {
            EXPECT_TRUE(Logged_Messages().empty());
            continue;
        }
        ASSERT_EQ(Logged_Messages().size(), 1u) << r.line;
        EXPECT_EQ(Logged_Messages()[0].text, r.line);
        EXPECT_EQ(Logged_Messages()[0].colour, r.colour) << r.line;
    }
    // Only a character casts.
    Clear_Logged_Messages();
    party_sight_distance = 0;
    Announce_Cast(Fix_Ref(Field_At(1, 1)), Friend(), &heal_act);
    EXPECT_TRUE(Logged_Messages().empty());
}

TEST_F(ActValues, MessageBoxesAreSuppressedWhileTheAIActs) {
    ai_acting = 1;
    Show_Message_Box("Spell Failed!");
    EXPECT_TRUE(Headless_Backend().boxes.empty());
    ai_acting = 0;
    Show_Message_Box("Spell Failed!");
    ASSERT_EQ(Headless_Backend().boxes.size(), 1u);
    EXPECT_EQ(Headless_Backend().boxes[0].text, "Spell Failed!");
    EXPECT_EQ(Headless_Backend().boxes[0].caption, "");
    EXPECT_EQ(Headless_Backend().boxes[0].type, MB_SETFOREGROUND);
}

TEST_F(ActValues, EveryObjectInUseIsInitialisedOnceByItself) {
    const std::uint16_t field = Field_At(2, 2);
    std::uint16_t first = Place_Fixitem(field, 0);
    std::uint16_t gone = Place_Fixitem(Field_At(3, 3), 0);
    std::uint16_t second = Place_Fixitem(field, 0);
    std::uint16_t sword = Place_Item(field, Add_Item_Type("Sword", CLASS_SWORD));
    Destroy_Object(Fix_Ref(gone));
    // A watcher on the field head hears whatever is asked of the field's objects.
    ScopedHandler watcher(MK_IRON_SKIN, [](const HandlerCall& call) { return call.value; });
    Add_Modifier(0, Fix_Ref(field), MK_IRON_SKIN, 0, 0, 0, 0);
    watcher.calls.clear();
    Init_All_Object_Values();
    std::vector<obj_ref> told;
    for (const HandlerCall& c : watcher.calls) {
        if (c.request != REQ_INITIALISE) continue;
        EXPECT_EQ(c.subject, c.object);
        told.push_back(c.object);
    }
    EXPECT_EQ(told, (std::vector<obj_ref>{Fix_Ref(field), Fix_Ref(first), Fix_Ref(second), Item_Ref(sword)}));
}

}  // namespace
