#include "editor/windowless_graphics.h"

#include "editor/module_image.h"

WindowlessGraphics::WindowlessGraphics(PluginCore* plugin, ModuleHandle module)
    : GraphicsContext(plugin), module_(module) {}

bool WindowlessGraphics::PresentRect(const Bounds& /*rect*/) {
    return false;
}

int WindowlessGraphics::ShowAlert(const char* /*text*/, const char* /*caption*/, int /*type*/) {
    return 0;
}

MenuList* WindowlessGraphics::RunPopupMenu(MenuList& /*list*/, const Bounds& /*rect*/) {
    return nullptr;
}

void WindowlessGraphics::BeginTextEntry(Control* /*control*/, const TextStyle& /*style*/,
                                        const Bounds& /*rect*/, const char* /*text*/,
                                        PluginParam* /*param*/) {}

void WindowlessGraphics::HostFolder(TextBuffer& out) {
    out.Set("");
}

void WindowlessGraphics::PluginFolder(TextBuffer& out) {
    out.Set("");
}

void WindowlessGraphics::DesktopFolder(TextBuffer& out) {
    out.Set("");
}

void WindowlessGraphics::AppDataFolder(TextBuffer& out, bool /*shared*/) {
    out.Set("");
}

void WindowlessGraphics::UserAppDataFolder(TextBuffer& out) {
    AppDataFolder(out, false);
}

void WindowlessGraphics::ChooseFile(TextBuffer& file, int /*action*/, TextBuffer& /*folder*/,
                                    const char* /*extensions*/) {
    file.Set("");
}

bool WindowlessGraphics::ChooseColour(Argb& /*colour*/, const char* /*prompt*/) {
    return false;
}

bool WindowlessGraphics::OpenWebAddress(const char* /*address*/, const char* /*caption*/,
                                        const char* /*confirm*/, const char* /*error*/) {
    return false;
}

NativeWindow WindowlessGraphics::OpenEditorWindow(NativeWindow /*parent*/) {
    return nullptr;
}

bool WindowlessGraphics::ReadClipboardText(TextBuffer& out) {
    out.Set("");
    return false;
}

PX_Bitmap* WindowlessGraphics::LoadImageResource(int id, const char* name) {
    return LoadModuleImage(module_, id, name);
}

ImageSize WindowlessGraphics::ReadImageResourceSize(int id, const char* name) {
    return ModuleImageSize(module_, id, name);
}
