#include "title_editor.h"

#include "key_codes.h"
#include "plot_state.h"
#include "screen_test_support.h"

namespace {

constexpr int EDIT_ROW = 26;

class TitleEditor : public ScreenInTempFolder {
protected:
    void set_title(const std::string& text) { state.title = padded(text); }
    static std::string padded(const std::string& text) {
        std::string t = text;
        t.resize(TITLE_LENGTH, ' ');
        return t;
    }
    const std::string& title() const { return state.title; }
    // Runs the editor on the scripted keys, ended with F10.
    void edit() {
        screen.extended(keys::F10);
        edit_title(state);
        EXPECT_EQ(screen.pending_keys(), 0u);
    }
};

TEST_F(TitleEditor, TypedTitleIsShownInThePlotAreaAfterwards) {
    screen.text("Line 7");
    edit();
    EXPECT_EQ(title(), padded("Line 7"));
    EXPECT_EQ(screen.text_at(2, 1, TITLE_LENGTH), padded("Line 7"));
    EXPECT_EQ(screen.cell_color(2, 1), 7);
    EXPECT_EQ(screen.row_text(1).substr(61), std::string(19, ' '));  // caption cleared
    EXPECT_EQ(screen.row_text(EDIT_ROW), std::string(80, ' '));     // work area cleared
    EXPECT_FALSE(screen.cursor_visible());
}

TEST_F(TitleEditor, ShowsCaptionTitleAndMenuWhileEditing) {
    set_title("old");
    screen.text("x");
    // The script ends while the editor waits for a key.
    ASSERT_TRUE(waits_for_more_keys([&] { edit_title(state); }));
    EXPECT_EQ(screen.text_at(1, 62, 10), "EDIT TITLE");
    EXPECT_EQ(screen.cell_color(1, 62), 15);
    EXPECT_EQ(screen.text_at(EDIT_ROW, 1, 4), "xld ");
    EXPECT_EQ(screen.text_at(30, 3, 4), "Help");
    EXPECT_EQ(screen.text_at(30, 35, 5), "Clear");
    EXPECT_EQ(screen.text_at(30, 76, 3), "End");
    EXPECT_TRUE(screen.cursor_visible());
    EXPECT_EQ(screen.cursor_row(), EDIT_ROW);
    EXPECT_EQ(screen.cursor_column(), 2);
}

TEST_F(TitleEditor, TypingAtTheLastColumnReplacesItsCharacter) {
    screen.extended(keys::END);
    screen.text("abc");
    edit();
    EXPECT_EQ(title(), std::string(75, ' ') + "c");
    EXPECT_EQ(screen.text_at(2, 76, 1), "c");
}

TEST_F(TitleEditor, InsertModePushesTheRestRightAndDropsTheLastCharacter) {
    std::string full(TITLE_LENGTH, '-');
    full[0] = 'a';
    full[1] = 'b';
    full[75] = 'Z';
    state.title = full;
    screen.extended(keys::RIGHT);
    screen.extended(keys::INSERT);
    screen.text("X");
    edit();
    EXPECT_EQ(title().substr(0, 4), "aXb-");
    EXPECT_EQ(title().back(), '-');  // Z dropped off
    EXPECT_EQ(title().size(), static_cast<std::size_t>(TITLE_LENGTH));
}

TEST_F(TitleEditor, BackspaceInInsertModeClosesTheGap) {
    set_title("abcd");
    screen.extended(keys::INSERT);
    for (int i = 0; i < 3; ++i) screen.extended(keys::RIGHT);
    screen.key(keys::BACKSPACE);
    screen.text("Q");  // lands on the d, pushing it right
    edit();
    EXPECT_EQ(title(), padded("abQd"));
}

TEST_F(TitleEditor, BackspaceInOverwriteModeBlanksAndStays) {
    set_title("abcd");
    screen.extended(keys::END);
    screen.extended(keys::HOME);
    for (int i = 0; i < 3; ++i) screen.extended(keys::RIGHT);
    screen.key(keys::BACKSPACE);
    edit();
    EXPECT_EQ(title(), padded("ab d"));
}

TEST_F(TitleEditor, DeleteBlanksInOverwriteModeAndPullsLeftInInsertMode) {
    set_title("abcdef");
    screen.extended(keys::DELETE);  // overwrite: "_bcdef"
    screen.extended(keys::INSERT);
    screen.extended(keys::RIGHT);
    screen.extended(keys::DELETE);  // insert: "_cdef"
    edit();
    EXPECT_EQ(title(), padded(" cdef"));
    EXPECT_EQ(screen.text_at(2, 1, 6), " cdef ");
}

TEST_F(TitleEditor, BeepsAtTheEdges) {
    screen.extended(keys::LEFT);       // error beep at column 1
    screen.key(keys::BACKSPACE);       // limit beep at column 1
    screen.extended(keys::HOME);       // limit beep at column 1
    screen.extended(keys::END);
    screen.extended(keys::RIGHT);      // limit beep at column 76
    screen.extended(keys::END);        // limit beep
    screen.extended(keys::F2);         // error beep: no action
    screen.key(1);                     // error beep: not printable
    edit();
    const std::vector<Tone> expected = {{1000, 50}, {500, 50}, {500, 50}, {500, 50},
                                        {500, 50},  {1000, 50}, {1000, 50}};
    EXPECT_EQ(screen.tones(), expected);
}

TEST_F(TitleEditor, ClearAskedWithNoKeepsTheTitleAndYesBlanksIt) {
    set_title("keep me");
    screen.extended(keys::F5);
    screen.key('n');
    edit();
    EXPECT_EQ(title(), padded("keep me"));

    screen.text("AB");
    screen.extended(keys::F5);
    screen.key('y');
    screen.text("C");  // the cursor stayed at column 3
    edit();
    EXPECT_EQ(title(), padded("  C"));
}

TEST_F(TitleEditor, EscAndEnterKeepTheChanges) {
    set_title("abc");
    screen.text("X");
    screen.key(keys::ESC);
    edit_title(state);
    EXPECT_EQ(title(), padded("Xbc"));
    screen.text("Y");
    screen.key(keys::ENTER);
    edit_title(state);  // the cursor starts at column 1 again
    EXPECT_EQ(title(), padded("Ybc"));
    EXPECT_EQ(screen.pending_keys(), 0u);
}

}  // namespace
