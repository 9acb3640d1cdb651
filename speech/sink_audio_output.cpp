#include "sink_audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>

SinkAudioOutput::SinkAudioOutput() = default;

SinkAudioOutput::~SinkAudioOutput() {
    stop();
}

void SinkAudioOutput::play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) {
    const QByteArray bytes(reinterpret_cast<const char*>(samples.data()),
                           static_cast<qsizetype>(samples.size() * sizeof(std::int16_t)));
    const bool playing = sink_ && sink_->state() == QAudio::ActiveState;
    if (afterCurrent && playing && sampleRate == sinkRate_) {
        // The sink reads on from the same buffer, so the new words follow.
        buffer_.buffer().append(bytes);
        return;
    }
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;  // no audio server or no output: speech stays silent
    }
    if (!sink_ || sampleRate != sinkRate_) {
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = std::make_unique<QAudioSink>(device, format);
        sinkRate_ = sampleRate;
    }
    data_ = bytes;
    buffer_.setBuffer(&data_);
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
}

void SinkAudioOutput::stop() {
    if (sink_) {
        sink_->stop();
    }
    buffer_.close();
}
