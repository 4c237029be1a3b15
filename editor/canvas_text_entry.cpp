#include "editor/canvas_text_entry.h"

#include "editor/graphics_context.h"
#include "raster/px_fill_area.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int Padding = 3; // between the box's edge and its text
constexpr int CaretWidth = 1;
constexpr Argb Border{255, 128, 128, 128};
constexpr Argb RefusalColour{255, 176, 24, 24};

void Fill(GraphicsContext& graphics, const Bounds& box, const Argb& colour) {
    PX_FillArea(graphics.Canvas(), box.left, box.top, box.Width(), box.Height(), colour.Packed(),
                1.0f, PX_COMBINE_COPY);
}

} // namespace

void CanvasTextEntry::Open(Control* control, PluginParam* param, const TextStyle& style,
                           const Bounds& rect, const char* text, int maxLength) {
    control_ = control;
    param_ = param;
    style_ = style;
    style_.alignment = AlignLeft;
    area_ = rect;
    maxLength_ = maxLength > 0 && maxLength < MaxText ? maxLength : MaxText - 1;
    std::snprintf(text_, sizeof text_, "%.*s", maxLength_, text != nullptr ? text : "");
    replaced_ = true;
    refused_ = false;
}

void CanvasTextEntry::Close() {
    control_ = nullptr;
    param_ = nullptr;
    text_[0] = '\0';
    refused_ = false;
}

bool CanvasTextEntry::TakeKey(GraphicsContext& graphics, EntryKey key, char character) {
    switch (key) {
    case EntryKey::Escape:
        Close();
        return true;
    case EntryKey::Return: {
        char why[MaxText];
        if (refused_) {
            return false; // the reason is not a value: type one first
        }
        if (graphics.ApplyTypedText(control_, param_, text_, why, sizeof why)) {
            Close();
            return true;
        }
        std::snprintf(text_, sizeof text_, "%s", why);
        refused_ = true;
        replaced_ = true;
        return false;
    }
    case EntryKey::Backspace:
        if (replaced_) {
            text_[0] = '\0';
            replaced_ = false;
            refused_ = false;
        } else if (text_[0] != '\0') {
            text_[std::strlen(text_) - 1] = '\0';
        }
        return false;
    case EntryKey::Character:
        Append(character);
        return false;
    default:
        return false;
    }
}

void CanvasTextEntry::Append(char character) {
    if (replaced_) {
        text_[0] = '\0';
        replaced_ = false;
        refused_ = false;
    }
    const std::size_t length = std::strlen(text_);
    if (character >= ' ' && character <= '~' && length < static_cast<std::size_t>(maxLength_)) {
        text_[length] = character;
        text_[length + 1] = '\0';
    }
}

// The box's edge, its background, the text (the reason in red when refused) and the caret.
void CanvasTextEntry::Paint(GraphicsContext& graphics) {
    if (!IsOpen() || graphics.Canvas() == nullptr) {
        return;
    }
    Fill(graphics, area_, Border);
    const Bounds inside{area_.left + 1, area_.top + 1, area_.right - 1, area_.bottom - 1};
    Fill(graphics, inside, style_.entryBackground);
    TextStyle style = style_;
    style.textColour = refused_ ? RefusalColour : style_.entryForeground;
    Bounds text{inside.left + Padding, inside.top, inside.right - Padding, inside.bottom};
    graphics.DrawTextBox(style, text_, text, false);
    if (!refused_) {
        Bounds extent = text;
        graphics.MeasureTextBox(style, text_, extent);
        const int caret = text_[0] != '\0' ? extent.right : text.left;
        Fill(graphics, Bounds{caret, inside.top + 2, caret + CaretWidth, inside.bottom - 2},
             style_.entryForeground);
    }
}
