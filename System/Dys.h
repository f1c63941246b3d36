// DYS run-length sprite files and the run-length blitter.
//
// A file is a 30-byte little-endian header followed by its frames; each
// frame is an x and y offset, a data length and that many bytes of
// run-length data: row after row from the top, a row being runs of (skip
// byte, count byte, count palette indexes) ended by 255 in the place of a
// skip byte; 254 at the start of a row ends the frame.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/Packed.h"

struct sprite;

struct ORVEX_PACKED CDysHeader {
    char magic[4];        // "DYS "
    std::int16_t value4;  // summed into the checksum, no other use
    std::uint32_t frames;
    std::uint32_t value10;  // summed into the checksum, no other use
    std::uint32_t width;
    std::uint32_t height;
    std::int16_t x_origin;  // the sprite's hot spot is the negated origin
    std::int16_t y_origin;
    std::uint32_t checksum;

    // The sum, modulo 2^32, of value4 and the origins (sign-extended) and
    // of frames, value10, width and height.
    std::uint32_t Checksum() const;
    bool Check() const { return Checksum() == checksum; }
    void Set_Checksum() { checksum = Checksum(); }
};
ORVEX_RECORD_SIZE(CDysHeader, 30);
ORVEX_FIELD_OFFSET(CDysHeader, value4, 4);
ORVEX_FIELD_OFFSET(CDysHeader, frames, 6);
ORVEX_FIELD_OFFSET(CDysHeader, value10, 10);
ORVEX_FIELD_OFFSET(CDysHeader, width, 14);
ORVEX_FIELD_OFFSET(CDysHeader, height, 18);
ORVEX_FIELD_OFFSET(CDysHeader, x_origin, 22);
ORVEX_FIELD_OFFSET(CDysHeader, y_origin, 24);
ORVEX_FIELD_OFFSET(CDysHeader, checksum, 26);

constexpr std::uint8_t DYS_ROW_END = 255;
constexpr std::uint8_t DYS_FRAME_END = 254;
constexpr std::uint16_t DYS_FAILED = 0xFFFF;
// The largest remap argument the blitter takes; above it nothing is drawn.
constexpr int DYS_LARGEST_REMAP = 32767;

// One frame of a run-length sprite; it owns its data.
class CDysFrame {
  public:
    CDysFrame() = default;
    ~CDysFrame();
    CDysFrame(const CDysFrame&) = delete;
    CDysFrame& operator=(const CDysFrame&) = delete;

    enum class ReadResult { Ok, Corrupt, NoMemory };
    // Reads the frame at file[at] and moves at past it. Refused: a frame that
    // runs past the end, and data whose runs leave it or that has no end.
    ReadResult Read(const std::uint8_t* file, std::size_t size, std::size_t& at);

    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint16_t length = 0;
    std::uint8_t* data = nullptr;
};

// True when data is well-formed run-length data: every run inside it, every
// row ended, and the frame's end before the data's.
bool Valid_DYS_Runs(const std::uint8_t* data, std::size_t length);

// The frames of a DYS file image: the frame count, or DYS_FAILED after
// reporting the fault ("Not a DYS file!", "DYS file is corrupted", "Not enough
// memory!"; for the image of a file at path, with the path and what is wrong
// on the line under it). The table (null for 0 frames) is the caller's,
// deleted as an array.
std::uint16_t Parse_DYS(const std::uint8_t* file, std::size_t size, CDysFrame** table, CDysHeader* header,
                        const char* path = nullptr);
// The same for a file ("cannot open file ..." with its path and the reason
// when it cannot be read; a file larger than 256 MiB is not read).
std::uint16_t Read_DYS_File(const char* path, CDysFrame** table, CDysHeader* header);

// name + ".DYS" as a run-length sprite; on any fault the sprite has no frames.
sprite* Load_DYS(const char* name);
// The same without a report: none when the file cannot be read whole.
sprite* Try_Load_DYS(const char* name);

// Draws one frame's run-length data, first row at y and every row from x,
// into the surface Lock_Surface keeps locked, clipped to the clip rect (and
// the surface). remap -1: plain; 0 and up: that remap table (beyond the
// tables: plain); below -1 or above 32767: nothing. light selects the
// shade table's row.
void Draw_DYS_Frame(int x, int y, const std::uint8_t* data, std::size_t length, int remap, int light);
