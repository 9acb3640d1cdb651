#include "qt_wave_audio.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>

QtWaveAudio::QtWaveAudio() {
    format_.setSampleRate(22050);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
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
    if (sink_) {
        sink_->stop();
    }
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
    if (sink_) {
        sink_->stop();
    }
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
    if (sink_) {
        sink_->stop();
    }
    playBuffer_.close();
    playData_ = recording_.mid(start, end - start);
    playStart_ = start;
    playBuffer_.setBuffer(&playData_);
    playBuffer_.open(QIODevice::ReadOnly);
    if (!sink_) {
        sink_ = std::make_unique<QAudioSink>(device, format_);
    }
    sink_->start(&playBuffer_);
}

void QtWaveAudio::close() {
    stop();
    sink_.reset();
    playBuffer_.close();
    playData_.clear();
    recording_.clear();
    open_ = false;
}

long QtWaveAudio::position() const {
    if (sink_ && sink_->state() == QAudio::ActiveState) {
        return millisecondsOf(playStart_ + playBuffer_.pos());
    }
    if (source_ && input_) {
        return millisecondsOf(recording_.size() + input_->bytesAvailable());
    }
    return millisecondsOf(recording_.size());
}

long QtWaveAudio::millisecondsOf(qsizetype bytes) const {
    const qint64 bytesPerSecond = format_.bytesPerFrame() * format_.sampleRate();
    return static_cast<long>(bytes * 1000 / bytesPerSecond);
}

qsizetype QtWaveAudio::bytesOf(long milliseconds) const {
    const qint64 frames = static_cast<qint64>(milliseconds) * format_.sampleRate() / 1000;
    return static_cast<qsizetype>(frames * format_.bytesPerFrame());
}
