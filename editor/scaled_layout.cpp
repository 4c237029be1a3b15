// The editor at another scale: choosing it, laying every control out again, and the scaled images.
// UI thread.
#include "editor/control.h"
#include "editor/editor_scale.h"
#include "editor/graphics_context.h"
#include "editor/image_cache.h"
#include "raster/px_resample.h"

namespace {

// Cache keys of scaled images: the image's id times this plus the percent; ids stay below it.
constexpr int ScaledKeyFactor = 1000;

int FrameWidth(const ImageStrip& strip) {
    return strip.sideBySide ? strip.width / strip.frameCount : strip.width;
}

int FrameHeight(const ImageStrip& strip) {
    return strip.sideBySide ? strip.height : strip.height / strip.frameCount;
}

} // namespace

void GraphicsContext::SetHostScale(double factor) {
    hostScaled_ = true;
    ChangeScale(EditorScale::Nearest(factor));
}

void GraphicsContext::AdoptSystemScale(NativeWindow parent) {
    if (!hostScaled_) {
        ChangeScale(EditorScale::Nearest(SystemScale(parent)));
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

ImageStrip GraphicsContext::StripAtScale(const ImageStrip& base, int percent) {
    if (percent == EditorScale::Base) {
        return base;
    }
    PX_Bitmap* bitmap = base.imageId > 0 && base.bitmap != nullptr && base.imageId < ScaledKeyFactor
                            ? ObtainScaledImage(base, percent)
                            : nullptr;
    ImageStrip strip = ImageStrip::Of(bitmap, base.frameCount, base.sideBySide);
    strip.imageId = base.imageId;
    strip.imageName = base.imageName;
    return strip;
}

PX_Bitmap* GraphicsContext::ObtainScaledImage(const ImageStrip& base, int percent) {
    return ImageCache::Obtain(base.imageId * ScaledKeyFactor + percent,
                              [&] { return MakeScaledImage(base, percent); });
}

// 200 percent: the image's own artwork, which must be exactly twice its size. 150 percent: each
// frame of the 200 percent artwork resampled to the 100 percent frame's size times 1.5.
PX_Bitmap* GraphicsContext::MakeScaledImage(const ImageStrip& base, int percent) {
    if (percent == EditorScale::Double) {
        PX_Bitmap* twice =
            LoadImageResource(base.imageId + EditorScale::DoubleArtworkIdOffset, base.imageName);
        if (twice != nullptr &&
            (twice->Width() != 2 * base.width || twice->Height() != 2 * base.height)) {
            delete twice;
            twice = nullptr;
        }
        return twice;
    }
    PX_Bitmap* twice = ObtainScaledImage(base, EditorScale::Double);
    if (twice == nullptr) {
        return nullptr;
    }
    return PX_ResampleFrames(*twice, base.frameCount, base.sideBySide,
                             EditorScale::Length(FrameWidth(base), percent),
                             EditorScale::Length(FrameHeight(base), percent));
}
