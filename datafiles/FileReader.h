// Reading a file's bytes with every read checked against what is left of
// it, so that no count or size from the file can make a reader allocate or
// read past the end. Files are little-endian like the host, so a record is
// read straight into its packed struct.
#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <streambuf>
#include <type_traits>
#include <vector>

class FileReader {
  public:
    // size: how many bytes the stream still holds.
    FileReader(std::istream& in, std::uint64_t size) : in_(in), remaining_(size) {}

    std::uint64_t Remaining() const { return remaining_; }

    // Reads n bytes into dst; false (and nothing read) when fewer are left.
    bool Bytes(void* dst, std::size_t n) {
        if (n > remaining_) return false;
        if (n == 0) return true;
        in_.read(static_cast<char*>(dst), static_cast<std::streamsize>(n));
        if (static_cast<std::size_t>(in_.gcount()) != n) {
            remaining_ = 0;
            return false;
        }
        remaining_ -= n;
        return true;
    }

    template <class T>
    bool Value(T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        return Bytes(&v, sizeof v);
    }

    // count records stored with stored_size bytes each (at most sizeof(T))
    // into dst; the bytes of a record beyond the stored size stay as they
    // were. False when the file holds fewer bytes than the records need.
    template <class T>
    bool Records(T* dst, std::size_t count, std::uint32_t stored_size) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (stored_size > sizeof(T) || !Fits(count, stored_size)) return false;
        if (stored_size == sizeof(T)) return Bytes(dst, count * sizeof(T));
        for (std::size_t i = 0; i < count; ++i)
            if (!Bytes(reinterpret_cast<unsigned char*>(dst + i), stored_size)) return false;
        return true;
    }

    // A new zeroed vector of count records read as above; nothing is
    // allocated when the file is too short for them.
    template <class T>
    bool Record_Vector(std::vector<T>& v, std::size_t count, std::uint32_t stored_size) {
        if (stored_size > sizeof(T) || !Fits(count, stored_size)) return false;
        v.assign(count, T{});
        return Records(v.data(), count, stored_size);
    }

    // Whether count records of size bytes are left.
    bool Fits(std::uint64_t count, std::uint64_t size) const { return size == 0 || count <= remaining_ / size; }

  private:
    std::istream& in_;
    std::uint64_t remaining_;
};

// A stream over bytes in memory (tests and the fuzz target read file
// images without a file).
class MemoryBuffer : public std::streambuf {
  public:
    MemoryBuffer(const void* data, std::size_t size) {
        char* p = const_cast<char*>(static_cast<const char*>(data));
        setg(p, p, p + size);
    }
};

class MemoryInput : private MemoryBuffer, public std::istream {
  public:
    MemoryInput(const void* data, std::size_t size)
        : MemoryBuffer(data, size), std::istream(static_cast<MemoryBuffer*>(this)) {}
};
