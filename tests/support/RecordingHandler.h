// Stands a recording handler in for a modifier kind while a test runs.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "Objects/ModifierKinds.h"

namespace fixture {

struct HandlerCall {
    obj_ref subject, object;
    RequestValue other;
    std::uint16_t modifier;
    request_no request;
    RequestValue value;
};

// While alive, kind's handler records every call and answers through
// respond (default: value + 1 for requests other than the life-cycle events,
// so a test sees which modifiers were applied). Only one per kind at a time.
class ScopedHandler {
  public:
    using Respond = std::function<RequestValue(const HandlerCall&)>;
    ScopedHandler(std::uint32_t kind, Respond respond = {}, int flags = -1);
    ~ScopedHandler();
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

    std::vector<HandlerCall> calls;
    // The modifiers applied for request, in order.
    std::vector<std::uint16_t> Applied(request_no request) const;

  private:
    std::uint32_t kind_;
    mod_type saved_;
    Respond respond_;
    friend RequestValue Dispatch(std::uint32_t, obj_ref, obj_ref, RequestValue, std::uint16_t, request_no,
                                 RequestValue);
};

}  // namespace fixture
