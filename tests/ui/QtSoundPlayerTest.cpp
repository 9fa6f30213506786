// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSoundPlayer.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const std::string SoundDir = QUARVELIN_SOUND_DIR;

// Lets Qt's loader threads and queued signals run, as the program's event loop would.
void letQtRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

struct WavShape {
    quint16 format = 1;
    quint16 channels = 1;
    quint32 rate = 22050;
    quint16 bits = 16;
    int listChunkFirst = 0; // a chunk of that size before "fmt ", as tagging tools write
    bool padded = true;     // an odd-sized chunk followed by its pad byte, as RIFF says
    quint32 dataBytes = 4410;
};

// A WAV file written byte by byte, so each case differs from a good file in one field only.
QByteArray wav(const WavShape& s) {
    QByteArray body;
    if (s.listChunkFirst > 0) {
        body.append("LIST");
        put32(body, s.listChunkFirst);
        body.append("INFO");
        body.append(QByteArray(s.listChunkFirst - 4 + (s.padded ? s.listChunkFirst % 2 : 0), 0));
    }
    body.append("fmt ");
    put32(body, 16);
    put16(body, s.format);
    put16(body, s.channels);
    put32(body, s.rate);
    const quint16 block = s.channels * s.bits / 8;
    put32(body, s.rate * block);
    put16(body, block);
    put16(body, s.bits);
    body.append("data");
    put32(body, s.dataBytes);
    for (quint32 i = 0; i < s.dataBytes; ++i) body.append(char((i * 37) & 0x7F));

    QByteArray file("RIFF");
    put32(file, 4 + body.size());
    file.append("WAVE");
    return file + body;
}

std::string write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path.toStdString();
}

// What the generated files are checked against, read independently of the player.
struct WavFacts {
    bool riff = false;
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    double seconds = 0;
    int peak = 0;
};

WavFacts readWav(const std::string& path) {
    WavFacts facts;
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return facts;
    const QByteArray all = f.readAll();
    if (all.size() < 12 || all.left(4) != "RIFF" || all.mid(8, 4) != "WAVE") return facts;
    facts.riff = true;
    qsizetype at = 12;
    while (at + 8 <= all.size()) {
        const QByteArray id = all.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(all.constData() + at + 4);
        const char* p = all.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            facts.format = qFromLittleEndian<quint16>(p);
            facts.channels = qFromLittleEndian<quint16>(p + 2);
            facts.rate = qFromLittleEndian<quint32>(p + 4);
            facts.bits = qFromLittleEndian<quint16>(p + 14);
        } else if (id == "data" && facts.bits == 16 && facts.channels == 1 && facts.rate > 0) {
            const qsizetype samples = std::min<qsizetype>(size, all.size() - at - 8) / 2;
            facts.seconds = double(samples) / facts.rate;
            for (qsizetype i = 0; i < samples; ++i)
                facts.peak =
                    std::max(facts.peak, std::abs(int(qFromLittleEndian<qint16>(p + 2 * i))));
        }
        at += 8 + size + (size & 1);
    }
    return facts;
}

struct Cue {
    const char* file;
    double minSeconds; // the shortest length that still carries the whole cue
};

// Every cue the game plays or loads.
constexpr Cue Cues[] = {
    {"erreur.wav", 0.25},      {"mat.wav", 0.5},       {"up.wav", 0.03},
    {"down.wav", 0.05},        {"connect.wav", 0.3},   {"dring.wav", 0.5},
    {"comportement.wav", 1.2}, {"mauvais.wav", 1.2},   {"je-suis-faible.wav", 0.5},
    {"raisonable.wav", 0.7},   {"commencer.wav", 0.7}, {"beau-ca.wav", 1.0},
};

std::string cuePath(const char* file) { return SoundDir + "/" + file; }

} // namespace

