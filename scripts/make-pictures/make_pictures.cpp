// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the five background tiles of Tolvane, backgr1.bmp .. backgr5.bmp.
// Each tile is periodic in both directions, so copies laid side by side join
// without a seam, and dark enough for white button captions to stay legible.
//
//   make_pictures OUTPUT_FOLDER
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSide = 64; // pixels; every pattern's period divides it

struct TRgb {
    std::uint8_t R, G, B;
};

using TPattern = std::function<TRgb(int x, int y)>;

std::uint8_t Clamp(double v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : std::lround(v));
}

TRgb Mix(TRgb a, TRgb b, double t) {
    return {Clamp(a.R + (b.R - a.R) * t), Clamp(a.G + (b.G - a.G) * t),
            Clamp(a.B + (b.B - a.B) * t)};
}

// One full turn across the tile, so sin(Turn(x) * k) repeats for whole k.
double Turn(int v) {
    return 2.0 * std::numbers::pi * v / kSide;
}

// 1: rolling waves in deep blue.
TRgb Waves(int x, int y) {
    const double t = 0.5 + 0.5 * std::sin(Turn(y) * 2 + 1.5 * std::sin(Turn(x)));
    return Mix({8, 16, 72}, {24, 72, 150}, t * t);
}

// 2: a wall of dark red bricks, two courses per tile, the second offset by half.
TRgb Bricks(int x, int y) {
    constexpr int course = kSide / 2;
    constexpr int brick = kSide / 2;
    const int row = y / course;
    const int bx = (x + (row % 2) * brick / 2) % brick;
    const int by = y % course;
    if (by < 2 || bx < 2) return {54, 46, 44};
    // A little grain, the same in every brick so the tile stays periodic.
    const double grain = 0.5 + 0.5 * std::sin(bx * 0.9) * std::cos(by * 1.3);
    return Mix({96, 22, 18}, {128, 40, 30}, grain);
}

// 3: argyle diamonds in plum and violet with thin crossing lines.
TRgb Diamonds(int x, int y) {
    constexpr int half = kSide / 2;
    const int dx = std::abs(x % kSide - half);
    const int dy = std::abs(y % kSide - half);
    const bool inner = dx + dy < half;
    const TRgb base = inner ? TRgb{88, 24, 96} : TRgb{44, 12, 64};
    const bool line = (x + y) % half == 0 || (x - y + kSide) % half == 0;
    return line ? TRgb{150, 110, 170} : base;
}

// 4: stars on a night sky, from a fixed sequence so every run draws the same sky.
TRgb Stars(int x, int y) {
    static const std::vector<std::uint8_t> sky = [] {
        std::vector<std::uint8_t> s(kSide * kSide, 0);
        std::uint32_t seed = 1471u;
        auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
        for (int i = 0; i < 40; ++i) {
            const int sx = static_cast<int>(next() >> 8) % kSide;
            const int sy = static_cast<int>(next() >> 8) % kSide;
            const auto bright = static_cast<std::uint8_t>(120 + (next() >> 8) % 136);
            s[sy * kSide + sx] = bright;
            if (bright > 220) { // a few big ones with a soft cross
                for (const auto [ox, oy] :
                     std::array<std::array<int, 2>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}}) {
                    std::uint8_t& p =
                        s[((sy + oy + kSide) % kSide) * kSide + (sx + ox + kSide) % kSide];
                    p = std::max<std::uint8_t>(p, bright / 2);
                }
            }
        }
        return s;
    }();
    const double glow = 0.5 + 0.5 * std::sin(Turn(x) + Turn(y));
    const TRgb night = Mix({4, 4, 20}, {14, 10, 40}, glow);
    const double star = sky[y * kSide + x] / 255.0;
    return Mix(night, {255, 250, 220}, star);
}

// 5: a green plasma of crossing ripples, like light through leaves.
TRgb Plasma(int x, int y) {
    const double v = std::sin(Turn(x) * 2) + std::sin(Turn(y) * 3) + std::sin(Turn(x + y) * 1) +
                     std::sin(Turn(x - y + kSide) * 2);
    const double t = (v + 4.0) / 8.0;
    return Mix({6, 40, 20}, {40, 120, 56}, t);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

// A 24-bit uncompressed BMP, rows bottom-up as the format keeps them.
std::vector<std::uint8_t> Bmp(const TPattern& pattern) {
    constexpr std::uint32_t rowBytes = (kSide * 3 + 3) & ~3u;
    constexpr std::uint32_t imageBytes = rowBytes * kSide;
    constexpr std::uint32_t headerBytes = 14 + 40;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerBytes + imageBytes);
    Put32(out, 0);
    Put32(out, headerBytes);
    Put32(out, 40);
    Put32(out, kSide);
    Put32(out, kSide);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // no compression
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = kSide - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < kSide; ++x) {
            const TRgb c = pattern(x, y);
            out.push_back(c.B);
            out.push_back(c.G);
            out.push_back(c.R);
            written += 3;
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::array<TPattern, 5> patterns{Waves, Bricks, Diamonds, Stars, Plasma};
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const std::string path = folder + "/backgr" + std::to_string(i + 1) + ".bmp";
        const std::vector<std::uint8_t> bmp = Bmp(patterns[i]);
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bmp.data()),
                   static_cast<std::streamsize>(bmp.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
