#include "support/RecordingHandler.h"

#include <array>
#include <utility>

namespace fixture {

RequestValue Dispatch(std::uint32_t kind, obj_ref s, obj_ref o, RequestValue other, std::uint16_t m, request_no r,
                      RequestValue v);

namespace {
std::array<ScopedHandler*, MOD_KIND_COUNT> active{};

template <std::uint32_t K>
RequestValue Trampoline(obj_ref s, obj_ref o, RequestValue other, std::uint16_t m, request_no r, RequestValue v) {
    return Dispatch(K, s, o, other, m, r, v);
}

template <std::uint32_t... K>
constexpr std::array<mod_handler, MOD_KIND_COUNT> Make_Trampolines(std::integer_sequence<std::uint32_t, K...>) {
    return {&Trampoline<K>...};
}
const auto trampolines = Make_Trampolines(std::make_integer_sequence<std::uint32_t, MOD_KIND_COUNT>{});
}  // namespace

RequestValue Dispatch(std::uint32_t kind, obj_ref s, obj_ref o, RequestValue other, std::uint16_t m, request_no r,
                      RequestValue v) {
    ScopedHandler* h = active[kind];
    HandlerCall call{s, o, other, m, r, v};
    h->calls.push_back(call);
    if (h->respond_) return h->respond_(call);
    if (r >= REQ_INITIALISE && r <= REQ_TIMER) return v;
    return v + 1;
}

ScopedHandler::ScopedHandler(std::uint32_t kind, Respond respond, int flags)
    : kind_(kind), saved_(mod_types[kind]), respond_(std::move(respond)) {
    active[kind] = this;
    mod_types[kind].handler = trampolines[kind];
    if (flags >= 0) mod_types[kind].flags = static_cast<std::uint8_t>(flags);
}

ScopedHandler::~ScopedHandler() {
    mod_types[kind_] = saved_;
    active[kind_] = nullptr;
}

std::vector<std::uint16_t> ScopedHandler::Applied(request_no request) const {
    std::vector<std::uint16_t> out;
    for (const HandlerCall& c : calls)
        if (c.request == request) out.push_back(c.modifier);
    return out;
}

}  // namespace fixture
