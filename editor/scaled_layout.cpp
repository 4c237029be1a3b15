// The editor at another scale: choosing it, laying every control out again, and the pixels of the
// images at each scale. UI thread.
#include "editor/control.h"
#include "editor/editor_scale.h"
#include "editor/graphics_context.h"
#include "editor/image_cache.h"
#include "raster/px_lazy_resampled_strip.h"

namespace {

int FrameWidth(const ImageStrip& strip) {
    return strip.sideBySide ? strip.width / strip.frameCount : strip.width;
}

int FrameHeight(const ImageStrip& strip) {
    return strip.sideBySide ? strip.height : strip.height / strip.frameCount;
}

// The strip of the same image at percent: each frame's size scaled, so frames stay whole pixels.
ImageStrip Rescaled(const ImageStrip& base, int percent) {
    ImageStrip strip = base;
    strip.scale = percent;
    const int width = EditorScale::Length(FrameWidth(base), percent);
    const int height = EditorScale::Length(FrameHeight(base), percent);
    strip.width = base.sideBySide ? width * base.frameCount : width;
    strip.height = base.sideBySide ? height : height * base.frameCount;
    return strip;
}

} // namespace

void GraphicsContext::SetHostScale(double factor) {
    hostScaled_ = true;
    ChangeScale(EditorScale::Nearest(factor));
}

void GraphicsContext::AdoptSystemScale(NativeWindow parent) {
    if (!hostScaled_) {
        FollowSystemScale(SystemScale(parent));
    }
}

void GraphicsContext::FollowSystemScale(double factor) {
    if (!hostScaled_) {
        ChangeScale(EditorScale::Nearest(factor));
    }
}

void GraphicsContext::ChangeScale(int percent) {
    percent = EditorScale::Nearest(percent / 100.0);
    if (percent == scalePercent_) {
        return;
    }
    if (scalePercent_ == EditorScale::Base) {
        baseWidth_ = width_;
        baseHeight_ = height_;
    }
    scalePercent_ = percent;
    for (int i = 0; i < controls_.Count(); ++i) {
        controls_.Get(i)->ScaleTo(*this, percent);
    }
    SetEditorSize(EditorScale::Length(baseWidth_, percent),
                  EditorScale::Length(baseHeight_, percent));
    for (int i = 0; i < controls_.Count(); ++i) {
        controls_.Get(i)->Touch(false);
    }
}

// Only images of the cache have other scales; a strip of given pixels becomes an empty one.
ImageStrip GraphicsContext::StripAtScale(const ImageStrip& base, int percent) {
    if (percent == base.scale) {
        return base;
    }
    if (base.imageId == 0 || base.scale != EditorScale::Base) {
        return ImageStrip::Of(nullptr, base.frameCount, base.sideBySide);
    }
    return Rescaled(base, percent);
}

PX_Bitmap* GraphicsContext::PixelsOf(const ImageStrip& strip) {
    if (strip.bitmap != nullptr || strip.imageId == 0) {
        return strip.bitmap;
    }
    return ImageCache::Pixels(strip.imageId, strip.scale,
                              [&](const char* name) { return DecodeAtScale(strip, name); });
}

// 100 percent: the module's image. 200 percent: the image's own artwork at twice the size, which
// must be exactly the strip's size. 150 percent: each frame of the 200 percent artwork resampled
// to the strip's frame size when it is first painted (PaintImageAt prepares it).
PX_Bitmap* GraphicsContext::DecodeAtScale(const ImageStrip& strip, const char* name) {
    if (strip.scale == EditorScale::Base) {
        return LoadImageResource(strip.imageId, name);
    }
    if (strip.scale == EditorScale::Double) {
        PX_Bitmap* twice =
            LoadImageResource(strip.imageId + EditorScale::DoubleArtworkIdOffset, name);
        if (twice != nullptr &&
            (twice->Width() != strip.width || twice->Height() != strip.height)) {
            delete twice;
            twice = nullptr;
        }
        return twice;
    }
    const ImageSize size = ImageCache::Describe(strip.imageId, name, [] { return ImageSize{}; });
    const ImageStrip base =
        ImageStrip::OfImage(strip.imageId, size, strip.frameCount, strip.sideBySide);
    PX_Bitmap* twice = PixelsOf(Rescaled(base, EditorScale::Double));
    if (twice == nullptr) {
        return nullptr;
    }
    return PX_LazyResampledStrip::Create(*twice, strip.frameCount, strip.sideBySide,
                                         FrameWidth(strip), FrameHeight(strip));
}
