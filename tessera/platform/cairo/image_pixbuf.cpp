// Image decoding with gdk-pixbuf (PNG, JPEG, BMP, ICO, GIF animations) into premultiplied
// BGRA surfaces, and PNG writing with Cairo.

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <algorithm>

#include "tessera/platform/image.h"
#include "text/utf_convert.h"

namespace Tessera {

namespace {

Surface SurfaceFromPixbuf(const GdkPixbuf* pixbuf) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) != 0;
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
    Surface surface(width, height);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const guchar* in = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint32_t* out = surface.Row(y);
        for (int x = 0; x < width; ++x, in += channels) {
            const std::uint32_t a = alpha ? in[3] : 255u;
            out[x] = PremultiplyArgb((a << 24) | (static_cast<std::uint32_t>(in[0]) << 16) |
                                     (static_cast<std::uint32_t>(in[1]) << 8) | in[2]);
        }
    }
    return surface;
}

std::unique_ptr<Image> ImageFromAnimation(GdkPixbufAnimation* animation) {
    auto image = std::make_unique<Image>();
    if (gdk_pixbuf_animation_is_static_image(animation)) {
        GdkPixbuf* frame = gdk_pixbuf_animation_get_static_image(animation);
        if (frame == nullptr) {
            return nullptr;
        }
        image->AddFrame(SurfaceFromPixbuf(frame), 0);
        return image;
    }
    // Walk the animation on a virtual clock, one frame delay at a time, until it shows the
    // first frame again (an animation loops) or ends. The iterator API takes a GTimeVal,
    // which glib marks deprecated.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal clock{0, 0};
    GdkPixbufAnimationIter* iter = gdk_pixbuf_animation_get_iter(animation, &clock);
    constexpr int kMaxFrames = 1024;
    while (image->FrameCount() < kMaxFrames) {
        const int delay = gdk_pixbuf_animation_iter_get_delay_time(iter);
        Surface frame = SurfaceFromPixbuf(gdk_pixbuf_animation_iter_get_pixbuf(iter));
        if (image->FrameCount() > 0 && delay == image->FrameDelayMs(0) &&
            frame.Width() == image->Width() && frame.Height() == image->Height() &&
            std::equal(frame.Data(),
                       frame.Data() + static_cast<std::ptrdiff_t>(frame.Width()) * frame.Height(),
                       image->Frame(0).Data())) {
            break;  // back at the start of the loop
        }
        image->AddFrame(std::move(frame), delay);
        if (delay < 0) {
            break;  // the last frame stays for ever
        }
        const glong step = std::max(delay, 10) * 1000L;
        clock.tv_sec += (clock.tv_usec + step) / 1000000;
        clock.tv_usec = (clock.tv_usec + step) % 1000000;
        gdk_pixbuf_animation_iter_advance(iter, &clock);
    }
    g_object_unref(iter);
    G_GNUC_END_IGNORE_DEPRECATIONS
    return image;
}

// Takes the animation (or the error of a failed decode) over.
std::unique_ptr<Image> TakeAnimation(GdkPixbufAnimation* animation, GError* error) {
    if (animation == nullptr) {
        g_clear_error(&error);
        return nullptr;
    }
    auto image = ImageFromAnimation(animation);
    g_object_unref(animation);
    return image;
}

}  // namespace

std::unique_ptr<Image> LoadImageFromFile(const std::wstring& path) {
    const std::string utf8 = keyloom::WideToUtf8(path);
    GError* error = nullptr;
    GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_file(utf8.c_str(), &error);
    return TakeAnimation(animation, error);
}

std::unique_ptr<Image> LoadImageFromMemory(const void* data, std::size_t size) {
    if (data == nullptr || size == 0) {
        return nullptr;
    }
    GInputStream* stream =
        g_memory_input_stream_new_from_data(data, static_cast<gssize>(size), nullptr);
    GError* error = nullptr;
    GdkPixbufAnimation* animation = gdk_pixbuf_animation_new_from_stream(stream, nullptr, &error);
    g_object_unref(stream);
    return TakeAnimation(animation, error);
}

bool SaveSurfaceToPng(const Surface& surface, const std::wstring& path) {
    if (surface.IsEmpty()) {
        return false;
    }
    cairo_surface_t* cs = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(surface.Data())),
        CAIRO_FORMAT_ARGB32, surface.Width(), surface.Height(), surface.Stride());
    const cairo_status_t status = cairo_surface_write_to_png(cs, keyloom::WideToUtf8(path).c_str());
    cairo_surface_destroy(cs);
    return status == CAIRO_STATUS_SUCCESS;
}

}  // namespace Tessera