TEST(QtSoundPlayer, EveryGeneratedCueIsPlainPcmMonoAudibleAndPlays) {
    QtSoundPlayer player;
    for (const Cue& cue : Cues) {
        SCOPED_TRACE(cue.file);
        const WavFacts facts = readWav(cuePath(cue.file));
        ASSERT_TRUE(facts.riff);
        EXPECT_EQ(facts.format, 1);
        EXPECT_EQ(facts.bits, 16);
        EXPECT_EQ(facts.channels, 1);
        EXPECT_TRUE(facts.rate == 44100 || facts.rate == 22050) << facts.rate;
        EXPECT_GE(facts.seconds, cue.minSeconds);
        EXPECT_LE(facts.seconds, 4.0);
        // Normalised at generation: a silent or clipped-away cue is a broken generator.
        EXPECT_GT(facts.peak, 8000);
        EXPECT_TRUE(player.play(cuePath(cue.file)));
    }
    letQtRun(300);
    // Loaded and cached by now: a second round must still be accepted.
    for (const Cue& cue : Cues) EXPECT_TRUE(player.play(cuePath(cue.file))) << cue.file;
    letQtRun(100);
}

TEST(QtSoundPlayer, RefusesWhatItCannotDecode) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        QByteArray bytes;
        bool playable;
    };
    const Case cases[] = {
        {"good.wav", wav({}), true},
        {"stereo.wav", wav({.channels = 2}), true},
        {"tagged.wav", wav({.listChunkFirst = 4}), true},
        {"tagged-unpadded.wav", wav({.listChunkFirst = 5, .padded = false}), true},
        // Qt 6.4 forgets the pad byte and cannot find the samples after it.
        {"tagged-padded.wav", wav({.listChunkFirst = 5}), false},
        {"empty.wav", QByteArray(), false},
        {"text.wav", QByteArray("Ceci n'est pas un son.\n"), false},
        {"float.wav", wav({.format = 3, .bits = 32}), false},
        {"eight-bit.wav", wav({.bits = 8}), false},
        {"twenty-four-bit.wav", wav({.bits = 24}), false},
        {"adpcm.wav", wav({.format = 2}), false},
        {"six-channels.wav", wav({.channels = 6}), false},
        {"no-samples.wav", wav({.dataBytes = 0}), false},
        {"header-only.wav", wav({}).left(36), false},
        {"riff-not-wave.wav", wav({}).replace(8, 4, "AVI "), false},
    };
    QtSoundPlayer player;
    for (const Case& c : cases)
        EXPECT_EQ(player.play(write(dir, c.name, c.bytes)), c.playable) << c.name;
    EXPECT_FALSE(player.play(dir.filePath("absent.wav").toStdString()));
    EXPECT_FALSE(player.play(dir.path().toStdString())) << "a folder";
    const std::string locked = write(dir, "locked.wav", wav({}));
    QFile::setPermissions(QString::fromStdString(locked), QFileDevice::Permissions());
    // Root reads it anyway.
    const bool readable = QFile(QString::fromStdString(locked)).open(QIODevice::ReadOnly);
    EXPECT_EQ(player.play(locked), readable);
    // Once Qt has loaded them, it must agree with the check: an accepted file it failed to
    // decode would now be refused.
    letQtRun(300);
    for (const Case& c : cases)
        EXPECT_EQ(player.play(dir.filePath(QString::fromLatin1(c.name)).toStdString()), c.playable)
            << c.name << " after loading";
}

TEST(QtSoundPlayer, FileIsCheckedOnEveryCall) {
    QTemporaryDir dir;
    QtSoundPlayer player;
    const std::string path = write(dir, "cue.wav", wav({}));
    EXPECT_TRUE(player.play(path));
    letQtRun(100);
    write(dir, "cue.wav", wav({.format = 3, .bits = 32}));
    EXPECT_FALSE(player.play(path));
    write(dir, "cue.wav", wav({.dataBytes = 8820}));
    EXPECT_TRUE(player.play(path));
    letQtRun(100);
}

TEST(QtSoundPlayer, QuickSuccessiveCuesAreTakenWithoutHarm) {
    QtSoundPlayer player;
    const std::string up = cuePath("up.wav"), down = cuePath("down.wav");
    EXPECT_TRUE(player.play(up));
    EXPECT_TRUE(player.play(down));
    EXPECT_TRUE(player.play(down));
    letQtRun(50);
    EXPECT_TRUE(player.play(up));
    EXPECT_TRUE(player.play(cuePath("mat.wav")));
    // The player goes away while a cue is still loading or sounding.
}
