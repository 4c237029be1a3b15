#include "vst3/plug_view.h"

namespace vst3 {

const char* const kNativeViewType = kPlatformTypeHWND;
const bool kViewNeedsRunLoop = false;

} // namespace vst3
