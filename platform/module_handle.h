// The plug-in library's own module handle (an HINSTANCE on Windows), stored when the library is
// loaded; the editor and the image loader find their resources through it.
#pragma once

using ModuleHandle = void*;

ModuleHandle ThisModuleHandle();
