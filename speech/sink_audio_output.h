#pragma once

#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTimer>
#include <memory>

#include "speech/audio_output.h"

namespace lorvane::speech {

// Plays speech through the desktop's audio server with a QAudioSink. Starting
// and stopping a sink takes no time, unlike the synthesiser's own playback.
// Without an audio device it stays silent and never blocks.
//
// The sink runs in push mode: an utterance is handed to the server whole, the
// moment it arrives, so its first sound does not wait for a feeding timer and
// nothing the program's own thread does later can starve it. Once it has
// been played out the stream is closed: an open one keeps the sound card
// awake and the sink's timer waking the program fifty times a second.
class SinkAudioOutput final : public AudioOutput {
public:
    SinkAudioOutput();
    ~SinkAudioOutput() override;

    void play(std::vector<std::int16_t> samples, int sampleRate, bool afterCurrent) override;
    void stop() override;
    // Opens the audio server's stream ahead of the samples.
    void prepare(int sampleRate) override;

private:
    void start(int sampleRate);
    void write(const std::vector<std::int16_t>& samples);
    // Closes the stream once what was written has been played.
    void closeWhenPlayed(qint64 playingMs);

    std::unique_ptr<QAudioSink> sink_;
    int sinkRate_ = 0;
    // The sink's own device while it is started; the sink deletes it on stop.
    QIODevice* device_ = nullptr;
    // Started by prepare() and nothing written yet.
    bool prepared_ = false;
    QElapsedTimer clock_;
    qint64 playedAtMs_ = 0;  // on clock_: when all that was written has played
    QTimer played_;
};

}  // namespace lorvane::speech
