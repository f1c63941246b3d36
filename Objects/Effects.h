// Starting and executing acts on lists of target fields.
#pragma once
#include <cstdint>

#include "Objects/Acts.h"

// A target list: a heap block of u16 values, the count n (1..5), then n
// field indexes. Whoever builds one hands it over; Effect_Execute frees it.
using target_list = std::uint16_t*;

// The field the player clicked while an act picks its target; 0xFFFF none.
extern std::uint16_t target_field;

target_list New_Target_List(std::uint16_t count);
target_list One_Field_Target_List(std::uint16_t field);
void Free_Target_List(target_list list);

// 1 when the act was started, 0 when refused.
int Effect_Start(obj_ref source, act_desc* act, target_list list);
void Effect_Execute(obj_ref source, act_desc* act, target_list list);
