#include "platform/Resources.h"

#include <strings.h>

#include <vector>

namespace {

struct table {
    const resource_entry* entries;
    std::size_t count;
};

std::vector<table>& Tables() {
    static std::vector<table> tables;
    return tables;
}

bool Same_Type(const resource_entry& e, const char* type) {
    if (IS_INTRESOURCE(type))
        return e.type_id != 0 && e.type_id == static_cast<WORD>(reinterpret_cast<std::uintptr_t>(type));
    return e.type_id == 0 && e.type_name != nullptr && strcasecmp(e.type_name, type) == 0;
}

// Any non-null handle names the program's module.
HINSTANCE__* const program_module = reinterpret_cast<HINSTANCE__*>(std::uintptr_t{0x400000});

}  // namespace

void Register_Resources(const resource_entry* entries, std::size_t count) { Tables().push_back({entries, count}); }

void Reset_Resources() { Tables().clear(); }

HINSTANCE GetModuleHandleA(const char*) { return program_module; }

HRSRC FindResourceA(HINSTANCE, const char* name, const char* type) {
    if (name == nullptr || type == nullptr || IS_INTRESOURCE(name)) return nullptr;
    for (auto t = Tables().rbegin(); t != Tables().rend(); ++t)
        for (std::size_t i = 0; i < t->count; ++i) {
            const resource_entry& e = t->entries[i];
            if (e.name != nullptr && strcasecmp(e.name, name) == 0 && Same_Type(e, type))
                return reinterpret_cast<HRSRC>(const_cast<resource_entry*>(&e));
        }
    return nullptr;
}

HGLOBAL LoadResource(HINSTANCE, HRSRC resource) { return resource; }

void* LockResource(HGLOBAL loaded) {
    if (loaded == nullptr) return nullptr;
    return const_cast<char*>(static_cast<const resource_entry*>(loaded)->data);
}

DWORD SizeofResource(HINSTANCE, HRSRC resource) {
    if (resource == nullptr) return 0;
    return static_cast<DWORD>(reinterpret_cast<const resource_entry*>(resource)->size);
}
