// The table DD_Error reports from: 89 codes with their names, in the
// program's order. Lost and busy surfaces and unlisted codes have no row.
#pragma once
#include <array>

#include "platform/DDResult.h"

struct DD_Error_Row {
    HRESULT code;
    const char* name;
};

#define ORVEX_DD_ERROR_ROW(name, value) DD_Error_Row{name, #name},
inline constexpr std::array DD_ERROR_TABLE{ORVEX_DD_REPORTED_RESULTS(ORVEX_DD_ERROR_ROW)};
#undef ORVEX_DD_ERROR_ROW
static_assert(DD_ERROR_TABLE.size() == 89);
