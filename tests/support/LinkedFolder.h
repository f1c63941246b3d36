// A working folder of a test's own that links every entry of a shared one
// (its artwork, its maps), so that what the test writes there ("Test.map",
// saved databases) never meets another test running beside it.
#pragma once
#include <filesystem>
#include <string>

namespace fixture {

// Makes root anew with a link to each entry of from, leaving out the entry
// named skip (when not empty).
std::filesystem::path Linked_Folder(const std::filesystem::path& from, const std::filesystem::path& root,
                                    const std::string& skip = {});

// A fresh folder name under the temporary folder, one per call and process.
std::filesystem::path Own_Temp_Folder(const std::string& prefix);

}  // namespace fixture
