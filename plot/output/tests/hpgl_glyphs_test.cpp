#include "hpgl_glyphs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "stream_test_support.h"

namespace {

std::string caption_text(const std::string& caption) {
    std::ostringstream out;
    TextSink sink(out);
    bool ok = false;
    for (char c : caption) {
        write_label_text(sink, c, ok);
        EXPECT_TRUE(ok);
    }
    sink.line(" ");
    return out.str();
}

TEST(HpglGlyphs, NineInstructionTextsWithTheirLengths) {
    const unsigned char codes[] = {0xE5, 0xE6, 0xE9, 0xEA, 0xED, 0xEF, 0xF8, 0xFB, 0xFD};
    const std::size_t lengths[] = {124, 53, 99, 91, 99, 46, 61, 26, 45};
    for (int i = 0; i < 9; ++i) {
        const std::string_view glyph = hpgl_glyph(codes[i]);
        EXPECT_EQ(glyph.size(), lengths[i]) << "code " << int(codes[i]);
        EXPECT_EQ(glyph.substr(0, 2), "UC");
        EXPECT_EQ(glyph.back(), ';');
        EXPECT_EQ(glyph.find(' '), std::string_view::npos);
    }
    EXPECT_TRUE(hpgl_glyph('A').empty());
    EXPECT_TRUE(hpgl_glyph(0xE7).empty());
    EXPECT_EQ(hpgl_glyph(0xF8), "UC1.5,4,99,-0.5,1,0,2,0.5,1,1,0,0.5,-1,0,-2,-0.5,-1,-1,0,-99;");
}

TEST(HpglGlyphs, PhaseCaptionEndsItsLabelLineWithTheDegreeGlyph) {
    EXPECT_EQ(caption_text("arg(s) [ \xF8]"),
              "LBa\x03LBr\x03LBg\x03LB(\x03LBs\x03LB)\x03LB \x03LB[\x03LB \x03"
              "UC1.5,4,99,-0.5,1,0,2,0.5,1,1,0,0.5,-1,0,-2,-0.5,-1,-1,0,-99;\n"
              "LB]\x03 \n");
}

TEST(HpglGlyphs, MicroOhmUnitUsesTwoGlyphsAndAClosingBlankLine) {
    EXPECT_EQ(caption_text("[\xE6\xEA"),
              "LB[\x03UC0,-2,99,1,8,0,-4,0.5,-2,1.5,0,0.5,1,0.5,5,0,-6,-99;\n"
              "UC99,1.5,0,0,3,-1,1,-0.5,1,0,1,0.5,1,1,1,1,0,1,-1,0.5,-1,0,-1,-0.5,-1,-1,-1,0,-3,"
              "1.5,0,-99;\n"
              " \n");
}

TEST(HpglGlyphs, CodesOutsideTheTableBecomeBlankLabels) {
    EXPECT_EQ(caption_text("\x7F"), "LB\x7F\x03 \n");
    EXPECT_EQ(caption_text("a\x80"), "LBa\x03 LB \x03\n \n");
    EXPECT_EQ(caption_text("\x03"), " LB \x03\n \n");  // the terminator itself never leaks
}

TEST(HpglGlyphs, FailedWriteLeavesOkFalse) {
    FillingBuffer buffer(5);
    std::ostream out(&buffer);
    TextSink sink(out);
    bool ok = false;
    write_label_text(sink, 'a', ok);
    EXPECT_TRUE(ok);
    write_label_text(sink, '\xF8', ok);
    EXPECT_FALSE(ok);
    write_label_text(sink, 'b', ok);  // nothing more is written after a failure
    EXPECT_FALSE(ok);
    EXPECT_EQ(buffer.written(), "LBa\x03U");
}

}  // namespace
