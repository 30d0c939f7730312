// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the five sound cues of the program as RIFF WAVE files. Each clip's
// rate, sample width and length are fixed, so the timing of the games (a row
// deletion waits for its chime) stays the same whatever the clips sound like.
// Deterministic: the same files come out on every run.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct TClipRecipe {
    const char* Name;
    std::uint32_t SampleRate; // Hz
    std::uint16_t Bits;       // 8 or 16
    std::uint32_t DataBytes;
    const char* Comment; // goes into a LIST/INFO chunk after the data; empty for none
    std::function<double(double t, double length)> Voice; // t and length in s; result in [-1, 1]
};

// Linear rise over attack, linear fall over release at the very end.
double Edges(double t, double length, double attack, double release) {
    double gain = 1.0;
    if (t < attack) gain = t / attack;
    if (t > length - release) gain = std::min(gain, std::max(0.0, (length - t) / release));
    return gain;
}

double Sine(double t, double hz) {
    return std::sin(2 * kPi * hz * t);
}

// A soft, slightly hollow tone: the odd harmonics of a triangle, a few only.
double Triangle(double t, double hz, double nyquist) {
    double sum = 0;
    double norm = 0;
    for (int k = 1; k <= 7 && k * hz < nyquist * 0.9; k += 2) {
        const double weight = 1.0 / (k * k);
        sum += ((k / 2) % 2 ? -weight : weight) * Sine(t, k * hz);
        norm += weight;
    }
    return sum / norm;
}

// Two struck bell partials, the second a little sharp of a twelfth: a chime,
// restruck a fifth higher half-way.
double Energy(double t, double length) {
    const double split = 0.075;
    const double hz = t < split ? 1046.5 : 1568.0;
    const double local = t < split ? t : t - split;
    const double bell = 0.75 * Sine(local, hz) * std::exp(-local / 0.09) +
                        0.25 * Sine(local, hz * 2.76) * std::exp(-local / 0.03);
    return 0.8 * bell * Edges(local, length, 0.002, 0.006) * Edges(t, length, 0.002, 0.006);
}

// A low buzz sagging in pitch, with a slow wobble of loudness.
double Error(double t, double length) {
    const double hz0 = 130.0;
    const double hz1 = 95.0;
    // Phase of a linear glide from hz0 to hz1 over the clip.
    const double phase = hz0 * t + (hz1 - hz0) * t * t / (2 * length);
    double saw = 0;
    for (int k = 1; k <= 12; ++k) saw += std::sin(2 * kPi * k * phase) / k;
    const double wobble = 0.8 + 0.2 * std::cos(2 * kPi * 9.0 * t);
    return 0.45 * saw * wobble * Edges(t, length, 0.01, 0.06);
}

// Four notes falling G5 E5 C5 G4, joined without gaps so the phrase sounds to its end.
double Exit(double t, double length) {
    const double notes[] = {783.99, 659.25, 523.25, 392.0};
    const double step = length / 4;
    const int index = std::min(3, static_cast<int>(t / step));
    const double local = t - index * step;
    const double decay = std::exp(-local / (index == 3 ? 0.35 : 0.25));
    const double level = 0.55 + 0.45 * decay;
    return 0.7 * level * Triangle(local, notes[index], 14925 / 2.0) *
           Edges(local, step, 0.004, index == 3 ? 0.03 : 0.004);
}

// A short bright tick.
double Step(double t, double length) {
    return 0.7 * Sine(t, 2200.0) * std::exp(-t / 0.012) * Edges(t, length, 0.0015, 0.003);
}

// A soft click: a low wooden knock with a breath of noise at its start.
double Zari(double t, double length) {
    static std::uint32_t seed = 20240611u;
    seed = seed * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed >> 8) / (1u << 24) * 2 - 1;
    const double knock =
        Sine(t, 620.0) * std::exp(-t / 0.05) + 0.3 * Sine(t, 1240.0) * std::exp(-t / 0.02);
    return 0.4 * (knock + 0.4 * noise * std::exp(-t / 0.004)) * Edges(t, length, 0.001, 0.008);
}

void PutU16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void PutU32(std::vector<unsigned char>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
void PutTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

std::vector<unsigned char> Render(const TClipRecipe& recipe) {
    const std::uint32_t bytesPerSample = recipe.Bits / 8;
    const std::uint32_t frames = recipe.DataBytes / bytesPerSample;
    const double length = static_cast<double>(frames) / recipe.SampleRate;

    std::vector<unsigned char> data;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v =
            std::clamp(recipe.Voice(static_cast<double>(i) / recipe.SampleRate, length), -1.0, 1.0);
        if (recipe.Bits == 8)
            data.push_back(static_cast<unsigned char>(std::lround(128 + v * 127)));
        else
            PutU16(data,
                   static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767))));
    }

    std::vector<unsigned char> list;
    if (*recipe.Comment) {
        // One zero-terminated INFO string, padded to even length like every chunk.
        const std::string text = recipe.Comment;
        std::vector<unsigned char> info;
        PutTag(info, "INFO");
        PutTag(info, "ISFT");
        PutU32(info, static_cast<std::uint32_t>(text.size() + 1));
        info.insert(info.end(), text.begin(), text.end());
        info.push_back(0);
        if (info.size() & 1) info.push_back(0);
        PutTag(list, "LIST");
        PutU32(list, static_cast<std::uint32_t>(info.size()));
        list.insert(list.end(), info.begin(), info.end());
    }

    std::vector<unsigned char> out;
    PutTag(out, "RIFF");
    PutU32(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size() + list.size()));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, 1); // mono
    PutU32(out, recipe.SampleRate);
    PutU32(out, recipe.SampleRate * bytesPerSample);
    PutU16(out, bytesPerSample);
    PutU16(out, recipe.Bits);
    PutTag(out, "data");
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    out.insert(out.end(), list.begin(), list.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sounds OUTPUT-FOLDER\n";
        return 2;
    }
    const TClipRecipe clips[] = {
        {"ENERGY", 8402, 8, 1658, "Tolvane row chime", Energy},
        {"ERROR", 6741, 8, 4096, "Tolvane lost ball", Error},
        {"EXIT", 14925, 8, 11928, "", Exit},
        {"STEP", 11025, 8, 264, "Tolvane step", Step},
        {"ZARI", 11025, 16, 3202, "", Zari},
    };
    for (const TClipRecipe& clip : clips) {
        const std::string path = std::string(argv[1]) + "/" + clip.Name + ".wav";
        const std::vector<unsigned char> image = Render(clip);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(image.data()),
                   static_cast<std::streamsize>(image.size()));
        if (!file) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
