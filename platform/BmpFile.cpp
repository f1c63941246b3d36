// LoadImageA: 8-bit uncompressed BMP files, or bitmap resources holding
// one, into bitmaps.
#include <cstring>

#include "platform/GdiInternal.h"
#include "platform/PathResolver.h"
#include "platform/Resources.h"

namespace {

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::size_t INFO_HEADER_SIZE = 40;
constexpr std::uint64_t MAX_BMP_FILE = 64u << 20;
constexpr std::int64_t MAX_BMP_SIDE = 16384;

std::uint32_t U32(const std::vector<std::uint8_t>& f, std::size_t at) {
    return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (static_cast<std::uint32_t>(f[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<std::uint8_t>& f, std::size_t at) {
    return static_cast<std::uint16_t>(f[at] | (f[at + 1] << 8));
}

HBITMAP Scaled(const HBITMAP__& from, int width, int height) {
    auto* to = new HBITMAP__();
    to->width = width;
    to->height = height;
    to->pitch = (width + 3) & ~3;
    std::memcpy(to->colours, from.colours, sizeof(to->colours));
    to->pixels.assign(static_cast<std::size_t>(to->pitch) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = from.pixels.data() + static_cast<std::size_t>(y * from.height / height) * from.pitch;
        std::uint8_t* dest = to->pixels.data() + static_cast<std::size_t>(y) * to->pitch;
        for (int x = 0; x < width; ++x) dest[x] = src[x * from.width / width];
    }
    return to;
}

// A bitmap resource of the program (its BMP file's bytes); false when there
// is none.
bool Read_Bitmap_Resource(HINSTANCE instance, const char* name, std::vector<std::uint8_t>& out) {
    if (instance == nullptr) return false;
    const HRSRC found = FindResourceA(instance, name, RT_BITMAP);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, found)));
    const DWORD size = SizeofResource(instance, found);
    if (data == nullptr || size > MAX_BMP_FILE) return false;
    out.assign(data, data + size);
    return true;
}

}  // namespace

HBITMAP Bitmap_From_Bmp(const std::vector<std::uint8_t>& f, const char** why) {
    const char* ignored = nullptr;
    const char*& reason = why != nullptr ? *why : ignored;
    const std::uint64_t size = f.size();
    reason = "not a BMP file";
    if (size < FILE_HEADER_SIZE + INFO_HEADER_SIZE || f[0] != 'B' || f[1] != 'M') return nullptr;
    const std::uint64_t bits_offset = U32(f, 10);
    const std::uint64_t header_size = U32(f, 14);
    reason = "its header is damaged";
    if (header_size < INFO_HEADER_SIZE || FILE_HEADER_SIZE + header_size > size) return nullptr;
    const std::int64_t width = static_cast<std::int32_t>(U32(f, 18));
    const std::int64_t signed_height = static_cast<std::int32_t>(U32(f, 22));
    const std::int64_t height = signed_height < 0 ? -signed_height : signed_height;
    reason = "not an uncompressed 8-bit bitmap";
    if (U16(f, 26) != 1 || U16(f, 28) != 8 || U32(f, 30) != 0) return nullptr;
    reason = "its size is out of range";
    if (width <= 0 || height <= 0 || width > MAX_BMP_SIDE || height > MAX_BMP_SIDE) return nullptr;
    std::uint64_t colours = U32(f, 46);
    if (colours == 0) colours = 256;
    reason = "its colour table is damaged";
    if (colours > 256) return nullptr;
    const std::uint64_t table = FILE_HEADER_SIZE + header_size;
    if (table + colours * 4 > size || bits_offset < table) return nullptr;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) + 3) & ~std::uint64_t{3};
    reason = "its pixels are cut short";
    if (bits_offset > size || stride * height > size - bits_offset) return nullptr;
    reason = nullptr;

    auto* bitmap = new HBITMAP__();
    bitmap->width = static_cast<int>(width);
    bitmap->height = static_cast<int>(height);
    bitmap->pitch = static_cast<int>(stride);
    for (std::uint64_t i = 0; i < colours; ++i) {
        const std::uint8_t* q = f.data() + table + i * 4;
        bitmap->colours[i] = {q[2], q[1], q[0], 0};
    }
    bitmap->pixels.resize(stride * height);
    for (std::int64_t row = 0; row < height; ++row) {
        // Bottom-up files (positive height) store the last row first.
        std::int64_t file_row = signed_height > 0 ? height - 1 - row : row;
        std::memcpy(bitmap->pixels.data() + row * stride, f.data() + bits_offset + file_row * stride, stride);
    }
    return bitmap;
}

file_fault Bitmap_File_Fault(const char* name) {
    file_fault fault{name != nullptr ? name : "", "no file named"};
    std::vector<std::uint8_t> file;
    if (name == nullptr || !Read_Game_File(name, MAX_BMP_FILE, file, &fault)) return fault;
    fault.path = Resolve_Path(name)->string();
    const char* why = nullptr;
    HBITMAP bitmap = Bitmap_From_Bmp(file, &why);
    delete bitmap;
    fault.reason = why != nullptr ? why : "the display refused it";
    return fault;
}

HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags) {
    if (name == nullptr || type != IMAGE_BITMAP) return nullptr;
    if (cx < 0 || cy < 0 || cx > MAX_BMP_SIDE || cy > MAX_BMP_SIDE) return nullptr;
    std::vector<std::uint8_t> file;
    if (flags & LR_LOADFROMFILE) {
        if (!Read_Game_File(name, MAX_BMP_FILE, file)) return nullptr;
    } else if (!Read_Bitmap_Resource(instance, name, file)) {
        return nullptr;
    }
    HBITMAP bitmap = Bitmap_From_Bmp(file);
    if (bitmap == nullptr) return nullptr;
    int width = cx != 0 ? cx : bitmap->width;
    int height = cy != 0 ? cy : bitmap->height;
    if (width != bitmap->width || height != bitmap->height) {
        HBITMAP scaled = Scaled(*bitmap, width, height);
        delete bitmap;
        bitmap = scaled;
    }
    Gdi_Register(bitmap, GdiKind::Bitmap);
    return bitmap;
}
