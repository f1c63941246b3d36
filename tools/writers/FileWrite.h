// The file-writing helpers live in the platform layer, where the game's own
// writers (maps, databases) use them too.
#pragma once
#include "platform/FileWrite.h"
