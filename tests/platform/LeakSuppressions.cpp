// SDL's audio keeps its D-Bus connection until the process ends.
#include "platform/DSound.h"

extern "C" const char* __lsan_default_suppressions() { return SOUND_LEAK_SUPPRESSIONS; }
