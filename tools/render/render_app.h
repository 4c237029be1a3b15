// The renderer from parsed options to files: load the plug-in, apply the settings, render.
#pragma once

#include "tools/render/render_options.h"

// Answers the process exit code: 0 on success, 1 when anything failed (with a message on stderr).
int RunRenderer(const RenderOptions& options);
