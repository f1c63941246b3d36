#include "Objects/AIData.h"

IQArray iqarray;
RelationArray relationarray;

// Minimal stand-in until the AI arrays are built: slots are not released.
void Free_IQ_Slot(std::uint16_t) {}
