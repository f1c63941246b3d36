// A pitched battle for the real-time tick: two armies of wandering monsters
// that charge what they perceive, on a 100 x 100 map, seeded, so that the
// same number of soldiers always fights the same battle.
#pragma once

namespace fixture {

// Reset_Tick_World and two hostile armies (lobbies 2 and 4) of count
// soldiers in all, in columns every other field, facing each other two
// fields apart; every other soldier holds a sword. Random is seeded.
void Build_Battle(int count);

}  // namespace fixture
