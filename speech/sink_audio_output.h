#pragma once

#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <memory>

#include "audio_output.h"

// Plays speech through the desktop's audio server with a QAudioSink. Starting
// and stopping a sink takes no time, unlike the synthesiser's own playback.
// Without an audio device it stays silent and never blocks.
class SinkAudioOutput : public AudioOutput {
public:
    SinkAudioOutput();
    ~SinkAudioOutput() override;

    void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) override;
    void stop() override;

private:
    std::unique_ptr<QAudioSink> sink_;
    int sinkRate_ = 0;
    QByteArray data_;
    QBuffer buffer_;
};
