#include "platform/DDResult.h"

const char* DD_Result_Name(HRESULT result) {
#define ORVEX_DD_NAME_CASE(name, value) \
    case name: return #name;
    switch (result) {
        case DD_OK:
            return "DD_OK";
            ORVEX_DD_REPORTED_RESULTS(ORVEX_DD_NAME_CASE)
            ORVEX_DD_UNREPORTED_RESULTS(ORVEX_DD_NAME_CASE)
        default: return nullptr;
    }
#undef ORVEX_DD_NAME_CASE
}
