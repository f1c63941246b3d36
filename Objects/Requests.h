// The base rules of the requests and the change requests' effects on the
// records.
#pragma once
#include <cstdint>

#include "Objects/RequestEngine.h"

// Whether damage is shown as rising digits over the damaged object: on at
// start, flipped by the map screen's "Turn the digits on/off" control.
extern std::uint32_t digits_shown;
// The digits on again.
void Reset_Digits_Shown();

// The grey of the log lines about characters going down.
constexpr std::uint32_t FALL_DOWN_COLOUR = 0x282828;

// Hit points at and below which a character is dead.
constexpr std::int32_t DEAD_HIT_POINTS = -10;

// The largest answer any object can get to request 70 (sight) and to
// request 71 (hearing): the base rule's, since the modifier kinds that
// answer them only lower them. A kind that raised them would raise these.
RequestValue Greatest_Sight();
RequestValue Greatest_Hearing();

// The base value of a request for the located object: the generic rule,
// then the kind's own rule, which overrides; the incoming value when
// neither knows the request.
RequestValue Base_Value(const Located& at, obj_ref subject, obj_ref object, RequestValue other, request_no request,
                        RequestValue value);

// Writes the final value of a change request into the record and carries
// out its consequences; returns the request's result.
RequestValue Change_Step(const Located& at, obj_ref subject, obj_ref object, RequestValue other, request_no request,
                         RequestValue value);
