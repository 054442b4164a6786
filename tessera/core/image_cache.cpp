#include "tessera/core/image_cache.h"

#include <map>

#include "tessera/core/manager.h"
#include "tessera/platform/canvas.h"

namespace Tessera {

ImgResInfo* ImageCache::Insert(std::map<std::wstring, std::unique_ptr<ImgResInfo>>& map,
                               const std::wstring& key, std::unique_ptr<Image> image, int frames) {
    auto info = std::make_unique<ImgResInfo>();
    frames = frames > 0 ? frames : 1;
    info->width = image->Width() / frames;
    info->height = image->Height();
    info->frames = frames;
    info->key = key;
    info->image = std::move(image);
    ImgResInfo* raw = info.get();
    map[key] = std::move(info);
    return raw;
}

ImgResInfo* ImageCache::AddFile(const std::wstring& file, int frames) {
    if (file.empty()) {
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    if (auto it = files_.find(file); it != files_.end()) {
        return it->second.get();
    }
    auto image = LoadImageFromFile(SkinPath(file));
    if (!image) {
        return nullptr;
    }
    return Insert(files_, file, std::move(image), frames);
}

ImgResInfo* ImageCache::AddResource(unsigned resId, int frames, bool application) {
    auto& map = application ? appResources_ : ownResources_;
    const std::wstring key = std::to_wstring(resId);
    std::lock_guard lock(mutex_);
    if (auto it = map.find(key); it != map.end()) {
        return it->second.get();
    }
    auto image = application ? LoadApplicationImage(resId) : LoadFrameworkImage(resId);
    if (!image) {
        return nullptr;
    }
    return Insert(map, key, std::move(image), frames);
}

void ImageCache::Clear() {
    std::lock_guard lock(mutex_);
    files_.clear();
    appResources_.clear();
    ownResources_.clear();
}

std::size_t ImageCache::Size() const {
    std::lock_guard lock(mutex_);
    return files_.size() + appResources_.size() + ownResources_.size();
}

std::wstring SkinPath(const std::wstring& name) {
    std::wstring relative = name;
    for (wchar_t& ch : relative) {
        if (ch == L'\\' || ch == L'/') {
            ch = L'/';
        }
    }
    const auto start = relative.find_first_not_of(L'/');
    relative = start == std::wstring::npos ? std::wstring() : relative.substr(start);
    return Manager::GetSkinFolder() + relative;
}

namespace {

// Three looks side by side: the track, the hovered thumb, the thumb.
std::unique_ptr<Image> DrawScrollStrip(int width, int height, bool vertical) {
    Surface surface(width, height);
    {
        Canvas canvas(surface);
        const int frame = width / 3;
        const ARGB looks[3] = {0x40FFFFFF, 0xFF38E3ED, 0xFF1F7C82};
        for (int i = 0; i < 3; ++i) {
            CRect r(i * frame, 0, (i + 1) * frame, height);
            if (vertical) {
                r.DeflateRect(0, 1);
            } else {
                r.DeflateRect(0, height / 4);
            }
            canvas.DrawRoundRect(r, std::min(r.Width(), r.Height()) / 2, 0, 0, true, looks[i]);
        }
    }
    return std::make_unique<Image>(std::move(surface));
}

std::mutex& ApplicationImagesMutex() {
    static std::mutex mutex;
    return mutex;
}
std::map<unsigned, std::unique_ptr<Image>>& ApplicationImages() {
    static std::map<unsigned, std::unique_ptr<Image>> images;
    return images;
}

}  // namespace

std::unique_ptr<Image> LoadFrameworkImage(unsigned resId) {
    switch (resId) {
        case 101:
            return DrawScrollStrip(22, 20, false);
        case 102:
            return DrawScrollStrip(12, 72, true);
        default:
            return nullptr;
    }
}

void RegisterApplicationImage(unsigned resId, std::unique_ptr<Image> image) {
    std::lock_guard lock(ApplicationImagesMutex());
    ApplicationImages()[resId] = std::move(image);
}

std::unique_ptr<Image> LoadApplicationImage(unsigned resId) {
    std::lock_guard lock(ApplicationImagesMutex());
    auto it = ApplicationImages().find(resId);
    if (it == ApplicationImages().end() || !it->second) {
        return nullptr;
    }
    auto copy = std::make_unique<Image>();
    for (int i = 0; i < it->second->FrameCount(); ++i) {
        copy->AddFrame(it->second->Frame(i), it->second->FrameDelayMs(i));
    }
    return copy;
}

}  // namespace Tessera
