#pragma once

#include "ClipTable.h"
#include "TMyThread.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <vector>

// The process's real sound output, written to a file by SDL's disk driver for
// as long as the object lives (the channel is reset on both ends).
class Capture {
public:
    Capture();
    ~Capture();
    // Closes the device and returns the stream: 16-bit stereo frames at the
    // device rate, interleaved.
    std::vector<std::int16_t> finish();

private:
    QString path_;
    bool finished_ = false;
};

constexpr int kCaptureRate = 48000;

// The clip as SDL converts it to the captured format.
std::vector<std::int16_t> convertedClip(const ClipImage& clip);

// Index (in samples) where `needle` occurs in `hay` at or after `from`,
// allowing each sample to differ by `tolerance`; -1 when it does not occur.
long findSamples(const std::vector<std::int16_t>& hay, const std::vector<std::int16_t>& needle,
                 long from = 0, int tolerance = 2);

// The clips of the table that the stream holds, in the order they start.
struct Found {
    int clip;
    long at; // sample index
};
std::vector<Found> clipsInStream(const std::vector<std::int16_t>& stream, const ClipTable& table);

// The shipped clip table.
const ClipTable& shippedClips();

// The embedded resources, less the named clips ("WAV13").
class WithoutClips : public ResourceSet {
public:
    explicit WithoutClips(QSet<QString> left) : left_(std::move(left)) {}
    ClipImage find(const QString& type, const QString& name) const override
    {
        return left_.contains(name.toUpper()) ? ClipImage{} : all_.find(type, name);
    }

private:
    EmbeddedResources all_;
    QSet<QString> left_;
};

// The real phrases from the shipped clips, on the real channel.
class ClipSpeaker : public PhraseSpeaker {
public:
    void SpeakTime(int hour, int minute) const override;
    void SpeakSeconds(int n) const override;
    void SpeakMinutes(int n) const override;
};
