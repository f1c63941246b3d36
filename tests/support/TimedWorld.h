// Fixtures for the timed parts of the world: the clock and timers, the
// animations, and the questions the modifier kinds ask of other objects.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <utility>

#include "Objects/ObjRef.h"
#include "Objects/Request.h"
#include "System/Random.h"
#include "support/RecordingHandler.h"

namespace fixture {

// Reset_World, then a fresh timer array, the clock at the start of a new
// game in real-time play, no animation wait, a relation matrix for 64 AI
// slots and no scripted random numbers.
void Reset_Timed_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels = 1);

// Until the request catalogue's base rules are in, a helper modifier on
// every field head answers, from the records, the questions the modifier
// kinds ask of the objects on the field: hit points (17), level (22),
// protections (57..68), name (79), 83, carrier (95), burnable (117) and
// water (118), as the base rules do. Fixed answers for one object and
// request take precedence. It borrows the kind "Moving guard", which these
// tests do not otherwise use; build it after the map and before other
// modifiers go on the field heads.
class ScopedBaseAnswers {
  public:
    ScopedBaseAnswers();
    std::map<std::pair<obj_ref, request_no>, RequestValue> fixed;

  private:
    ScopedHandler handler_;
};

// Scripted random numbers while alive.
class ScopedRandom {
  public:
    ScopedRandom(std::initializer_list<int> values = {});
    ~ScopedRandom();
    ScopedRandom(const ScopedRandom&) = delete;
    ScopedRandom& operator=(const ScopedRandom&) = delete;
    void Set(std::initializer_list<int> values);
    RandomScript script;
};

// The requests a recording handler saw for one object, in order.
std::vector<request_no> Requests_For(const ScopedHandler& h, obj_ref object);
// The values it saw with request r.
std::vector<RequestValue> Values_For(const ScopedHandler& h, request_no r);

}  // namespace fixture
