// Stand-ins for the parts of the game world the tick and a new game call
// that are built later: the character tick and leaving turn mode. The real
// ones replace them.
#pragma once

// Lets the characters act for one tick; the stand-in lets nobody act.
void Chars_Tick();
// Real-time play: the clock follows the game speed and nobody is selected.
void Leave_Turn_Mode();
