#pragma once

// The skin images of one window, loaded once and shared by its controls until the window
// goes away. Names are keys exactly as written (case-sensitive); a failed load caches
// nothing, so the next call tries again.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "tessera/platform/image.h"

namespace Tessera {

struct ImgResInfo {
    std::unique_ptr<Image> image;
    int width = 0;   // frame width: image width / frame count
    int height = 0;  // frame height: image height
    int frames = 1;
    std::wstring key;
    Image* get() const { return image.get(); }
};

class ImageCache {
public:
    // Cached load of a skin image (a name relative to the skin folder).
    ImgResInfo* AddFile(const std::wstring& file, int frames);
    // Cached load of a resource image: the framework's own (101, 102) or, with
    // `application`, one the program registered (RegisterApplicationImage).
    ImgResInfo* AddResource(unsigned resId, int frames, bool application);
    void Clear();
    std::size_t Size() const;

private:
    static ImgResInfo* Insert(std::map<std::wstring, std::unique_ptr<ImgResInfo>>& map,
                              const std::wstring& key, std::unique_ptr<Image> image, int frames);
    mutable std::mutex mutex_;
    std::map<std::wstring, std::unique_ptr<ImgResInfo>> files_;
    std::map<std::wstring, std::unique_ptr<ImgResInfo>> appResources_;
    std::map<std::wstring, std::unique_ptr<ImgResInfo>> ownResources_;
};

// The full path of a skin image name: the skin folder joined with `name`, whichever
// separator the name is written with ("\\device_kb.png", "icon\\x.png", "a/b.png").
std::wstring SkinPath(const std::wstring& name);

// The framework's own images: 101 the horizontal scroll-bar strip (22 x 20), 102 the
// vertical one (12 x 72). Null for other ids.
std::unique_ptr<Image> LoadFrameworkImage(unsigned resId);

// Images the program supplies by id (its own resources); the cache copies them.
void RegisterApplicationImage(unsigned resId, std::unique_ptr<Image> image);
std::unique_ptr<Image> LoadApplicationImage(unsigned resId);

}  // namespace Tessera
