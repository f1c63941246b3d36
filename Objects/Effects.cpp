#include "Objects/Effects.h"

std::uint16_t target_field = 0xFFFF;

target_list New_Target_List(std::uint16_t count) {
    target_list list = new std::uint16_t[count + 1u]();
    list[0] = count;
    return list;
}

target_list One_Field_Target_List(std::uint16_t field) {
    target_list list = New_Target_List(1);
    list[1] = field;
    return list;
}

void Free_Target_List(target_list list) { delete[] list; }

// Minimal stand-ins until acts are started and executed: nothing happens,
// and a handed-over list is freed.
int Effect_Start(obj_ref, act_desc*, target_list list) {
    Free_Target_List(list);
    return 0;
}

void Effect_Execute(obj_ref, act_desc*, target_list list) { Free_Target_List(list); }
