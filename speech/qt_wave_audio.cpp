#include "speech/qt_wave_audio.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>

#include "speech/pushed_playback.h"

namespace lorvane::speech {

namespace {
// Time for the server to start and finish the stretch it was given.
constexpr int kGraceMs = 500;
}  // namespace

QtWaveAudio::QtWaveAudio() {
    format_.setSampleRate(22050);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    played_.setSingleShot(true);
    QObject::connect(&played_, &QTimer::timeout, [this] { stopPlaying(); });
}

QtWaveAudio::~QtWaveAudio() {
    close();
}

void QtWaveAudio::setFileName(const std::string& name) {
    fileName_ = name;
}

void QtWaveAudio::command(std::string_view what) {
    if (what == "open") {
        open();
    } else if (what == "record") {
        record();
    } else if (what == "stop") {
        stop();
    } else if (what == "play") {
        play();
    } else if (what == "close") {
        close();
    }
}

void QtWaveAudio::open() {
    if (open_) {
        return;
    }
    // Only new, unnamed recordings are supported: nothing is read from disk.
    if (fileName_ != "new") {
        return;
    }
    recording_.clear();
    open_ = true;
}

void QtWaveAudio::record() {
    if (!open_ || source_) {
        return;
    }
    stopPlaying();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        return;
    }
    source_ = std::make_unique<QAudioSource>(device, format_);
    input_ = source_->start();
    if (!input_) {
        source_.reset();
        return;
    }
    QObject::connect(input_, &QIODevice::readyRead, input_, [this] { takeInput(); });
}

void QtWaveAudio::takeInput() {
    if (input_) {
        recording_.append(input_->readAll());
    }
}

void QtWaveAudio::stop() {
    if (source_) {
        takeInput();
        source_->stop();
        source_.reset();
        input_ = nullptr;
    }
    stopPlaying();
}

void QtWaveAudio::stopPlaying() {
    played_.stop();
    if (sink_ && sinkStarted_) {
        sink_->stop();
    }
    sinkStarted_ = false;
}

void QtWaveAudio::play() {
    if (!open_ || source_ || recording_.isEmpty()) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    const qsizetype start = std::clamp<qsizetype>(bytesOf(from_), 0, recording_.size());
    const qsizetype end = std::clamp<qsizetype>(bytesOf(to_), start, recording_.size());
    stopPlaying();
    if (!sink_) {
        sink_ = std::make_unique<QAudioSink>(device, format_);
    }
    QIODevice* output = startPushing(*sink_);
    if (!output) {
        return;
    }
    sinkStarted_ = true;
    pushWhole(*output, *sink_, recording_.constData() + start, end - start);
    playFrom_ = millisecondsOf(start);
    playLength_ = millisecondsOf(end - start);
    playClock_.start();
    played_.start(static_cast<int>(playLength_) + kGraceMs);
}

bool QtWaveAudio::playing() const {
    return sinkStarted_ && playClock_.elapsed() < playLength_;
}

void QtWaveAudio::close() {
    // The sink stays for the next recording: destroying a Qt sink lets
    // pending events run inside whatever handler closed the device.
    stop();
    recording_.clear();
    open_ = false;
}

long QtWaveAudio::position() const {
    if (playing()) {
        return playFrom_ + static_cast<long>(playClock_.elapsed());
    }
    if (source_ && input_) {
        return millisecondsOf(recording_.size() + input_->bytesAvailable());
    }
    return millisecondsOf(recording_.size());
}

long QtWaveAudio::millisecondsOf(qsizetype bytes) const {
    const qint64 bytesPerSecond = format_.bytesPerFrame() * format_.sampleRate();
    return bytesPerSecond > 0 ? static_cast<long>(bytes * 1000 / bytesPerSecond) : 0;
}

qsizetype QtWaveAudio::bytesOf(long milliseconds) const {
    const qint64 frames = static_cast<qint64>(milliseconds) * format_.sampleRate() / 1000;
    return static_cast<qsizetype>(frames * format_.bytesPerFrame());
}

}  // namespace lorvane::speech
