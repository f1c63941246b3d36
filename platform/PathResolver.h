// Every file path the game names ("ARTWORK\PAGES\cimkep2.bmp",
// "artwork//maps//aa.bin", "start.map") goes through here: backslashes become
// slashes, doubled separators collapse, and each component is matched
// case-insensitively inside the working folder. Nothing changes the
// process's current directory.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileFault.h"

// "ARTWORK\\PAGES\\\\x.bmp" -> "ARTWORK/PAGES/x.bmp"; leading "./" dropped.
std::string Normalize_Game_Path(std::string_view name);

// The folder game paths are relative to: the process's current directory
// unless a caller (a test, the headless runner) sets another.
std::filesystem::path Working_Folder();
void Set_Working_Folder(const std::filesystem::path& folder);  // empty: current directory

// The existing file or folder a game path names, or nothing when a component
// is missing. An exact-case match wins over a case-insensitive one. A path
// that begins with a slash (a file chosen in a file dialog) starts at the
// root instead of the working folder.
std::optional<std::filesystem::path> Resolve_Path(std::string_view name);

// Where a file of that name is to be written: existing components are
// matched as Resolve_Path does, the missing rest is kept as spelled.
std::filesystem::path Resolve_Path_For_Write(std::string_view name);

// Where a game path names a file to read: a regular file. A missing one, a
// folder, a FIFO or a device (whose reading may block or never end) is
// refused with nothing, and fault tells which file and why.
std::optional<std::filesystem::path> Resolve_Readable_File(std::string_view name, file_fault* fault = nullptr);

// The whole file a game path names into out; false when it is missing, not
// a regular file, unreadable or larger than max_size bytes (fault says why).
bool Read_Game_File(std::string_view name, std::uint64_t max_size, std::vector<std::uint8_t>& out,
                    file_fault* fault = nullptr);
