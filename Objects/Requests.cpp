#include "Objects/Requests.h"

// Minimal stand-in until the request catalogue is built: only the position
// requests have a base value, and no change request writes anything.
RequestValue Base_Value(const Located& at, obj_ref, obj_ref, RequestValue, request_no request, RequestValue value) {
    switch (request) {
        case REQ_X:
            return at.x;
        case REQ_Y:
            return at.y;
        case REQ_LEVEL:
            return at.level;
        case REQ_FIELD:
            return at.field;
        default:
            return value;
    }
}

RequestValue Change_Step(const Located&, obj_ref, obj_ref, RequestValue, request_no, RequestValue value) {
    return value;
}
