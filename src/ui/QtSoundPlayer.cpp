// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSoundPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

constexpr quint16 PcmFormat = 1;
constexpr quint16 BitsPerSample = 16;

quint16 le16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 le32(const char* p) { return qFromLittleEndian<quint32>(p); }

// True for the WAV files the player takes: RIFF/WAVE, a "fmt " chunk saying integer PCM at 16
// bits, one or two channels (what every cue is; Qt 6.4 fails on float samples), then a
// non-empty "data" chunk. Other chunks (LIST, fact, ...) are stepped over the way Qt's decoder
// steps over them: by their stated size, without the pad byte RIFF puts after an odd-sized
// chunk. Qt loses its way in a file with such a pad before the samples, so it fails here too.
bool decodableWav(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    char header[12];
    if (file.read(header, sizeof header) != sizeof header) return false;
    if (QByteArray(header, 4) != "RIFF" || QByteArray(header + 8, 4) != "WAVE") return false;

    bool formatSeen = false;
    char chunk[8];
    while (file.read(chunk, sizeof chunk) == sizeof chunk) {
        const QByteArray id(chunk, 4);
        const quint32 size = le32(chunk + 4);
        const qint64 body = file.pos();
        if (id == "fmt ") {
            char fmt[16];
            if (size < sizeof fmt || file.read(fmt, sizeof fmt) != sizeof fmt) return false;
            const quint16 format = le16(fmt);
            const quint16 channels = le16(fmt + 2);
            const quint32 rate = le32(fmt + 4);
            const quint16 blockAlign = le16(fmt + 12);
            const quint16 bits = le16(fmt + 14);
            if (format != PcmFormat || bits != BitsPerSample || channels < 1 || channels > 2 ||
                rate == 0 || blockAlign != channels * BitsPerSample / 8)
                return false;
            formatSeen = true;
        } else if (id == "data") {
            return formatSeen && size > 0 && file.size() > body;
        }
        if (!file.seek(body + qint64(size))) return false;
    }
    return false;
}

} // namespace

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() = default;

bool QtSoundPlayer::play(const std::string& filePath) {
    const QFileInfo info(QString::fromStdString(filePath));
    const QString path = info.absoluteFilePath();
    if (!info.isFile() || !decodableWav(path)) return false;

    std::unique_ptr<QSoundEffect>& slot = effects_[path];
    if (!slot) {
        slot = std::make_unique<QSoundEffect>();
        slot->setSource(QUrl::fromLocalFile(path));
    }
    QSoundEffect* effect = slot.get();

    // Qt found the file unreadable when it loaded it; the same file gives the same answer.
    if (effect->status() == QSoundEffect::Error) return false;
    if (playing_ && playing_ != effect) playing_->stop();
    effect->stop();
    effect->play();
    playing_ = effect;
    return true;
}
