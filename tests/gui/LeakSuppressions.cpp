// The window system's lifelong memory is no leak of the tests.
#include "platform/wx/WxLeaks.h"

extern "C" const char* __lsan_default_suppressions() { return WX_LEAK_SUPPRESSIONS; }
