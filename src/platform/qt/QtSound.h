// Sound effects on Qt: sound/<name>.wav from the program's folder, played through the desktop's
// sound server.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

class QAudioSink;
class QIODevice;

namespace kelvarn {

// The samples of a PCM wave file, as an audio output takes them.
struct SoundClip {
    QAudioFormat format;
    QByteArray samples; // whole frames only
};

// Reads a RIFF WAVE file of integer PCM (8, 16 or 32 bits) or 32-bit float samples. Anything
// else, a damaged file, or anything that is not a regular file (a FIFO, a device), gives nothing,
// at once.
std::optional<SoundClip> readWaveFile(const QString& path);

// Plays sound/<name>.wav from the program's folder. Playing a sound stops the one still playing.
// Nothing is heard, and nothing is said, while there is no sound server or no output device; a
// server or device that turns up later is found by the next sound. Each file is read once; a
// missing or unreadable file stays silent.
class QtSoundPlayer : public QObject, public SoundPlayer {
    Q_OBJECT
  public:
    explicit QtSoundPlayer(QString soundFolder, QObject* parent = nullptr);
    ~QtSoundPlayer() override;
    void playSound(const std::string& name) override;
    // Reads these files ahead of play, so that the first shot does not wait for the disk.
    void preload(const std::vector<std::string>& names);

  private:
    bool outputReady();
    const SoundClip* clip(const QString& name);
    void stopPlaying();
    void feed();

    QString folder_;
    bool serverFound_ = false;
    QHash<QString, std::optional<SoundClip>> clips_; // empty for a missing or unreadable file
    QPointer<QAudioSink> sink_;                      // the sound playing now
    QIODevice* output_ = nullptr;                    // sink_'s input
    QByteArray queued_;                              // what sink_ still has to take
    qsizetype written_ = 0;
    qint64 feedTries_ = 0;
    QTimer feeder_;
};

} // namespace kelvarn
