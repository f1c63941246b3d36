// The base rules of the requests and the change requests' effects on the
// records.
#pragma once
#include "Objects/RequestEngine.h"

// The base value of a request for the located object: the generic rule,
// then the kind's own rule, which overrides; the incoming value when
// neither knows the request.
RequestValue Base_Value(const Located& at, obj_ref subject, obj_ref object, RequestValue other,
                        request_no request, RequestValue value);

// Writes the final value of a change request into the record and carries
// out its consequences; returns the request's result.
RequestValue Change_Step(const Located& at, obj_ref subject, obj_ref object, RequestValue other,
                         request_no request, RequestValue value);
