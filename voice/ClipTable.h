#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// One embedded clip image; null when its resource was not found.
struct ClipImage {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    explicit operator bool() const { return data != nullptr; }
};

constexpr int kClipCount = 21;

// The loaded clips in clip order: entry n-1 is clip n.
using ClipTable = std::array<ClipImage, kClipCount>;

// Where clips are looked up. Names and types compare regardless of case.
class ResourceSet {
public:
    virtual ~ResourceSet() = default;
    virtual ClipImage find(const QString& type, const QString& name) const = 0;
};

// The resources compiled into the executable, ":/<type>/<name>".
class EmbeddedResources : public ResourceSet {
public:
    EmbeddedResources();
    ClipImage find(const QString& type, const QString& name) const override;

private:
    QHash<QString, ClipImage> byKey_; // "type/name", lower case
};

// Looks up "wav1" to "wav21" of type "WAV"; a clip not found stays null.
void loadClips(ClipTable& table, const ResourceSet& resources);

// Plays clip n synchronously on the process's sound channel. A null entry, or
// n outside 1..21, only stops what is sounding.
void PlayClip(const ClipTable& table, int n);
