#include "datafiles/ItemData.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "datafiles/DatabaseFormat.h"
#include "datafiles/FileReader.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"

bool Parse_Item_Data(std::istream& in, std::uint64_t size, std::vector<item_type>& types) {
    FileReader file(in, size);
    return Parse_Item_File(file, ANY_COUNT, types) == RecordFileResult::OK;
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
