#pragma once

#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QByteArray>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTimer>
#include <memory>

#include "speech/recorder.h"

namespace lorvane::speech {

// The recorder on the desktop's audio server: records from the default input
// into memory with a QAudioSource and plays a stretch of it with a QAudioSink.
// Without an audio server every call simply does nothing.
//
// A stretch is handed to the audio server whole when it starts playing, so
// replaying never depends on the program feeding the sink; where playback
// has got to is told by the time since it started, and once it has played
// the stream is closed.
class QtRecorder : public Recorder {
public:
    QtRecorder();
    ~QtRecorder() override;
    QtRecorder(const QtRecorder&) = delete;
    QtRecorder& operator=(const QtRecorder&) = delete;

    void startRecording() override;
    void stopRecording() override { stop(); }
    void play(long fromMs, long toMs) override;
    void reset() override;
    long position() const override;

    // The recording so far, 16-bit mono samples at format().sampleRate().
    const QByteArray& recording() const { return recording_; }
    QAudioFormat format() const { return format_; }

private:
    void record();
    void stop();
    void stopPlaying();
    void close();
    void takeInput();
    bool playing() const;
    long millisecondsOf(qsizetype bytes) const;
    qsizetype bytesOf(long milliseconds) const;

    QAudioFormat format_;
    QByteArray recording_;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* input_ = nullptr;
    std::unique_ptr<QAudioSink> sink_;
    bool sinkStarted_ = false;
    QElapsedTimer playClock_;
    long playFrom_ = 0;    // milliseconds into the recording
    long playLength_ = 0;  // milliseconds
    QTimer played_;
};

}  // namespace lorvane::speech
