#include "gui/preview/texture/image_loader.h"

#include <exception>

#include "core/io/entry_reader.h"
#include "core/texture/texture_decoder.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

TImageLoader::TImageLoader(std::string archivePath, uint64_t start, uint64_t length, TTexArray table,
                           int generation, QObject* parent)
    : QThread(parent),
      path_(std::move(archivePath)),
      start_(start),
      length_(length),
      table_(std::move(table)),
      generation_(generation) {}

TImageLoader::~TImageLoader() { stopAndWait(); }

void TImageLoader::stopAndWait() {
    stop_.store(true);
    wait();
}

void TImageLoader::run() {
    try {
        EntryReader entry = EntryReader::open(path_, start_, length_);
        for (size_t t = 0; t < table_.size() && !stop_.load(); ++t) {
            const TTexRec& rec = table_[t];
            QImage colour, alpha;
            QString failure;
            TexelImage texels;
            const DecodeStatus status = DecodeTexels(entry, rec, texels);
            if (status == DecodeStatus::Ok) {
                colour = toQImage(RenderTexels(texels, kThumbSide, kThumbSide, TextureMode::Colour), true);
                if (rec.HasAlpha)
                    alpha = toQImage(RenderTexels(texels, kThumbSide, kThumbSide, TextureMode::AlphaMask), true);
            } else {
                failure = QString::fromStdString(decodeMessage(rec, status));
            }
            emit thumbnailReady(generation_, int(t), colour, alpha, failure);
        }
    } catch (const std::exception&) {
        // A read failure ends the thumbnails here; the rows made so far keep theirs.
    }
}

}  // namespace varmelo::gui
