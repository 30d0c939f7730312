// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/riffwave.h"

namespace Tolvane {

namespace {

constexpr std::size_t kChunkHeaderBytes = 8; // four-byte tag, 32-bit size
constexpr std::size_t kRiffHeaderBytes = 12; // "RIFF", size, "WAVE"
constexpr std::size_t kPcmFormatBytes = 16;
constexpr std::uint16_t kFormatTagPcm = 1;

std::uint16_t ReadU16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[at]) |
                                      std::to_integer<unsigned>(bytes[at + 1]) << 8);
}

std::uint32_t ReadU32(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(ReadU16(bytes, at)) |
           static_cast<std::uint32_t>(ReadU16(bytes, at + 2)) << 16;
}

bool HasTag(std::span<const std::byte> bytes, std::size_t at, std::string_view tag) {
    for (std::size_t i = 0; i < 4; ++i)
        if (std::to_integer<char>(bytes[at + i]) != tag[i]) return false;
    return true;
}

TWaveRead Refuse(TWaveFault fault) {
    return {std::nullopt, fault};
}

TWaveFault CheckFormat(const TWaveFormat& format, std::uint16_t formatTag,
                       std::uint16_t blockAlign) {
    if (formatTag != kFormatTagPcm) return TWaveFault::NotPcm;
    if (format.BitsPerSample != 8 && format.BitsPerSample != 16) return TWaveFault::UnsupportedBits;
    if (format.Channels != 1 && format.Channels != 2) return TWaveFault::UnsupportedChannels;
    if (format.SampleRate == 0) return TWaveFault::ZeroRate;
    if (blockAlign != format.BytesPerFrame()) return TWaveFault::BadBlockAlign;
    return TWaveFault::None;
}

} // namespace

std::chrono::microseconds TWaveImage::Duration() const {
    if (Format.SampleRate == 0) return {};
    return std::chrono::microseconds(static_cast<std::int64_t>(FrameCount()) * 1'000'000 /
                                     Format.SampleRate);
}

std::string_view WaveFaultText(TWaveFault fault) {
    switch (fault) {
    case TWaveFault::None:
        return "no fault";
    case TWaveFault::TooShort:
        return "shorter than a RIFF header";
    case TWaveFault::NotRiff:
        return "not a RIFF file";
    case TWaveFault::NotWave:
        return "not a WAVE file";
    case TWaveFault::ChunkPastEnd:
        return "a chunk runs past the end of the image";
    case TWaveFault::MissingFormat:
        return "no format chunk before the data";
    case TWaveFault::FormatTooShort:
        return "format chunk too short";
    case TWaveFault::NotPcm:
        return "not uncompressed PCM";
    case TWaveFault::UnsupportedBits:
        return "not 8 or 16 bits per sample";
    case TWaveFault::UnsupportedChannels:
        return "not mono or stereo";
    case TWaveFault::ZeroRate:
        return "sample rate of zero";
    case TWaveFault::BadBlockAlign:
        return "block align does not fit the format";
    case TWaveFault::MissingData:
        return "no data chunk";
    }
    return "unknown fault";
}

TWaveRead ReadRiffWave(std::span<const std::byte> Image) {
    if (Image.size() < kRiffHeaderBytes) return Refuse(TWaveFault::TooShort);
    if (!HasTag(Image, 0, "RIFF")) return Refuse(TWaveFault::NotRiff);
    if (!HasTag(Image, 8, "WAVE")) return Refuse(TWaveFault::NotWave);

    // The RIFF size counts from the form type on; bytes after it are not ours.
    const std::uint32_t riffSize = ReadU32(Image, 4);
    if (riffSize < 4) return Refuse(TWaveFault::TooShort);
    if (riffSize > Image.size() - kChunkHeaderBytes) return Refuse(TWaveFault::ChunkPastEnd);
    const std::span<const std::byte> riff = Image.first(kChunkHeaderBytes + riffSize);

    std::optional<TWaveFormat> format;
    std::size_t at = kRiffHeaderBytes;
    while (riff.size() - at >= kChunkHeaderBytes) {
        const std::uint32_t size = ReadU32(riff, at + 4);
        const std::size_t body = at + kChunkHeaderBytes;
        if (size > riff.size() - body) return Refuse(TWaveFault::ChunkPastEnd);

        if (HasTag(riff, at, "fmt ") && !format) {
            if (size < kPcmFormatBytes) return Refuse(TWaveFault::FormatTooShort);
            TWaveFormat read;
            const std::uint16_t formatTag = ReadU16(riff, body);
            read.Channels = ReadU16(riff, body + 2);
            read.SampleRate = ReadU32(riff, body + 4);
            const std::uint16_t blockAlign = ReadU16(riff, body + 12);
            read.BitsPerSample = ReadU16(riff, body + 14);
            if (const TWaveFault fault = CheckFormat(read, formatTag, blockAlign);
                fault != TWaveFault::None)
                return Refuse(fault);
            format = read;
        } else if (HasTag(riff, at, "data")) {
            if (!format) return Refuse(TWaveFault::MissingFormat);
            // A trailing partial frame cannot be played; drop it.
            const std::size_t whole = size - size % format->BytesPerFrame();
            return {TWaveImage{*format, riff.subspan(body, whole)}, TWaveFault::None};
        }

        // An odd-sized chunk is followed by a pad byte, which the last chunk
        // of a careless writer may lack.
        const std::size_t next = body + size + (size & 1u);
        if (next >= riff.size()) break;
        at = next;
    }
    return Refuse(format ? TWaveFault::MissingData : TWaveFault::MissingFormat);
}

} // namespace Tolvane
