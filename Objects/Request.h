// The request engine's call forms.
#pragma once
#include <cstdint>

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
