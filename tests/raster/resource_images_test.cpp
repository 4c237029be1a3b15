#include "platform/module_handle.h"
#include "platform/resource_lookup.h"
#include "raster/px_read_png.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct EditorImage {
    int id;
    const char* name;
    int width;
    int height;
};

const EditorImage kImages[] = {
    {105, "switch", 22, 44},          {106, "back2", 555, 306},      {107, "time_knob", 145, 17400},
    {108, "time_scale", 245, 245},    {109, "depth_knob", 77, 9240}, {110, "depth_scale", 159, 159},
    {112, "sens_knob22", 101, 12120}, {113, "sens_scale", 177, 177}, {114, "vol_knob22", 59, 7080},
    {115, "vol_scale2", 131, 131},
};

} // namespace

// Each image's artwork at twice the size is embedded under its id plus 100.
TEST(ResourceImages, EveryEditorImageDecodesAtItsSizeAndTwiceItUnderItsIdPlus100) {
    for (const EditorImage& image : kImages) {
        for (int times : {1, 2}) {
            const int id = image.id + (times - 1) * 100;
            std::unique_ptr<PX_MemBitmap> bitmap(PX_ReadPngResource(ThisModuleHandle(), id));
            ASSERT_NE(bitmap, nullptr) << image.name << " x" << times;
            EXPECT_EQ(bitmap->Width(), times * image.width) << image.name << " x" << times;
            EXPECT_EQ(bitmap->Height(), times * image.height) << image.name << " x" << times;
        }
    }
}

TEST(ResourceImages, MissingIdAnswersNull) {
    EXPECT_EQ(PX_ReadPngResource(ThisModuleHandle(), 111), nullptr);
    EXPECT_EQ(PX_ReadPngResource(ThisModuleHandle(), 0), nullptr);
    EXPECT_EQ(PX_ReadPngResource(ThisModuleHandle(), 9999), nullptr);
}

TEST(ResourceImages, IdAbove65535IsLookedUpByItsLow16Bits) {
    std::unique_ptr<PX_MemBitmap> bitmap(PX_ReadPngResource(ThisModuleHandle(), 0x10000 + 106));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 555);
    EXPECT_EQ(PX_ReadPngResource(ThisModuleHandle(), 0x10000 + 111), nullptr);
}

TEST(ResourceLookup, SameIdUnderAnotherTypeIsNotFound) {
    ResourceBytes bytes{nullptr, -1};
    EXPECT_FALSE(FindModuleResource(ThisModuleHandle(), 106, "BMP", bytes));
    EXPECT_EQ(bytes.size, -1);
    EXPECT_TRUE(FindModuleResource(ThisModuleHandle(), 106, "PNG", bytes));
    EXPECT_GT(bytes.size, 8);
}
