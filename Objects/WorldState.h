// The game world's state as a whole: all of it back to its start, or only
// the part that a map replacing the one in play must not inherit. Each
// module resets its own globals; these call them all.
#pragma once

// Every global of the game world back to its start: no map and no records
// of any kind, no database types, no timers, nobody selected, a new game's
// clock in real-time play, the digits shown, nothing aimed, routed,
// perceived or carried out. The hooks stay as installed (Reset_Objects_Hooks
// puts them back).
void Reset_World_State();

// What names fields, records or acts of the map in play but is not stored
// with it: the aim, the path search and its arrows, the act being carried
// out and what the party perceived of it, the acts' origins, the sight and
// sound origins, the character tick's leading field. Called before another
// map takes the place of the one in play.
void Reset_Map_Play_State();
