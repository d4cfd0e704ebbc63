#include <gtest/gtest.h>

#include <fstream>

#include "headless_screen.h"
#include "scratch_folder.h"
#include "stroke_font.h"
#include "surface_files.h"

namespace {

TEST(StrokeFont, ParsesGlyphsWithPenUps) {
    std::vector<StrokeFont> fonts;
    std::string error;
    ASSERT_TRUE(parse_stroke_fonts("# test\nMTL-STROKE-FONT 1\nFONT roman\n"
                                   "G 65 -9 9 0,-12 -8,9 | 0,-12 8,9 | -5,2 5,2\n"
                                   "G 32 -8 8\n",
                                   fonts, error))
        << error;
    ASSERT_EQ(fonts.size(), 1u);
    const StrokeGlyph* a = fonts[0].glyph('A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->left, -9);
    ASSERT_EQ(a->strokes.size(), 3u);
    EXPECT_EQ(a->strokes[2][1].x, 5);
    EXPECT_TRUE(fonts[0].glyph(' ')->strokes.empty());
    EXPECT_EQ(fonts[0].glyph('B'), nullptr);
}

TEST(StrokeFont, RejectsMalformedText) {
    std::vector<StrokeFont> fonts;
    std::string error;
    for (const char* text : {"", "FONT x\n", "MTL-STROKE-FONT 2\nFONT x\nG 65 0 1\n",
                             "MTL-STROKE-FONT 1\nG 65 0 1\n", "MTL-STROKE-FONT 1\nFONT x\n",
                             "MTL-STROKE-FONT 1\nFONT x\nG 65 0 1 3;4\n",
                             "MTL-STROKE-FONT 1\nFONT x\nG 7 0 1\n",
                             "MTL-STROKE-FONT 1\nFONT x\nG 65 0 1 1,2,3\n",
                             "MTL-STROKE-FONT 1\nFONT x\nH 65\n"}) {
        EXPECT_FALSE(parse_stroke_fonts(text, fonts, error)) << text;
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(fonts.empty());
    }
}

TEST(StrokeFont, ShippedRomanFontRegistersFromTheDataFolder) {
    HeadlessScreen screen(false);
    const ScratchFolder empty;
    EXPECT_EQ(register_fonts("roman.fon"), 1);  // from the data folder
    ASSERT_EQ(registered_fonts().size(), 1u);
    for (int code = 33; code < 127; ++code)
        EXPECT_NE(registered_fonts()[0].glyph(code), nullptr) << code;
    EXPECT_LT(register_fonts("nosuch.fon"), 0);
    std::ofstream("BAD.FON") << "not a font\n";
    EXPECT_LT(register_fonts("bad.fon"), 0);  // found in the working folder, invalid
}

}  // namespace
