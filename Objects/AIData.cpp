#include "Objects/AIData.h"

// Minimal stand-in until the AI arrays are built: there are no slots.
void Free_IQ_Slot(std::uint16_t) {}
