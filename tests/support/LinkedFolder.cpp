#include "support/LinkedFolder.h"

#include <unistd.h>

#include <atomic>

namespace fixture {

namespace fs = std::filesystem;

fs::path Linked_Folder(const fs::path& from, const fs::path& root, const std::string& skip) {
    fs::remove_all(root);
    fs::create_directories(root);
    for (const fs::directory_entry& e : fs::directory_iterator(from)) {
        if (!skip.empty() && e.path().filename() == skip) continue;
        if (e.is_directory())
            fs::create_directory_symlink(e.path(), root / e.path().filename());
        else
            fs::create_symlink(e.path(), root / e.path().filename());
    }
    return root;
}

fs::path Own_Temp_Folder(const std::string& prefix) {
    static std::atomic<int> counter{0};
    return fs::temp_directory_path() / (prefix + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

}  // namespace fixture
