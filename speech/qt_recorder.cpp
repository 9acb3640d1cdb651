#include "speech/qt_recorder.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>

#include "speech/pushed_playback.h"

namespace lorvane::speech {

namespace {
// Time for the server to start and finish the stretch it was given.
constexpr int kGraceMs = 500;
}  // namespace

QtRecorder::QtRecorder() {
    format_.setSampleRate(22050);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    played_.setSingleShot(true);
    QObject::connect(&played_, &QTimer::timeout, [this] { stopPlaying(); });
}

QtRecorder::~QtRecorder() {
    close();
}

void QtRecorder::startRecording() {
    reset();
    record();
}

void QtRecorder::reset() {
    // The sink stays for the next recording: destroying a Qt sink lets
    // pending events run inside whatever handler reset the recorder.
    close();
}

void QtRecorder::record() {
    if (source_) {
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

void QtRecorder::takeInput() {
    if (input_) {
        recording_.append(input_->readAll());
    }
}

void QtRecorder::stop() {
    if (source_) {
        takeInput();
        source_->stop();
        source_.reset();
        input_ = nullptr;
    }
    stopPlaying();
}

void QtRecorder::stopPlaying() {
    played_.stop();
    if (sink_ && sinkStarted_) {
        sink_->stop();
    }
    sinkStarted_ = false;
}

void QtRecorder::play(long fromMs, long toMs) {
    if (source_ || recording_.isEmpty()) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    const qsizetype start = std::clamp<qsizetype>(bytesOf(fromMs), 0, recording_.size());
    const qsizetype end = std::clamp<qsizetype>(bytesOf(toMs), start, recording_.size());
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

bool QtRecorder::playing() const {
    return sinkStarted_ && playClock_.elapsed() < playLength_;
}

void QtRecorder::close() {
    stop();
    recording_.clear();
}

long QtRecorder::position() const {
    if (playing()) {
        return playFrom_ + static_cast<long>(playClock_.elapsed());
    }
    if (source_ && input_) {
        return millisecondsOf(recording_.size() + input_->bytesAvailable());
    }
    return millisecondsOf(recording_.size());
}

long QtRecorder::millisecondsOf(qsizetype bytes) const {
    const qint64 bytesPerSecond = format_.bytesPerFrame() * format_.sampleRate();
    return bytesPerSecond > 0 ? static_cast<long>(bytes * 1000 / bytesPerSecond) : 0;
}

qsizetype QtRecorder::bytesOf(long milliseconds) const {
    const qint64 frames = static_cast<qint64>(milliseconds) * format_.sampleRate() / 1000;
    return static_cast<qsizetype>(frames * format_.bytesPerFrame());
}

}  // namespace lorvane::speech
