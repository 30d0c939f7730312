// SPDX-License-Identifier: GPL-3.0-or-later
// Any byte string is either refused with a fault or read as a playable
// clip whose samples lie inside the image, in whole frames of a format the
// player takes.
#include "scores/riffwave.h"

#include <cstdlib>
#include <span>

using namespace Tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> image(reinterpret_cast<const std::byte*>(data), size);
    const TWaveRead read = ReadRiffWave(image);
    if (!read) {
        if (read.Fault == TWaveFault::None || WaveFaultText(read.Fault).empty()) std::abort();
        return 0;
    }
    const TWaveImage& wave = *read.Wave;
    const TWaveFormat& format = wave.Format;
    if (format.Channels < 1 || format.Channels > 2) std::abort();
    if (format.BitsPerSample != 8 && format.BitsPerSample != 16) std::abort();
    if (format.SampleRate == 0) std::abort();
    const std::byte* begin = image.data();
    if (wave.Samples.data() < begin || wave.Samples.data() + wave.Samples.size() > begin + size)
        std::abort();
    if (wave.Samples.size() % format.BytesPerFrame() != 0) std::abort();
    if (wave.Duration().count() < 0) std::abort();
    return 0;
}
