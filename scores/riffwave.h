// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace Tolvane {

// The sample layout of an uncompressed PCM clip.
struct TWaveFormat {
    std::uint16_t Channels = 0;      // 1 mono, 2 stereo
    std::uint32_t SampleRate = 0;    // frames per second
    std::uint16_t BitsPerSample = 0; // 8 (unsigned) or 16 (signed little-endian)

    std::uint32_t BytesPerFrame() const { return Channels * (BitsPerSample / 8u); }
    friend bool operator==(const TWaveFormat&, const TWaveFormat&) = default;
};

// A parsed clip. Samples is a view into the image that was read: it is valid
// only as long as that image is.
struct TWaveImage {
    TWaveFormat Format;
    std::span<const std::byte> Samples; // whole frames only

    std::size_t FrameCount() const { return Samples.size() / Format.BytesPerFrame(); }
    std::chrono::microseconds Duration() const;
};

// Why an image was refused.
enum class TWaveFault {
    None,
    TooShort,            // not even a RIFF header
    NotRiff,             // no "RIFF" tag
    NotWave,             // a RIFF file of another form type
    ChunkPastEnd,        // a chunk (or the RIFF size) claims bytes the image lacks
    MissingFormat,       // no "fmt " chunk before the "data" chunk
    FormatTooShort,      // "fmt " chunk smaller than the 16 bytes of PCM format
    NotPcm,              // a compressed or extensible format tag
    UnsupportedBits,     // not 8 or 16 bits per sample
    UnsupportedChannels, // not mono or stereo
    ZeroRate,
    BadBlockAlign, // block align does not match channels and bits
    MissingData,   // no "data" chunk
};

std::string_view WaveFaultText(TWaveFault fault);

struct TWaveRead {
    std::optional<TWaveImage> Wave;
    TWaveFault Fault = TWaveFault::None;

    explicit operator bool() const { return Wave.has_value(); }
};

// Reads a RIFF WAVE image held in memory: the "fmt " chunk, then the "data"
// chunk, skipping every other chunk (with the pad byte of odd-sized ones).
// Never reads outside Image; a malformed image is refused with its fault.
TWaveRead ReadRiffWave(std::span<const std::byte> Image);

} // namespace Tolvane
