// The game reads its wave files itself. Whatever lies in the sound folder, a file it cannot play
// is silence, never a crash or a read past the end.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/qt/QtSound.h"

namespace kelvarn {
namespace {

QByteArray le(std::uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char((value >> (8 * i)) & 0xFF));
    }
    return out;
}

// A RIFF WAVE file whose data chunk announces `dataSize` bytes and holds `data`.
QByteArray wave(int format, int channels, int bits, const QByteArray& data,
                std::uint32_t dataSize) {
    const int rate = 22050;
    const int align = channels * bits / 8;
    QByteArray fmt = "fmt " + le(16, 4) + le(format, 2) + le(channels, 2) + le(rate, 4) +
                     le(rate * align, 4) + le(align, 2) + le(bits, 2);
    QByteArray body = "WAVE" + fmt + "data" + le(dataSize, 4) + data;
    return "RIFF" + le(body.size(), 4) + body;
}

TEST(WaveFile, TheGamesOwnSoundReadsAsSixteenBitMono) {
    const auto clip = readWaveFile(QStringLiteral(KELVARN_SOURCE_DIR "/assets/sound/put.wav"));
    ASSERT_TRUE(clip.has_value());
    EXPECT_EQ(clip->format.sampleRate(), 22050);
    EXPECT_EQ(clip->format.channelCount(), 1);
    EXPECT_EQ(clip->format.sampleFormat(), QAudioFormat::Int16);
    EXPECT_EQ(clip->samples.size(), 9923 * 2);
}

TEST(WaveFile, DamagedAndForeignFilesAreSilenceOrAsMuchAsIsThere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray samples(400, '\x10');
    struct Case {
        const char* what;
        QByteArray bytes;
        int playableBytes; // -1: nothing to play
    };
    const Case cases[] = {
        {"empty", QByteArray(), -1},
        {"not RIFF", QByteArray(64, 'x'), -1},
        {"header only", QByteArray("RIFF\x04\0\0\0WAVE", 12), -1},
        {"24-bit", wave(1, 1, 24, samples, 400), -1},
        {"ADPCM", wave(2, 1, 16, samples, 400), -1},
        {"no channels", wave(1, 0, 16, samples, 400), -1},
        {"no samples", wave(1, 1, 16, QByteArray(), 0), -1},
        {"data cut short", wave(1, 1, 16, samples, 100000), 400},
        {"half a frame over", wave(1, 2, 16, samples.left(399), 399), 396},
        {"8-bit stereo", wave(1, 2, 8, samples, 400), 400},
        {"float", wave(3, 1, 32, samples, 400), 400},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.what) + QStringLiteral(".wav"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const auto clip = readWaveFile(path);
        if (c.playableBytes < 0) {
            EXPECT_FALSE(clip.has_value()) << c.what;
        } else {
            ASSERT_TRUE(clip.has_value()) << c.what;
            EXPECT_EQ(clip->samples.size(), c.playableBytes) << c.what;
        }
    }
    EXPECT_FALSE(readWaveFile(dir.filePath(QStringLiteral("missing.wav"))).has_value());
}

// A FIFO would hold the start up for good, a device feed it without end: neither is read.
TEST(WaveFile, OnlyARegularFileIsReadAndNothingElseIsWaitedOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("put.wav")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0644), 0);
    EXPECT_FALSE(readWaveFile(QFile::decodeName(fifo)).has_value()) << "a FIFO with no writer";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("hit.wav"))));
    EXPECT_FALSE(readWaveFile(dir.filePath(QStringLiteral("hit.wav"))).has_value());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Bu.wav")));
    EXPECT_FALSE(readWaveFile(dir.filePath(QStringLiteral("Bu.wav"))).has_value());

    const QString put = QStringLiteral(KELVARN_SOURCE_DIR "/assets/sound/put.wav");
    ASSERT_TRUE(QFile::link(put, dir.filePath(QStringLiteral("dea.wav"))));
    EXPECT_EQ(readWaveFile(dir.filePath(QStringLiteral("dea.wav")))->samples,
              readWaveFile(put)->samples)
        << "a link to a wave file plays it";
}

} // namespace
} // namespace kelvarn
