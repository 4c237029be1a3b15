#include "tools/render/progress_bar.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Written(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        text += static_cast<char>(c);
    }
    return text;
}

} // namespace

TEST(ProgressBar, ARenderShorterThanTheDelayPrintsNothing) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ProgressBar bar(file, 1000, 60.0);
    bar.Update(500);
    bar.Update(1000);
    bar.Finish();
    EXPECT_EQ(Written(file), "");
    std::fclose(file);
}

TEST(ProgressBar, AShownBarEndsFullOnItsOwnLine) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    ProgressBar bar(file, 1000, 0.0);
    bar.Update(250);
    bar.Finish();
    const std::string text = Written(file);
    EXPECT_NE(text.find(" 25%"), std::string::npos) << text;
    EXPECT_NE(text.find("100%\n"), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
    std::fclose(file);
}
