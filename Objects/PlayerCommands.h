// The orders the player gives the leading selected character from the
// buttons and keys of the hexamap screen's left panel: attack, wait, guard
// and operate. Each is a control handler (mouse flags, event) that takes no
// notice of its arguments: a click, a right click and the key do the same.
#pragma once
#include <cstdint>

void Cmd_Attack_Right(std::uint32_t flags, int event);
// No effect.
void Cmd_Attack_Left(std::uint32_t flags, int event);
// No effect.
void Cmd_Repeat_Last_Order(std::uint32_t flags, int event);
// In turn mode: the leading character waits for the others, paying a
// quarter of its maximum action points, or guards when it has no more than
// that left.
void Cmd_Wait_For_Others(std::uint32_t flags, int event);
// In turn mode only.
void Cmd_Guard(std::uint32_t flags, int event);
void Cmd_Operate_Item(std::uint32_t flags, int event);
// Orders the haste spell; no control is bound to it.
void Cmd_Haste(std::uint32_t flags, int event);

// Whether the player may command: something is selected and the current
// object is the active player character.
bool Player_May_Command();
