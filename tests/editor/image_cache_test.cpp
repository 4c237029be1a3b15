// The editor's images: laid out from their PNG headers, decoded only when an editor first paints,
// once per process for every instance, and a missing or damaged image leaves a control that
// paints nothing instead of a broken editor.
#include "editor/capped_knob.h"
#include "editor/image_cache.h"
#include "editor/switch_control.h"
#include "editor_session.h"
#include "raster/px_read_png.h"
#include "recording_graphics.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct EditorImage {
    int id;
    const char* file;
};

constexpr EditorImage Images[] = {
    {105, "switch.png"},      {106, "back2.png"},      {107, "time_knob.png"},
    {108, "time_scale.png"},  {109, "depth_knob.png"}, {110, "depth_scale.png"},
    {112, "sens_knob22.png"}, {113, "sens_scale.png"}, {114, "vol_knob22.png"},
    {115, "vol_scale2.png"},
};

std::string ImageFile(const char* file) {
    std::ifstream in(std::string(CRESCENDA_IMG_DIR) + "/" + file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Width and height as the PNG format stores them: big-endian words at bytes 16 and 20.
ImageSize SizeInFile(const std::string& png) {
    auto word = [&](size_t at) {
        return int(uint8_t(png[at])) << 24 | int(uint8_t(png[at + 1])) << 16 |
               int(uint8_t(png[at + 2])) << 8 | int(uint8_t(png[at + 3]));
    };
    return png.size() < 24 ? ImageSize{} : ImageSize{word(16), word(20)};
}

// Images from PNG bytes given by the test instead of the module's resources.
class GivenImages : public RecordingGraphics {
public:
    explicit GivenImages(std::string png) : png_(std::move(png)) {}
    PX_Bitmap* LoadImageResource(int, const char*) override {
        ++decodes;
        return PX_ReadPngFromMemory(png_.data(), int(png_.size()));
    }
    ImageSize ReadImageResourceSize(int, const char*) override {
        ImageSize size;
        PX_ReadPngSize(png_.data(), int(png_.size()), size.width, size.height);
        return size;
    }
    int decodes = 0;

private:
    std::string png_;
};

} // namespace

// Instances made and run as a host does, fifty alive at once, decode nothing; the first paint of
// one editor decodes each image once, and every other editor paints with the same pixels.
TEST(EditorImages, DecodedOnlyWhenAnEditorFirstPaintsOncePerProcess) {
    ImageCache::Empty();
    std::vector<std::unique_ptr<EditorSession>> sessions;
    for (int i = 0; i < 50; ++i) {
        sessions.push_back(std::make_unique<EditorSession>());
        ASSERT_TRUE(sessions.back()->Created());
        sessions.back()->host.Open();
        sessions.back()->host.SetParameter(Time, 0.25f);
        AudioBuffers<float> block(2, 64);
        sessions.back()->host.ProcessFloatInPlace(block);
    }
    EXPECT_EQ(ImageCache::DecodedCount(), 0);
    EXPECT_TRUE(sessions[0]->Tick());
    EXPECT_EQ(ImageCache::DecodedCount(), 10);
    for (auto& session : sessions) {
        session->Tick();
        for (const EditorImage& image : Images) {
            EXPECT_EQ(session->Editor().ObtainImage(image.id, image.file),
                      sessions[0]->Editor().ObtainImage(image.id, image.file));
        }
    }
    EXPECT_EQ(ImageCache::DecodedCount(), 10);
}

// The one place layout sizes come from, against the image files themselves and the decode.
TEST(EditorImages, LayoutSizesAreThoseOfTheImageFiles) {
    RecordingGraphics graphics;
    for (const EditorImage& image : Images) {
        const ImageSize expected = SizeInFile(ImageFile(image.file));
        const ImageStrip strip = graphics.LoadStrip(image.id, image.file, 1, false);
        EXPECT_EQ(strip.width, expected.width) << image.file;
        EXPECT_EQ(strip.height, expected.height) << image.file;
        PX_Bitmap* pixels = graphics.ObtainImage(image.id, image.file);
        ASSERT_NE(pixels, nullptr) << image.file;
        EXPECT_EQ(pixels->Width(), expected.width) << image.file;
        EXPECT_EQ(pixels->Height(), expected.height) << image.file;
    }
}

TEST(EditorImages, OnlyNamesEndingInPngAreLoadedOrMeasured) {
    RecordingGraphics graphics;
    for (const char* name : {"resources/img/back2.bmp", "back2png", "back2.png.", "BACK2.PNG"}) {
        const bool png = std::string(name) == "BACK2.PNG";
        std::unique_ptr<PX_Bitmap> image(graphics.LoadImageResource(106, name));
        EXPECT_EQ(image != nullptr, png) << name;
        EXPECT_EQ(graphics.ReadImageResourceSize(106, name).width, png ? 555 : 0) << name;
    }
}

// A knob and a switch laid out as the effect's layout lays them out, from an image that is not in
// the module, whose header is damaged, or whose image data is cut short: the editor still paints,
// the controls paint nothing, and a failed decode is not tried again. Only an image with a
// readable header gets its size, and with it an area that catches presses.
TEST(EditorImages, AMissingOrDamagedImageGivesControlsThatPaintNothing) {
    const std::string good = ImageFile("switch.png");
    const struct {
        int id;
        std::string png;
        bool sized;
    } cases[] = {
        {901, "", false},
        {902, good.substr(0, 30), false},
        {903, good.substr(0, good.size() - 20), true},
    };
    for (const auto& c : cases) {
        GivenImages graphics(c.png);
        const ImageStrip strip = graphics.LoadStrip(c.id, "given.png", 2, false);
        EXPECT_EQ(strip.width, c.sized ? 22 : 0) << c.id;
        const int frameHeight = strip.height / 2;
        graphics.AddControl(
            new CappedKnob(nullptr, Bounds{133, 167, 133 + strip.width, 167 + frameHeight}, -1,
                           Blend{}, KnobVertical, 4.0, strip, 133, 167, &strip));
        graphics.AddControl(new SwitchControl(
            nullptr, Bounds{26, 24, 26 + strip.width, 24 + frameHeight}, -1, Blend{}, strip));
        graphics.PrepareCanvas();
        PX_Bitmap& canvas = *graphics.Canvas();
        const size_t words = size_t(canvas.RowStride()) * size_t(canvas.Height());
        std::fill(canvas.PixelData(), canvas.PixelData() + words, 0x5A5A5A5Au);
        EXPECT_TRUE(graphics.Repaint(Bounds{0, 0, 555, 306}));
        EXPECT_TRUE(graphics.Repaint(Bounds{0, 0, 555, 306}));
        EXPECT_EQ(std::count(canvas.PixelData(), canvas.PixelData() + words, 0x5A5A5A5Au),
                  long(words))
            << c.id;
        EXPECT_EQ(graphics.decodes, c.sized ? 1 : 0) << c.id;
        graphics.HandlePress(133, 167, MouseKeys{true});
        EXPECT_EQ(graphics.CapturedIndex(), c.sized ? 0 : -1) << c.id;
    }
}
