// Fixed-layout records.
//
// A record whose byte layout is also a file format is declared as a plain
// packed struct and followed by checks of its size and of the offsets that
// matter:
//
//     struct ORVEX_PACKED map_record {
//         std::uint8_t  type;
//         ...
//     };
//     ORVEX_RECORD_SIZE(map_record, 9);
//     ORVEX_FIELD_OFFSET(map_record, first_mod, 3);
//
// The host must be little-endian, so the in-memory record is the file record
// byte for byte. Members of a packed record may sit at odd addresses: copy
// them out and back, never bind a reference or pointer to one.
#pragma once
#include <bit>
#include <cstddef>
#include <type_traits>

static_assert(std::endian::native == std::endian::little, "records are stored little-endian, byte for byte");

#define ORVEX_PACKED __attribute__((packed))

#define ORVEX_RECORD_SIZE(T, n)                                  \
    static_assert(sizeof(T) == (n), #T " must be " #n " bytes"); \
    static_assert(std::is_trivially_copyable_v<T>, #T " must be plain data")

#define ORVEX_FIELD_OFFSET(T, f, n) static_assert(offsetof(T, f) == (n), #T "::" #f " must be at offset " #n)
