#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "privatefolder.h"

namespace metrivo {

// The images a skin may show: regular files inside the skin's own folder,
// named by a path relative to it, in PNG, JPEG, GIF or BMP, of at most
// kMaxFileSize bytes, and all of them together at most kMaxPixels pixels
// once decoded, as their headers say before anything is decoded: the size the
// decoder will allocate, which for a GIF is its logical screen. That budget
// keeps every image in Qt's pixmap cache (10 MiB), so that each is decoded
// once, not at every paint.
//
// An accepted image is copied into a private folder of the run in the
// temporary folder ("Metrivo-XXXXXX") and Qt is given the copy: what Qt
// decodes is what was measured, whatever happens to the skin's folder
// afterwards. The copies go with this object; RemoveLeftovers takes away
// those of runs that ended without (PrivateFolder).
class SkinImages {
  public:
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 20;  // 4 MiB at 32 bits
    static constexpr std::int64_t kMaxFileSize = std::int64_t{1} << 20;
    static constexpr int kMaxImages = 64;
    static constexpr std::string_view kCopiesPrefix = "Metrivo-";

    explicit SkinImages(std::string skinFolder);
    SkinImages(const SkinImages&) = delete;
    SkinImages& operator=(const SkinImages&) = delete;
    ~SkinImages();

    // The path of the copy of the image `url` names, or nothing when it is
    // refused. The same file named twice is one image.
    std::optional<std::string> Resolve(std::string_view url);

    std::int64_t pixels() const { return pixels_; }

    // Removes the folders of copies that earlier runs of this user left
    // behind (killed, or their display gone), never one of a live run.
    // Returns how many it removed.
    static int RemoveLeftovers();

  private:
    std::string folder_;  // canonical; empty when the folder cannot be resolved
    std::unique_ptr<PrivateFolder> copies_;
    std::map<std::string, std::string> copied_;  // canonical source -> copy
    std::int64_t pixels_ = 0;
};

}  // namespace metrivo
