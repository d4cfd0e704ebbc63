#include "hpgl_glyphs.h"

#include <array>
#include <string>

namespace {

struct Glyph {
    unsigned char code;
    std::string_view instruction;
};

// Pairs of relative pen moves in the character grid; 99 puts the pen down,
// -99 lifts it.
constexpr std::array<Glyph, 9> GLYPHS = {{
    {0xE5,  // sigma
     "UC1.5,0,99,-1,1,-0.5,1,0,1,0.5,1,1,1,-0.5,1,3,0,-99,-2.5,-1,99,1,0,1,-1,0.5,-1,0,-1,"
     "-0.5,-1,-1,-1,-1,0,-99,0,6,99,2.5,0,-99;"},
    {0xE6,  // micro
     "UC0,-2,99,1,8,0,-4,0.5,-2,1.5,0,0.5,1,0.5,5,0,-6,-99;"},
    {0xE9,  // theta
     "UC1.5,0,99,-1,1,-0.5,1,0,4,0.5,1,1,1,1,0,1,-1,0.5,-1,0,-4,-0.5,-1,-1,-1,-1,0,-99,-1.5,4,"
     "99,4,0,-99;"},
    {0xEA,  // omega
     "UC99,1.5,0,0,3,-1,1,-0.5,1,0,1,0.5,1,1,1,1,0,1,-1,0.5,-1,0,-1,-0.5,-1,-1,-1,0,-3,1.5,0,"
     "-99;"},
    {0xED,  // phi
     "UC1.5,0,99,-1,1,-0.5,1,0,2,0.5,1,1,1,1,0,1,-1,0.4,-1,0,-2,-0.5,-1,-1,-1,-1,0,-99,-1.5,0,"
     "99,4,6,-99;"},
    {0xEF,  // lambda
     "UC99,2.1,3.1,-99,-2.1,4.9,99,0.5,0,3.5,-8,-99;"},
    {0xF8,  // degree sign
     "UC1.5,4,99,-0.5,1,0,2,0.5,1,1,0,0.5,-1,0,-2,-0.5,-1,-1,0,-99;"},
    {0xFB,  // square root
     "UC0,3,99,2,-3,0,8,2,0,-99;"},
    {0xFD,  // superscript two
     "UC1,7,99,0.5,1,1,0,0.5,-1,0,-1,-2,-2,2,0,-99;"},
}};

}  // namespace

std::string_view hpgl_glyph(unsigned char code) {
    for (const Glyph& glyph : GLYPHS)
        if (glyph.code == code) return glyph.instruction;
    return {};
}

void write_label_text(TextSink& sink, char character, bool& ok) {
    ok = false;
    auto code = static_cast<unsigned char>(character);
    if (code >= 32 && code <= 127) {
        sink.write(std::string("LB") + character + '\x03');
    } else if (std::string_view glyph = hpgl_glyph(code); !glyph.empty()) {
        sink.line(glyph);
    } else {
        sink.line(" LB \x03");
    }
    ok = sink.ok();
}
