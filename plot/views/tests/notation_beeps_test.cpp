#include <gtest/gtest.h>

#include "engineering_notation.h"
#include "screen_fixture.h"

namespace {

using NotationBeepsTest = ScreenTest;

// The formatter reports a changed kept prefix and stays silent; the scale
// editor announces it with two tones (see ChangeScaleTest).
TEST_F(NotationBeepsTest, AChangeOfAKeptPrefixIsReportedWithoutABeep) {
    struct Case {
        float value;
        char prefix;
        float scale;
        bool beeps;
    };
    for (const Case& c : {Case{5e4f, 'k', 1e3f, true}, Case{2e5f, 'M', 1e6f, false},
                          Case{5e9f, 'M', 1e6f, false}, Case{2e10f, 'G', 1e9f, true},
                          Case{0.0f, 'M', 1e6f, false}}) {
        screen.clear_tones();
        char prefix = 'M';
        float scale = 1e6f;
        EXPECT_EQ(choose_prefix(c.value, prefix, scale, true), c.beeps) << c.value;
        EXPECT_EQ(prefix, c.prefix) << c.value;
        EXPECT_FLOAT_EQ(scale, c.scale) << c.value;
        EXPECT_TRUE(screen.tones().empty()) << c.value;
    }
    // Without keep, or with no current scale, the prefix changes silently.
    screen.clear_tones();
    char prefix = 'M';
    float scale = 1e6f;
    EXPECT_FALSE(choose_prefix(5e4f, prefix, scale, false));
    scale = 0;
    EXPECT_FALSE(choose_prefix(5e4f, prefix, scale, true));
    EXPECT_EQ(prefix, 'k');
    EXPECT_TRUE(screen.tones().empty());
}

}  // namespace
