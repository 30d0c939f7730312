// SPDX-License-Identifier: GPL-3.0-or-later
// The RIFF WAVE reader: the shipped cues, chunk walking, and refusal of
// malformed images without reading outside them.
#include "scores/riffwave.h"

#include <QFile>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

using namespace Tolvane;

Q_DECLARE_METATYPE(Tolvane::TWaveFault)
Q_DECLARE_METATYPE(std::vector<std::byte>)

namespace {

using TBytes = std::vector<std::byte>;

void PutU16(TBytes& out, unsigned v) {
    out.push_back(std::byte(v & 0xFF));
    out.push_back(std::byte((v >> 8) & 0xFF));
}
void PutU32(TBytes& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}
void PutTag(TBytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(std::byte(tag[i]));
}

// One chunk with its pad byte; Size overrides the size field when set.
TBytes Chunk(const char* tag, const TBytes& body, std::optional<std::uint32_t> size = {}) {
    TBytes out;
    PutTag(out, tag);
    PutU32(out, size.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(std::byte{0});
    return out;
}

struct TFmt {
    unsigned Tag = 1;
    unsigned Channels = 1;
    std::uint32_t Rate = 11025;
    unsigned Bits = 8;
    std::optional<unsigned> BlockAlign = {}; // derived when unset
    unsigned Extra = 0;                      // bytes after the 16 of PCM format
};

TBytes FmtBody(const TFmt& f) {
    const unsigned align = f.BlockAlign.value_or(f.Channels * f.Bits / 8);
    TBytes out;
    PutU16(out, f.Tag);
    PutU16(out, f.Channels);
    PutU32(out, f.Rate);
    PutU32(out, f.Rate * align);
    PutU16(out, align);
    PutU16(out, f.Bits);
    out.resize(out.size() + f.Extra, std::byte{0});
    return out;
}

TBytes Ramp(std::size_t n) {
    TBytes out;
    for (std::size_t i = 0; i < n; ++i) out.push_back(std::byte(i * 7 + 1));
    return out;
}

// A RIFF WAVE file of the given chunks; RiffSize overrides the header's size.
TBytes Riff(const std::vector<TBytes>& chunks, std::optional<std::uint32_t> riffSize = {},
            const char* riffTag = "RIFF", const char* form = "WAVE") {
    TBytes body;
    PutTag(body, form);
    for (const TBytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    TBytes out;
    PutTag(out, riffTag);
    PutU32(out, riffSize.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

TBytes Plain(const TFmt& fmt = {}, const TBytes& samples = Ramp(10)) {
    return Riff({Chunk("fmt ", FmtBody(fmt)), Chunk("data", samples)});
}

// A copy on the heap of exactly the image's size, so the address sanitizer
// sees any read past its end.
class THeapImage {
public:
    explicit THeapImage(const TBytes& bytes)
        : FSize(bytes.size()), FData(new std::byte[std::max<std::size_t>(FSize, 1)]) {
        std::copy(bytes.begin(), bytes.end(), FData.get());
    }
    std::span<const std::byte> Span() const { return {FData.get(), FSize}; }
    bool Contains(std::span<const std::byte> part) const {
        return part.empty() ||
               (part.data() >= FData.get() && part.data() + part.size() <= FData.get() + FSize);
    }

private:
    std::size_t FSize;
    std::unique_ptr<std::byte[]> FData;
};

TBytes Bytes(std::span<const std::byte> span) {
    return {span.begin(), span.end()};
}

} // namespace

class TRiffWaveTest : public QObject {
    Q_OBJECT

private slots:
    void shippedCuesHaveTheirTableFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("rate");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("lengthMs");
        QTest::newRow("ENERGY") << "ENERGY" << 8402u << 8 << 1658 << 197;
        QTest::newRow("ERROR") << "ERROR" << 6741u << 8 << 4096 << 608;
        QTest::newRow("EXIT") << "EXIT" << 14925u << 8 << 11928 << 799;
        QTest::newRow("STEP") << "STEP" << 11025u << 8 << 264 << 24;
        QTest::newRow("ZARI") << "ZARI" << 11025u << 16 << 3202 << 145;
    }
    void shippedCuesHaveTheirTableFormat() {
        QFETCH(QString, name);
        QFETCH(uint, rate);
        QFETCH(int, bits);
        QFETCH(int, dataBytes);
        QFETCH(int, lengthMs);
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const QByteArray image = file.readAll();
        const auto bytes = std::as_bytes(std::span(image.constData(), std::size_t(image.size())));

        // The first chunk is a 16-byte PCM "fmt " chunk, as the table says.
        QCOMPARE(QByteArray(image.constData() + 12, 4), QByteArray("fmt "));
        QCOMPARE(int(std::to_integer<int>(bytes[16])), 16);

        const TWaveRead read = ReadRiffWave(bytes);
        QVERIFY2(read, WaveFaultText(read.Fault).data());
        QCOMPARE(read.Wave->Format, (TWaveFormat{1, rate, std::uint16_t(bits)}));
        QCOMPARE(int(read.Wave->Samples.size()), dataBytes);
        QCOMPARE(int(std::chrono::round<std::chrono::milliseconds>(read.Wave->Duration()).count()),
                 lengthMs);

        // Something to hear: the peak is well above the 8-bit step.
        int peak = 0;
        for (std::size_t i = 0; i < read.Wave->Samples.size(); i += bits / 8) {
            const int v = bits == 8
                              ? (std::to_integer<int>(read.Wave->Samples[i]) - 128) * 256
                              : std::int16_t(std::to_integer<int>(read.Wave->Samples[i]) |
                                             std::to_integer<int>(read.Wave->Samples[i + 1]) << 8);
            peak = std::max(peak, std::abs(v));
        }
        QVERIFY2(peak > 8000, qPrintable(QString::number(peak)));
    }

    void malformedImagesAreRefused_data() {
        QTest::addColumn<TBytes>("image");
        QTest::addColumn<TWaveFault>("fault");
        const TBytes fmt = Chunk("fmt ", FmtBody({}));
        const TBytes data = Chunk("data", Ramp(10));
        const TBytes plain = Plain();

        QTest::newRow("empty") << TBytes{} << TWaveFault::TooShort;
        QTest::newRow("header cut")
            << TBytes(plain.begin(), plain.begin() + 11) << TWaveFault::TooShort;
        QTest::newRow("riff size below form") << Riff({fmt, data}, 3) << TWaveFault::TooShort;
        QTest::newRow("RIFX") << Riff({fmt, data}, {}, "RIFX") << TWaveFault::NotRiff;
        QTest::newRow("AVI form") << Riff({fmt, data}, {}, "RIFF", "AVI ") << TWaveFault::NotWave;
        QTest::newRow("last byte cut")
            << TBytes(plain.begin(), plain.end() - 1) << TWaveFault::ChunkPastEnd;
        QTest::newRow("data past riff end")
            << Riff({fmt, Chunk("data", Ramp(10), 11)}) << TWaveFault::ChunkPastEnd;
        QTest::newRow("data size at 32-bit limit")
            << Riff({fmt, Chunk("data", Ramp(10), 0xFFFFFFFFu)}) << TWaveFault::ChunkPastEnd;
        QTest::newRow("other chunk past end")
            << Riff({fmt, Chunk("LIST", Ramp(4), 0xFFFFFFF0u), data}) << TWaveFault::ChunkPastEnd;
        QTest::newRow("fmt size past end")
            << Riff({Chunk("fmt ", FmtBody({}), 0xFFFFFFFFu), data}) << TWaveFault::ChunkPastEnd;
        const TBytes fmtBody = FmtBody({});
        QTest::newRow("fmt of 14 bytes")
            << Riff({Chunk("fmt ", TBytes(fmtBody.begin(), fmtBody.begin() + 14)), data})
            << TWaveFault::FormatTooShort;
        QTest::newRow("24-bit") << Plain({.Bits = 24}, Ramp(9)) << TWaveFault::UnsupportedBits;
        QTest::newRow("4-bit") << Plain({.Bits = 4, .BlockAlign = 1})
                               << TWaveFault::UnsupportedBits;
        QTest::newRow("ADPCM") << Plain({.Tag = 2, .Bits = 4, .BlockAlign = 256, .Extra = 4})
                               << TWaveFault::NotPcm;
        QTest::newRow("mu-law") << Plain({.Tag = 7}) << TWaveFault::NotPcm;
        QTest::newRow("extensible")
            << Plain({.Tag = 0xFFFE, .Bits = 16, .Extra = 24}) << TWaveFault::NotPcm;
        QTest::newRow("no channels") << Plain({.Channels = 0}) << TWaveFault::UnsupportedChannels;
        QTest::newRow("six channels")
            << Plain({.Channels = 6}, Ramp(12)) << TWaveFault::UnsupportedChannels;
        QTest::newRow("zero rate") << Plain({.Rate = 0}) << TWaveFault::ZeroRate;
        QTest::newRow("block align off")
            << Plain({.Bits = 16, .BlockAlign = 1}) << TWaveFault::BadBlockAlign;
        QTest::newRow("data before fmt") << Riff({data, fmt}) << TWaveFault::MissingFormat;
        QTest::newRow("no fmt") << Riff({Chunk("LIST", Ramp(6)), data})
                                << TWaveFault::MissingFormat;
        QTest::newRow("no data") << Riff({fmt, Chunk("LIST", Ramp(6))}) << TWaveFault::MissingData;
        TBytes stray = Riff({fmt, Ramp(5)});
        QTest::newRow("stray bytes instead of data") << stray << TWaveFault::MissingData;
        // Data beyond what the RIFF header claims is not part of the file.
        TBytes outside = Riff({fmt}, 4 + std::uint32_t(fmt.size()));
        outside.insert(outside.end(), data.begin(), data.end());
        QTest::newRow("data after riff end") << outside << TWaveFault::MissingData;
    }
    void malformedImagesAreRefused() {
        QFETCH(TBytes, image);
        QFETCH(TWaveFault, fault);
        const THeapImage heap(image);
        const TWaveRead read = ReadRiffWave(heap.Span());
        QVERIFY(!read);
        QCOMPARE(read.Fault, fault);
    }

    void otherChunksAreSkippedWithTheirPadByte_data() {
        QTest::addColumn<TBytes>("image");
        const TBytes fmt = Chunk("fmt ", FmtBody({}));
        const TBytes data = Chunk("data", Ramp(10));
        // Odd sizes: a reader that forgot the pad byte would land one byte
        // into the next chunk and read a wrong tag.
        QTest::newRow("odd chunk before fmt") << Riff({Chunk("junk", Ramp(3)), fmt, data});
        QTest::newRow("odd chunk between") << Riff({fmt, Chunk("LIST", Ramp(5)), data});
        QTest::newRow("empty and odd chunks")
            << Riff({fmt, Chunk("fact", {}), Chunk("cue ", Ramp(1)), Chunk("PEAK", Ramp(7)), data});
        QTest::newRow("chunks after data") << Riff({fmt, data, Chunk("LIST", Ramp(9))});
        QTest::newRow("fmt with extension bytes")
            << Riff({Chunk("fmt ", FmtBody({.Extra = 2})), data});
        QTest::newRow("second fmt ignored")
            << Riff({fmt, Chunk("fmt ", FmtBody({.Rate = 0})), data});
    }
    void otherChunksAreSkippedWithTheirPadByte() {
        QFETCH(TBytes, image);
        const THeapImage heap(image);
        const TWaveRead read = ReadRiffWave(heap.Span());
        QVERIFY2(read, WaveFaultText(read.Fault).data());
        QCOMPARE(read.Wave->Format, (TWaveFormat{1, 11025, 8}));
        QCOMPARE(Bytes(read.Wave->Samples), Ramp(10));
        QVERIFY(heap.Contains(read.Wave->Samples));
    }

    void oddDataAtTheEndNeedsNoPadByte() {
        TBytes image = Plain({}, Ramp(9));
        image.pop_back(); // the pad byte a careless writer leaves out
        // The RIFF size must still count only what is there.
        const std::uint32_t size = std::uint32_t(image.size() - 8);
        for (int i = 0; i < 4; ++i) image[4 + i] = std::byte((size >> (8 * i)) & 0xFF);
        const THeapImage heap(image);
        const TWaveRead read = ReadRiffWave(heap.Span());
        QVERIFY2(read, WaveFaultText(read.Fault).data());
        QCOMPARE(Bytes(read.Wave->Samples), Ramp(9));
    }

    void samplesAreWholeFramesAndDurationCountsFrames_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("dataBytes");
        QTest::addColumn<int>("keptBytes");
        QTest::addColumn<int>("frames");
        QTest::newRow("mono 8") << 1 << 8 << 11025 << 11025 << 11025;
        QTest::newRow("mono 16 odd") << 1 << 16 << 5 << 4 << 2;
        QTest::newRow("stereo 16 cut frame") << 2 << 16 << 7 << 4 << 1;
        QTest::newRow("stereo 8") << 2 << 8 << 22050 << 22050 << 11025;
        QTest::newRow("empty data") << 1 << 16 << 0 << 0 << 0;
    }
    void samplesAreWholeFramesAndDurationCountsFrames() {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(int, dataBytes);
        QFETCH(int, keptBytes);
        QFETCH(int, frames);
        const THeapImage heap(
            Plain({.Channels = unsigned(channels), .Bits = unsigned(bits)}, Ramp(dataBytes)));
        const TWaveRead read = ReadRiffWave(heap.Span());
        QVERIFY2(read, WaveFaultText(read.Fault).data());
        QCOMPARE(int(read.Wave->Samples.size()), keptBytes);
        QCOMPARE(int(read.Wave->FrameCount()), frames);
        QCOMPARE(read.Wave->Duration().count(), std::int64_t(frames) * 1'000'000 / 11025);
    }

    // Every prefix and every single-byte corruption of a file with several
    // chunks: each is refused or read within its bounds (the sanitizer build
    // turns any stray read into a failure).
    void damagedImagesAreReadWithinBounds() {
        const TBytes image =
            Riff({Chunk("junk", Ramp(3)), Chunk("fmt ", FmtBody({.Bits = 16})),
                  Chunk("LIST", Ramp(5)), Chunk("data", Ramp(20)), Chunk("id3 ", Ramp(7))});
        int refused = 0;
        for (std::size_t n = 0; n < image.size(); ++n) {
            const THeapImage heap(TBytes(image.begin(), image.begin() + n));
            const TWaveRead read = ReadRiffWave(heap.Span());
            if (read)
                QVERIFY(heap.Contains(read.Wave->Samples));
            else
                ++refused;
        }
        // Only the full header claims the whole file, so every prefix is short.
        QCOMPARE(refused, int(image.size()));

        for (std::size_t at = 0; at < image.size(); ++at) {
            for (const unsigned value : {0x00u, 0x01u, 0x7Fu, 0x80u, 0xFFu}) {
                TBytes damaged = image;
                damaged[at] = std::byte(value);
                const THeapImage heap(damaged);
                const TWaveRead read = ReadRiffWave(heap.Span());
                if (read) {
                    QVERIFY(heap.Contains(read.Wave->Samples));
                    QVERIFY(read.Wave->Samples.size() % read.Wave->Format.BytesPerFrame() == 0);
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TRiffWaveTest)
#include "test_riffwave.moc"
