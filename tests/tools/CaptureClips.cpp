// Lists the clips found in a disk-driver capture: one line per clip, its
// number and its start in milliseconds from the start of the capture.
#include "Capture.h"

#include <QFile>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: capture_clips CAPTURE.raw\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> stream(static_cast<std::size_t>(bytes.size()) / 2);
    std::memcpy(stream.data(), bytes.constData(), stream.size() * 2);
    for (const Found& f : clipsInStream(stream, shippedClips()))
        std::printf("%d %ld\n", f.clip, f.at * 1000 / (2L * kCaptureRate));
    return 0;
}
