#include "speech/sink_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>
#include <algorithm>

#include "speech/pushed_playback.h"

namespace lorvane::speech {

namespace {
// Time for the server to start and finish what it was given, and for a
// prepared stream to get its first words.
constexpr qint64 kGraceMs = 500;
}  // namespace

SinkAudioOutput::SinkAudioOutput() {
    clock_.start();
    played_.setSingleShot(true);
    QObject::connect(&played_, &QTimer::timeout, [this] { stop(); });
}

SinkAudioOutput::~SinkAudioOutput() {
    stop();
}

void SinkAudioOutput::play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) {
    // Written behind what the server still holds, the new words follow;
    // written into a prepared stream, they begin it.
    const bool continues = afterCurrent || prepared_;
    prepared_ = false;
    if (!continues || !device_ || sampleRate != sinkRate_) {
        start(sampleRate);
    }
    if (device_) {
        write(samples);
    }
}

void SinkAudioOutput::prepare(int sampleRate) {
    start(sampleRate);
    prepared_ = device_ != nullptr;
    if (prepared_) {
        closeWhenPlayed(0);
    }
}

void SinkAudioOutput::start(int sampleRate) {
    stop();
    if (!sink_ || sampleRate != sinkRate_) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            return;  // no audio server or no output: speech stays silent
        }
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (sink_) {
            // Later: a Qt sink's destructor lets pending events run, which
            // may play the next utterance in the middle of this one.
            sink_.release()->deleteLater();
        }
        sink_ = std::make_unique<QAudioSink>(device, format);
        sinkRate_ = sampleRate;
    }
    device_ = startPushing(*sink_);
}

void SinkAudioOutput::write(const std::vector<std::int16_t>& samples) {
    pushWhole(*device_, *sink_, reinterpret_cast<const char*>(samples.data()),
              static_cast<qint64>(samples.size()) * static_cast<qint64>(sizeof(std::int16_t)));
    closeWhenPlayed(static_cast<qint64>(samples.size()) * 1000 / sinkRate_);
}

void SinkAudioOutput::closeWhenPlayed(qint64 playingMs) {
    // Written behind what is still playing, it plays after it.
    const qint64 now = clock_.elapsed();
    playedAtMs_ = std::max(playedAtMs_, now) + playingMs;
    played_.start(static_cast<int>(playedAtMs_ - now + kGraceMs));
}

void SinkAudioOutput::stop() {
    played_.stop();
    if (sink_ && device_) {
        sink_->stop();
    }
    device_ = nullptr;
    prepared_ = false;
    playedAtMs_ = 0;
}

}  // namespace lorvane::speech
