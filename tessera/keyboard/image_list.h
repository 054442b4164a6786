#pragma once

// MImageList: a small container of icon strips (each image holds `frames` looks side by
// side) that the record list draws its step icons from. Images are loaded from full
// paths, not through the skin folder or a window's image cache.

#include <memory>
#include <string>
#include <vector>

#include "tessera/platform/canvas.h"
#include "tessera/platform/image.h"

namespace Tessera {

struct _M_IAMGELIST {
    std::unique_ptr<Image> image;  // null when the file could not be loaded
    int frameWidth = 0;            // image width / frame count
    int frameHeight = 0;
    int id = 0;
    int frames = 1;
    std::wstring path;
};

class MImageList {
public:
    MImageList() = default;
    MImageList(const MImageList&) = delete;
    MImageList& operator=(const MImageList&) = delete;

    // Appends; returns the new index, -1 for an empty path. A file that cannot be loaded
    // still takes its index (drawing it draws nothing), so later icons keep their places.
    int AddImage(const std::wstring& path, int id, int frames);
    // Inserts at `pos` (0..count); returns `pos`, -1 for an empty path or a bad position.
    int InsertImage(int pos, const std::wstring& path, int id, int frames);

    // Frame 0 (or `frame`, limited to the frame count) centred in `rect`; unknown indexes
    // draw nothing.
    void DrawItemIcon(Canvas& dc, const CRect& rect, int index) const;
    void DrawItemIcon(Canvas& dc, const CRect& rect, int index, int frame) const;

    void SetDrawImgSize(int cx, int cy) { drawSize_ = {cx, cy}; }
    CSize GetIconSize() const { return drawSize_; }
    const _M_IAMGELIST* GetItemImageData(int index) const;
    const _M_IAMGELIST* GetImageDataByID(int id) const;
    std::wstring GetImagePath(int index) const;
    std::wstring GetImagePathByID(int id) const;
    int GetImageCount() const { return static_cast<int>(images_.size()); }
    void DelAllImages() { images_.clear(); }

private:
    static std::unique_ptr<_M_IAMGELIST> Load(const std::wstring& path, int id, int frames);

    std::vector<std::unique_ptr<_M_IAMGELIST>> images_;
    CSize drawSize_;
};

}  // namespace Tessera
