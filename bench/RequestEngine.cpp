// Object_Request per call: a bare character, a fully equipped character
// under area, field and item modifiers, and a field with several objects.
// Each reports the heap allocations per call, which must stay 0.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

std::atomic<std::size_t> allocations{0};

// Runs the request in the benchmark loop and counts the allocations made.
template <class F>
void Measure(benchmark::State& state, F&& request) {
    const std::size_t before = allocations.load();
    for (auto _ : state) benchmark::DoNotOptimize(request());
    state.counters["allocs_per_call"] =
        benchmark::Counter(static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

}  // namespace

// The replacement pair allocates with malloc and frees with free; gcc
// cannot see that they belong together.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t n) {
    ++allocations;
    if (void* p = std::malloc(n != 0 ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

void BM_BareCharacter(benchmark::State& state) {
    Reset_World(20, 20);
    obj_ref hero = Char_Ref(Place_Char(Field_Index(5, 5, 0)));
    Measure(state, [&] { return Object_Request(hero, hero, 0, REQ_STRENGTH, NO_VALUE); });
}
BENCHMARK(BM_BareCharacter);

// A character wearing an item with two modifiers in every body slot, a
// shield and a sword in its hands, four modifiers of its own, one on its
// field and ten area modifiers around it.
obj_ref Equipped_Character() {
    Reset_World(20, 20);
    std::uint16_t field = Field_Index(5, 5, 0);
    std::uint16_t c = Place_Char(field);
    obj_ref hero = Char_Ref(c);
    std::uint16_t armour = Add_Item_Type("Armour", CLASS_ARMOR);
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    std::uint16_t shield = Add_Item_Type("Shield", CLASS_SHIELD);
    for (int s = SLOT_HELM; s <= SLOT_CLOAK; ++s) {
        std::uint16_t item = Give_Item(c, armour, s);
        Add_Modifier(0, Item_Ref(item), MK_MAGIC_ARMOUR, 1, 0, 0, 0);
        Add_Modifier(0, Item_Ref(item), MK_IRON_SKIN, 1, 0, 0, 0);
    }
    Add_Modifier(0, Item_Ref(Give_Item(c, shield, SLOT_LEFT_HAND)), MK_MAGIC_ARMOUR, 2, 0, 0, 0);
    Add_Modifier(0, Item_Ref(Give_Item(c, sword, SLOT_RIGHT_HAND)), MK_GIANT_STRENGTH, 2, 0, 0, 0);
    for (std::uint32_t kind = MK_IRON_SKIN; kind <= MK_GIANT_STRENGTH; ++kind) Add_Modifier(0, hero, kind, 1, 0, 0, 0);
    Add_Modifier(0, Fix_Ref(field), MK_SILENCE, 1, 0, 0, 0);
    for (std::size_t g = 0; g < global_modifiers.size(); ++g) {
        std::uint16_t m = New_Modifier_Record();
        mod_array[m] = modifier{0, 0, NOOBJ, MK_CHARM, 0, 0, 0, 0, NO_INDEX};
        global_modifiers[g] = global_mod{0, 19, 0, 19, 0, 2, m};
    }
    return hero;
}

// Strength: one walk over all of it.
void BM_EquippedCharacter(benchmark::State& state) {
    obj_ref hero = Equipped_Character();
    Measure(state, [&] { return Object_Request(hero, hero, 0, REQ_STRENGTH, NO_VALUE); });
}
BENCHMARK(BM_EquippedCharacter);

// Defence against itself: the base rule asks both positions, four nested
// walks more.
void BM_EquippedCharacterDefence(benchmark::State& state) {
    obj_ref hero = Equipped_Character();
    Measure(state, [&] { return Object_Request(hero, hero, 0, REQ_DEFENCE, NO_VALUE); });
}
BENCHMARK(BM_EquippedCharacterDefence);

void BM_FieldWithObjects(benchmark::State& state) {
    Reset_World(20, 20);
    std::uint16_t field = Field_Index(5, 5, 0);
    Set_Fixitem_Type(1, 5, 1, 2, 30);
    for (int i = 0; i < 4; ++i) {
        std::uint16_t fix = Place_Fixitem(field, 1);
        Add_Modifier(0, Fix_Ref(fix), MK_DOOR, 0, 0, 0, 0);
    }
    Place_Item(field, 1);
    Place_Char(field);
    Add_Modifier(0, Fix_Ref(field), MK_FIRE, 0, 0, 0, 0);
    Measure(state, [&] { return Object_Request(NOOBJ, Fix_Ref(field), 0, REQ_ENTRY_COST, NO_VALUE); });
}
BENCHMARK(BM_FieldWithObjects);

}  // namespace

BENCHMARK_MAIN();
