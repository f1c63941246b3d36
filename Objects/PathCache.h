// Whether the entry cost being computed for the path search may be cached.
// The search sets it before it asks a field's cost; a program whose answer
// depends on the moving character (its facing) clears it.
#pragma once

extern bool path_cacheable;
