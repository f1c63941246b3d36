#include "datafiles/ItemData.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "datafiles/DatabaseFormat.h"
#include "datafiles/FileReader.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"

bool Parse_Item_Data(std::istream& in, std::uint64_t size, std::vector<item_type>& types) {
    FileReader file(in, size);
    char magic[DATABASE_MAGIC_SIZE];
    std::uint32_t record_size = 0;
    std::uint32_t count = 0;
    if (!file.Bytes(magic, sizeof magic) || std::memcmp(magic, DATABASE_MAGIC, sizeof magic) != 0) return false;
    if (!file.Value(record_size) || !file.Value(count)) return false;
    if (record_size > sizeof(item_type) || count > MAX_ITEM_TYPES) return false;
    std::vector<item_type> read;
    read.reserve(count + ITEM_TYPES_SPARE);
    if (!file.Record_Vector(read, count, record_size)) return false;
    types = std::move(read);
    return true;
}

bool Read_Item_Data(const char* file_name, std::vector<item_type>& types, const char*& message, file_fault* fault) {
    message = "Unable to open item data file";
    const auto path = Resolve_Readable_File(file_name, fault);
    if (!path) return false;
    std::error_code ec;
    const std::uint64_t size = std::filesystem::file_size(*path, ec);
    std::ifstream in(*path, std::ios::binary);
    if (ec || !in) {
        Set_Fault(fault, path->string(), ec ? ec.message() : System_Reason(errno));
        return false;
    }
    message = "Invalid item data file";
    if (!Parse_Item_Data(in, size, types)) {
        Set_Fault(fault, path->string(), "not a complete \"edit v1.05\" item database");
        return false;
    }
    message = nullptr;
    return true;
}

bool Write_Item_Data(const char* file_name, const std::vector<item_type>& types, file_fault* fault) {
    return Write_File_Atomic(Resolve_Path_For_Write(file_name), Item_File_Bytes(types), fault);
}
