#pragma once
// TImageLoader: makes the 48 x 48 thumbnails of a dictionary's textures on a thread of its
// own, in dictionary order, and hands each texture's pair to the window's thread.
//
// The hand-over is a queued signal: the thread never waits for the window, so the window can
// stop it and wait for it at any moment without a deadlock. A stop request is seen once per
// texture, before its thumbnails are made, so stopping waits for at most one texture. Every
// thumbnail carries the loader's generation; a thumbnail still queued when its loader was
// replaced carries an old one and the page drops it.
#include <QImage>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <string>

#include "core/texture/texture_record.h"

namespace varmelo::gui {

inline constexpr int kThumbSide = 48;

class TImageLoader : public QThread {
    Q_OBJECT
public:
    // Reads the dictionary from bytes [start, start + length) of `archivePath` through a handle
    // of its own; the table is the loader's own copy. Call start() to run it.
    TImageLoader(std::string archivePath, uint64_t start, uint64_t length, TTexArray table, int generation,
                 QObject* parent = nullptr);
    ~TImageLoader() override;  // stops and waits

    int generation() const { return generation_; }
    // Asks the thread to end after the texture in progress and waits until it has ended.
    void stopAndWait();

signals:
    // `alpha` is null unless the texture has alpha; both are null when it cannot be decoded,
    // and `failure` then says why.
    void thumbnailReady(int generation, int index, QImage colour, QImage alpha, QString failure);

protected:
    void run() override;

private:
    std::string path_;
    uint64_t start_;
    uint64_t length_;
    TTexArray table_;
    int generation_;
    std::atomic<bool> stop_{false};
};

}  // namespace varmelo::gui
