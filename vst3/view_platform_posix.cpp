#include "vst3/plug_view.h"

namespace vst3 {

const char* const kNativeViewType = kPlatformTypeX11EmbedWindowID;
const bool kViewNeedsRunLoop = true;

} // namespace vst3
