#include "platform/PathResolver.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path working_folder;

std::vector<std::string> Split_Components(std::string_view name) {
    std::vector<std::string> parts;
    std::string normal = Normalize_Game_Path(name);
    std::size_t start = 0;
    while (start <= normal.size()) {
        std::size_t slash = normal.find('/', start);
        if (slash == std::string::npos) slash = normal.size();
        std::string part = normal.substr(start, slash - start);
        if (!part.empty() && part != ".") parts.push_back(part);
        start = slash + 1;
    }
    return parts;
}

bool Same_Ignoring_Case(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// The entry of dir named component: exact spelling first, else the first
// entry (in name order, so the answer does not depend on the file system)
// that matches ignoring case.
std::optional<fs::path> Match_Component(const fs::path& dir, const std::string& component) {
    std::error_code ec;
    if (component == "..") return dir / component;
    fs::path exact = dir / component;
    if (fs::exists(exact, ec)) return exact;
    std::optional<std::string> best;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (Same_Ignoring_Case(entry, component) && (!best || entry < *best)) best = entry;
    }
    if (best) return dir / *best;
    return std::nullopt;
}

// Where a path starts: the root for an absolute path (a file the user chose
// in a file dialog), the working folder for any game path.
fs::path Start_Of(std::string_view name) { return !name.empty() && name[0] == '/' ? fs::path("/") : Working_Folder(); }

}  // namespace

std::string Normalize_Game_Path(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    while (out.size() >= 2 && out[0] == '.' && out[1] == '/') out.erase(0, 2);
    return out;
}

fs::path Working_Folder() {
    if (working_folder.empty()) {
        std::error_code ec;
        fs::path current = fs::current_path(ec);
        return ec ? fs::path(".") : current;
    }
    return working_folder;
}

void Set_Working_Folder(const fs::path& folder) { working_folder = folder; }

std::optional<fs::path> Resolve_Path(std::string_view name) {
    std::vector<std::string> parts = Split_Components(name);
    if (parts.empty()) return std::nullopt;
    fs::path at = Start_Of(name);
    for (const std::string& part : parts) {
        std::optional<fs::path> next = Match_Component(at, part);
        if (!next) return std::nullopt;
        at = *next;
    }
    return at;
}

fs::path Resolve_Path_For_Write(std::string_view name) {
    std::vector<std::string> parts = Split_Components(name);
    fs::path at = Start_Of(name);
    bool matching = true;
    for (const std::string& part : parts) {
        if (matching) {
            std::optional<fs::path> next = Match_Component(at, part);
            if (next) {
                at = *next;
                continue;
            }
            matching = false;
        }
        at /= part;
    }
    return at;
}

std::string System_Reason(int error_number) { return std::strerror(error_number); }

std::optional<fs::path> Resolve_Readable_File(std::string_view name, file_fault* fault) {
    std::optional<fs::path> path = Resolve_Path(name);
    if (!path) {
        Set_Fault(fault, (Working_Folder() / Normalize_Game_Path(name)).string(), System_Reason(ENOENT));
        return std::nullopt;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(*path, ec);
    if (ec) {
        Set_Fault(fault, path->string(), ec.message());
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        Set_Fault(fault, path->string(), System_Reason(EISDIR));
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        Set_Fault(fault, path->string(), "not a regular file");
        return std::nullopt;
    }
    return path;
}

bool Read_Game_File(std::string_view name, std::uint64_t max_size, std::vector<std::uint8_t>& out, file_fault* fault) {
    std::optional<fs::path> path = Resolve_Readable_File(name, fault);
    if (!path) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path->c_str(), "rb"), &std::fclose);
    if (!f) {
        Set_Fault(fault, path->string(), System_Reason(errno));
        return false;
    }
    std::error_code ec;
    const std::uint64_t size = fs::file_size(*path, ec);
    if (ec) {
        Set_Fault(fault, path->string(), ec.message());
        return false;
    }
    if (size > max_size) {
        Set_Fault(fault, path->string(), "larger than " + std::to_string(max_size) + " bytes");
        return false;
    }
    out.resize(static_cast<std::size_t>(size));
    const std::size_t got = std::fread(out.data(), 1, out.size(), f.get());
    if (got != out.size()) {
        Set_Fault(fault, path->string(),
                  std::ferror(f.get()) ? System_Reason(errno) : "ends early: " + std::to_string(got) + " bytes read");
        return false;
    }
    return true;
}
