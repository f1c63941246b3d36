// "item.dat": the item types of the database, read by the map loader and
// written with the other database files. The magic, a u32 record size, a
// u32 count and the records, index 0 first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <vector>

#include "Objects/Item/Items.h"
#include "platform/FileFault.h"

constexpr const char* ITEM_DATA_FILE = "item.dat";

// Every database file begins with these 10 characters and a zero byte.
constexpr char DATABASE_MAGIC[] = "edit v1.05";
constexpr std::size_t DATABASE_MAGIC_SIZE = sizeof DATABASE_MAGIC;
static_assert(DATABASE_MAGIC_SIZE == 11);

// Item types are named by 16-bit indexes, so a file never holds more.
constexpr std::uint32_t MAX_ITEM_TYPES = 0xFFFF;

// Parses an item.dat image of size bytes into types, as the database load
// reads it: the records are read with the size the file states (larger than
// ours is refused) into zeroed records, with room for the table's growth.
// False when the image is not a complete item.dat; types is then left as
// it was.
bool Parse_Item_Data(std::istream& in, std::uint64_t size, std::vector<item_type>& types);

// Reads the file into types. False with the message for the status line
// ("Unable to open item data file", "Invalid item data file") and, in
// fault, the file and what is wrong, when it cannot; types is then left as
// it was. A folder, a FIFO or a device is refused like a missing file.
bool Read_Item_Data(const char* file_name, std::vector<item_type>& types, const char*& message,
                    file_fault* fault = nullptr);

// Writes types as an item.dat through a temporary file; false when the file
// could not be written completely (an older file then stays whole; fault
// says why).
bool Write_Item_Data(const char* file_name, const std::vector<item_type>& types, file_fault* fault = nullptr);
