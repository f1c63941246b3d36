#include "Objects/TypeTables.h"

std::vector<fixitem_type> fixitem_data;
std::vector<fixitem_ext> fixitem_data_ext;
std::vector<char_record> char_data;

void Reset_Type_Tables() {
    fixitem_data = {};
    fixitem_data_ext = {};
    char_data = {};
}
