#include "platform/qt/QtSound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/RegularFile.h"
#include "platform/WaveFile.h"

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace kelvarn {

namespace {

#if defined(Q_OS_LINUX)

// True when something accepts connections on the local socket at `path`. A socket file left
// behind by a server that died refuses them. Non-blocking, so a server too busy to accept at once
// counts as there.
bool listensAt(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    if (bytes.isEmpty() || std::size_t(bytes.size()) >= sizeof(address.sun_path)) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    const bool listening =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0 ||
        errno == EAGAIN || errno == EINPROGRESS;
    ::close(fd);
    return listening;
}

// Sound on Linux goes through a PulseAudio server (or PipeWire's stand-in for one). Qt connects
// to it once, the first time its audio is used; if no server answers then, Qt's audio stays
// silent for the rest of the run and says so on the console. So Qt is asked only once a server
// listens, and until then each sound looks again (one connection attempt to a local socket,
// nothing more: no polling in between).
bool soundServerListening() {
    const QString servers = qEnvironmentVariable("PULSE_SERVER");
    if (!servers.isEmpty()) {
        // Entries are tried in order: "unix:/path", "/path", or a network address, each
        // optionally after "{machine id}". A network address cannot be checked without waiting,
        // so it counts as there.
        for (QString entry : servers.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (entry.startsWith(QLatin1Char('{'))) {
                entry = entry.mid(entry.indexOf(QLatin1Char('}')) + 1);
            }
            if (entry.startsWith(QLatin1String("unix:"))) {
                entry = entry.mid(5);
            } else if (!entry.startsWith(QLatin1Char('/'))) {
                return true;
            }
            if (listensAt(entry)) {
                return true;
            }
        }
        return false;
    }
    QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
    if (runtime.isEmpty()) {
        runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty()) {
            runtime = QStringLiteral("/run/user/%1").arg(::getuid());
        }
        runtime += QStringLiteral("/pulse");
    }
    // The user's own server, then a system-wide one.
    return listensAt(runtime + QStringLiteral("/native")) ||
           listensAt(QStringLiteral("/run/pulse/native")) ||
           listensAt(QStringLiteral("/var/run/pulse/native"));
}

#else

bool soundServerListening() {
    return true; // the platform's own audio service is always there
}

#endif

} // namespace

std::optional<SoundClip> readWaveFile(const QString& path) {
    // A FIFO or a device under a sound's name is never waited on nor read without end.
    const RegularFile file =
        readRegularFile(QFile::encodeName(path).toStdString(), WaveFileLimit + 1);
    if (file.found != RegularFile::Found::Read) {
        return std::nullopt;
    }
    const std::optional<WaveClip> wave = parseWave(file.bytes.data(), file.bytes.size());
    if (!wave) {
        return std::nullopt;
    }
    SoundClip clip;
    switch (wave->sample) {
    case WaveClip::Sample::UInt8:
        clip.format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case WaveClip::Sample::Int16:
        clip.format.setSampleFormat(QAudioFormat::Int16);
        break;
    case WaveClip::Sample::Int32:
        clip.format.setSampleFormat(QAudioFormat::Int32);
        break;
    case WaveClip::Sample::Float:
        clip.format.setSampleFormat(QAudioFormat::Float);
        break;
    }
    clip.format.setChannelCount(wave->channels);
    clip.format.setSampleRate(wave->rate);
    clip.samples = QByteArray(reinterpret_cast<const char*>(file.bytes.data() + wave->offset),
                              qsizetype(wave->length));
    return clip;
}

QtSoundPlayer::QtSoundPlayer(QString soundFolder, QObject* parent)
    : QObject(parent), folder_(std::move(soundFolder)) {
    // A long sound may be more than the server takes at once; the rest follows in small steps.
    feeder_.setSingleShot(true);
    feeder_.setInterval(20);
    connect(&feeder_, &QTimer::timeout, this, [this] { feed(); });
}

QtSoundPlayer::~QtSoundPlayer() {
    stopPlaying();
}

bool QtSoundPlayer::outputReady() {
    if (!serverFound_) {
        if (!soundServerListening()) {
            return false;
        }
        // From here on Qt's own connection follows the server and its devices.
        serverFound_ = true;
    }
    return !QMediaDevices::defaultAudioOutput().isNull();
}

const SoundClip* QtSoundPlayer::clip(const QString& name) {
    auto it = clips_.find(name);
    if (it == clips_.end()) {
        // The name is used as it stands: "Bu" needs the file Bu.wav, not bu.wav.
        it = clips_.insert(
            name, readWaveFile(folder_ + QLatin1Char('/') + name + QStringLiteral(".wav")));
    }
    return it->has_value() ? &**it : nullptr;
}

void QtSoundPlayer::preload(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        clip(QString::fromStdString(name));
    }
}

void QtSoundPlayer::stopPlaying() {
    feeder_.stop();
    queued_.clear();
    written_ = 0;
    feedTries_ = 0;
    output_ = nullptr;
    if (sink_) {
        // What the server still holds of it is dropped: the newest sound wins.
        sink_->stop();
        // Deleted later, not here: deleting an output makes Qt handle pending events, and a
        // sound may start in the middle of a frame.
        sink_->deleteLater();
        sink_ = nullptr;
    }
}

void QtSoundPlayer::feed() {
    while (output_ != nullptr && written_ < queued_.size()) {
        const qint64 n = output_->write(queued_.constData() + written_, queued_.size() - written_);
        if (n > 0) {
            written_ += n;
            continue;
        }
        // The server takes no more for now. An output that has failed never will: give up
        // after as many tries as the sound has twentieths of a second, and ten more.
        const qint64 bytesPerSecond = sink_ ? sink_->format().bytesForDuration(1000000) : 0;
        const qint64 tries = bytesPerSecond > 0 ? queued_.size() * 50 / bytesPerSecond + 10 : 0;
        if (sink_ && sink_->state() != QAudio::StoppedState && ++feedTries_ <= tries) {
            feeder_.start();
        }
        return;
    }
}

void QtSoundPlayer::playSound(const std::string& name) {
    stopPlaying();
    const SoundClip* sound = clip(QString::fromStdString(name));
    if (sound == nullptr || !outputReady()) {
        return;
    }
    // Qt's own sound effect player drops the last tenth of a second or so of every sound and at
    // times stalls on a replay; handing the whole sound to an output of our own does neither.
    auto* sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), sound->format, this);
    QIODevice* output = sink->start();
    if (output == nullptr) {
        sink->deleteLater();
        return;
    }
    sink_ = sink;
    output_ = output;
    queued_ = sound->samples;
    written_ = 0;
    feed();
}

} // namespace kelvarn
