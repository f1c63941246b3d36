// The request engine's call forms.
#pragma once
#include <cstdint>

#include "Objects/Clamp.h"
#include "Objects/ObjRef.h"
#include "Objects/RequestNumbers.h"

// A request's value and its other argument. Pointer-sized, because a few
// requests carry an address (a name text, the known-spells mask to fill, the
// act descriptor passed as other); every other value is a signed 32-bit
// number held in it.
using RequestValue = std::intptr_t;

// "No value given" on the way in, "none" or "unlimited" on the way out.
constexpr RequestValue NO_VALUE = 0x7FFFFFFF;

// Flags bit 0 set disables the loop check; every caller passes 1.
constexpr int REQ_FLAGS = 1;

// Asks object a question, or changes it, through its base value and every
// modifier bearing on it (see RequestEngine.cpp).
RequestValue Object_Request(obj_ref subject, obj_ref object, RequestValue other, request_no request, RequestValue value,
                            int flags = REQ_FLAGS);

// ---- The common questions ----
// A question is put with no value given (NO_VALUE) or with 0; the two
// differ where no rule and no modifier answers, which then leaves the value
// as it came in. other is the further object or value the question concerns.

// Asks with no value given: NO_VALUE when nothing answers.
inline RequestValue Ask(obj_ref subject, obj_ref object, request_no request, RequestValue other = 0) {
    return Object_Request(subject, object, other, request, NO_VALUE);
}
// Asks with 0: a question nothing answers reads 0.
inline RequestValue Ask_Or_Zero(obj_ref subject, obj_ref object, request_no request, RequestValue other = 0) {
    return Object_Request(subject, object, other, request, 0);
}
// Asks with no value given, the answer held in 32 bits (saturating) for
// arithmetic; nothing answering reads NO_VALUE, the largest.
inline std::int32_t Ask_Clamped(obj_ref subject, obj_ref object, request_no request, RequestValue other = 0) {
    return Clamp32(Ask(subject, object, request, other));
}
// What an object tells of itself: it is the subject too.
inline RequestValue Ask_Self(obj_ref object, request_no request, RequestValue other = 0) {
    return Ask(object, object, request, other);
}
inline RequestValue Ask_Self_Or_Zero(obj_ref object, request_no request) {
    return Ask_Or_Zero(object, object, request);
}

// A modifier kind's handler.
using mod_handler = RequestValue (*)(obj_ref subject, obj_ref object, RequestValue other, std::uint16_t modifier,
                                     request_no request, RequestValue value);

// Reads an address carried in a value (names, masks).
template <class T>
T* Value_Pointer(RequestValue v) {
    return reinterpret_cast<T*>(v);
}
template <class T>
RequestValue Pointer_Value(T* p) {
    return reinterpret_cast<RequestValue>(p);
}
