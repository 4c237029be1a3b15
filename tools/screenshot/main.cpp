// crescenda-screenshot [options] OUT.png: what an X server shows in a window, as a PNG (see
// ScreenshotUsage). Used for the editor screenshots in docs/, taken under a virtual display.
#include "tools/common/png_file_writer.h"
#include "tools/screenshot/x_window_capture.h"

#include <cstdio>

int main(int argc, char** argv) {
    ScreenshotOptions options;
    std::string error;
    switch (
        ParseScreenshotOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    case ScreenshotParse::Help:
        std::printf("%s", ScreenshotUsage());
        return 0;
    case ScreenshotParse::Error:
        std::fprintf(stderr, "crescenda-screenshot: %s\n%s", error.c_str(), ScreenshotUsage());
        return 2;
    case ScreenshotParse::Run:
        break;
    }
    std::unique_ptr<PX_MemBitmap> picture = CaptureXWindow(options, error);
    if (picture == nullptr) {
        std::fprintf(stderr, "crescenda-screenshot: %s\n", error.c_str());
        return 1;
    }
    return WritePictureAndReport("crescenda-screenshot", *picture, options.outputPath);
}
