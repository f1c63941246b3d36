#include "Objects/Hooks.h"

ObjectsHooks& Objects_Hooks() {
    static ObjectsHooks hooks;
    return hooks;
}
