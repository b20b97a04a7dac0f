#include "ClipTable.h"

#include "SoundChannel.h"

#include <QDir>
#include <QResource>

EmbeddedResources::EmbeddedResources()
{
    const QDir root(QStringLiteral(":/"));
    for (const QString& type : root.entryList(QDir::Dirs)) {
        const QDir dir(QStringLiteral(":/") + type);
        for (const QString& name : dir.entryList(QDir::Files)) {
            const QResource resource(dir.filePath(name));
            // A compressed entry is not a wave image as it stands.
            if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
                continue;
            byKey_.insert((type + u'/' + name).toLower(),
                          ClipImage{resource.data(), static_cast<std::size_t>(resource.size())});
        }
    }
}

ClipImage EmbeddedResources::find(const QString& type, const QString& name) const
{
    return byKey_.value((type + u'/' + name).toLower());
}

void loadClips(ClipTable& table, const ResourceSet& resources)
{
    for (int n = 1; n <= kClipCount; ++n)
        table[n - 1] = resources.find(QStringLiteral("WAV"), QStringLiteral("wav") + QString::number(n));
}

void PlayClip(const ClipTable& table, int n)
{
    auto& channel = voice::SoundChannel::instance();
    if (n < 1 || n > kClipCount || !table[n - 1]) {
        channel.stop();
        return;
    }
    channel.play(table[n - 1].data, table[n - 1].size);
}
