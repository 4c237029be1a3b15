// Construction, set-up by the effect's layout and the parameter values from the plug-in.
#include "editor/graphics_context.h"

#include "editor/bitmap_control.h"
#include "editor/editor_scale.h"
#include "editor/image_cache.h"
#include "framework/plugin_core.h"

namespace {

constexpr int BackdropImageId = 106;
constexpr const char* BackdropImageName = "resources/img/back2.png";
constexpr int MaxEditorSide = 32767; // the host reads the size as 16-bit fields

} // namespace

GraphicsContext::GraphicsContext(PluginCore* plugin) : plugin_(plugin), notices_(plugin) {}

// Controls go last to first, as the list deletes them; the images stay in the cache.
GraphicsContext::~GraphicsContext() {
    delete keyCatcher_;
    controls_.DeleteAll();
    delete canvas_;
    delete scratch_;
}

BitmapControl* GraphicsContext::AttachBackdrop() {
    const ImageStrip strip = LoadStrip(BackdropImageId, BackdropImageName, 1, false);
    auto* backdrop = new BitmapControl(plugin_, Bounds{0, 0, strip.width, strip.height}, -1,
                                       Blend{BlendMode::Replace, 1.0f}, strip);
    return controls_.Insert(0, backdrop) ? backdrop : nullptr;
}

int GraphicsContext::AddControl(Control* control) {
    if (control == nullptr) {
        return -1;
    }
    const int index = controls_.Count();
    if (!controls_.Append(control)) {
        return -1;
    }
    if (scalePercent_ != EditorScale::Base) {
        control->ScaleTo(*this, scalePercent_); // laid out at 100 percent like the others
    }
    return index;
}

PX_Bitmap* GraphicsContext::ObtainImage(int id, const char* name) {
    return PixelsOf(LoadStrip(id, name, 1, false));
}

ImageStrip GraphicsContext::LoadStrip(int id, const char* name, int frameCount, bool sideBySide) {
    const ImageSize size =
        ImageCache::Describe(id, name, [&] { return ReadImageResourceSize(id, name); });
    return ImageStrip::OfImage(id, size, frameCount, sideBySide);
}

void GraphicsContext::PrepareCanvas() {
    delete canvas_;
    delete scratch_;
    canvas_ = new PX_SysBitmap(width_, height_);
    scratch_ = new PX_MemBitmap();
}

void GraphicsContext::SetEditorSize(int width, int height) {
    if (width < 1 || height < 1 || width > MaxEditorSide || height > MaxEditorSide) {
        return;
    }
    if (width == width_ && height == height_) {
        return;
    }
    width_ = width;
    height_ = height;
    if (canvas_ != nullptr) {
        canvas_->SetSize(width, height);
    }
    if (scratch_ != nullptr) {
        scratch_->SetSize(width, height);
    }
    if (plugin_ != nullptr) {
        plugin_->EditorSizeChanged(width, height);
    }
}

bool GraphicsContext::HasWindow() {
    return WindowHandle() != nullptr;
}

const char* GraphicsContext::BackendName() {
    return "";
}

void GraphicsContext::SetKeyCatcher(Control* catcher) {
    if (catcher != keyCatcher_) {
        delete keyCatcher_;
        keyCatcher_ = catcher;
    }
}

// Runs on the host thread that set the parameter; the controls hand the values to the window
// thread through atomics (Control).
void GraphicsContext::ParamValueChanged(int paramIndex, double value, bool normalised) {
    if (!normalised) {
        const PluginParam* param = plugin_ != nullptr ? plugin_->Param(paramIndex) : nullptr;
        if (param == nullptr) {
            return;
        }
        value = param->ToNormalised(value);
    }
    for (int i = 0; i < controls_.Count(); ++i) {
        Control* control = controls_.Get(i);
        if (control->ParamIndex() == paramIndex) {
            control->TakePlugValue(value);
        }
        for (int position = 0; position < control->AuxParamCount(); ++position) {
            if (control->AuxParamIndex(position) == paramIndex) {
                control->TakeAuxPlugValue(position, value);
                break;
            }
        }
    }
}

GraphicsContext* EditorOf(const PluginCore& plugin) {
    return dynamic_cast<GraphicsContext*>(plugin.Editor());
}
