// crescenda-snapshot [options] OUTPUT.png: the effect's editor as a PNG, exactly as its canvas
// holds it after the redraw step (see SnapshotUsage).
#include "tools/common/png_file_writer.h"
#include "tools/snapshot/editor_snapshot.h"

#include <cstdio>

int main(int argc, char** argv) {
    SnapshotOptions options;
    std::string error;
    switch (ParseSnapshotOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    case SnapshotParse::Help:
        std::printf("%s", SnapshotUsage());
        return 0;
    case SnapshotParse::Error:
        std::fprintf(stderr, "crescenda-snapshot: %s\n%s", error.c_str(), SnapshotUsage());
        return 2;
    case SnapshotParse::Run:
        break;
    }
    EditorSnapshot snapshot;
    if (!snapshot.Open(error) || !snapshot.Apply(options, error)) {
        std::fprintf(stderr, "crescenda-snapshot: %s\n", error.c_str());
        return 1;
    }
    std::unique_ptr<PX_MemBitmap> picture = options.stripParam.empty()
                                                ? snapshot.Picture()
                                                : snapshot.KnobStrip(options.stripParam, error);
    if (picture == nullptr) {
        std::fprintf(stderr, "crescenda-snapshot: %s\n", error.c_str());
        return 1;
    }
    return WritePictureAndReport("crescenda-snapshot", *picture, options.outputPath);
}
