#include "tessera/keyboard/image_list.h"

#include <algorithm>

namespace Tessera {

std::unique_ptr<_M_IAMGELIST> MImageList::Load(const std::wstring& path, int id, int frames) {
    auto entry = std::make_unique<_M_IAMGELIST>();
    entry->path = path;
    entry->id = id;
    entry->frames = std::max(frames, 1);
    entry->image = LoadImageFromFile(path);
    if (entry->image) {
        entry->frameWidth = entry->image->Width() / entry->frames;
        entry->frameHeight = entry->image->Height();
    }
    return entry;
}

int MImageList::AddImage(const std::wstring& path, int id, int frames) {
    if (path.empty()) {
        return -1;
    }
    images_.push_back(Load(path, id, frames));
    return static_cast<int>(images_.size()) - 1;
}

int MImageList::InsertImage(int pos, const std::wstring& path, int id, int frames) {
    if (path.empty() || pos < 0 || pos > static_cast<int>(images_.size())) {
        return -1;
    }
    images_.insert(images_.begin() + pos, Load(path, id, frames));
    return pos;
}

void MImageList::DrawItemIcon(Canvas& dc, const CRect& rect, int index) const {
    DrawItemIcon(dc, rect, index, 0);
}

void MImageList::DrawItemIcon(Canvas& dc, const CRect& rect, int index, int frame) const {
    const _M_IAMGELIST* entry = GetItemImageData(index);
    if (entry == nullptr || !entry->image || entry->frameWidth <= 0) {
        return;
    }
    frame = std::clamp(frame, 0, entry->frames - 1);
    const int w = entry->frameWidth;
    const int h = entry->frameHeight;
    const int x = rect.left + (rect.Width() - w) / 2;
    const int y = rect.top + (rect.Height() - h) / 2;
    dc.DrawImage(*entry->image, CRect(x, y, x + w, y + h), CRect(frame * w, 0, (frame + 1) * w, h));
}

const _M_IAMGELIST* MImageList::GetItemImageData(int index) const {
    if (index < 0 || index >= static_cast<int>(images_.size())) {
        return nullptr;
    }
    return images_[static_cast<std::size_t>(index)].get();
}

const _M_IAMGELIST* MImageList::GetImageDataByID(int id) const {
    for (const auto& entry : images_) {
        if (entry->id == id) {
            return entry.get();
        }
    }
    return nullptr;
}

std::wstring MImageList::GetImagePath(int index) const {
    const _M_IAMGELIST* entry = GetItemImageData(index);
    return entry != nullptr ? entry->path : std::wstring();
}

std::wstring MImageList::GetImagePathByID(int id) const {
    const _M_IAMGELIST* entry = GetImageDataByID(id);
    return entry != nullptr ? entry->path : std::wstring();
}

}  // namespace Tessera
