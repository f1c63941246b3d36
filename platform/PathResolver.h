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

// "ARTWORK\\PAGES\\\\x.bmp" -> "ARTWORK/PAGES/x.bmp"; leading "./" dropped.
std::string Normalize_Game_Path(std::string_view name);

// The folder game paths are relative to: the process's current directory
// unless a caller (a test, the headless runner) sets another.
std::filesystem::path Working_Folder();
void Set_Working_Folder(const std::filesystem::path& folder);  // empty: current directory

// The existing file or folder a game path names, or nothing when a component
// is missing. An exact-case match wins over a case-insensitive one.
std::optional<std::filesystem::path> Resolve_Path(std::string_view name);

// Where a file of that name is to be written: existing components are
// matched as Resolve_Path does, the missing rest is kept as spelled.
std::filesystem::path Resolve_Path_For_Write(std::string_view name);

// The whole file a game path names into out; false when it is missing,
// unreadable or larger than max_size bytes.
bool Read_Game_File(std::string_view name, std::uint64_t max_size, std::vector<std::uint8_t>& out);
