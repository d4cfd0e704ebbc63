// Plots without a screen against the interactive program: the same choices
// made with keys and with options give the same screen, pixel for pixel,
// and the same HP-GL and table files, byte for byte.
#include "render_plots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "headless_screen.h"
#include "key_codes.h"
#include "plot_state.h"
#include "plotter_startup.h"
#include "png_writer.h"
#include "render_request.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

const char* const TITLE = "Coupled microstrip, the solver's output";

struct Choice {
    int i, j, format;
    bool admittance;
    bool log_frequency = false;
};

class RenderPlots : public ::testing::Test {
protected:
    RenderPlots() {
        fs::copy_file(fs::path(PLOT_VIEWS_DATA_DIR) / "coupled_microstrip_spar.dat",
                      folder.path() / "SPAR.DAT");
    }

    // Keys of the interactive program for a choice: s-parameters, the
    // solver's file, index, format, plot, a title and the grid.
    static void choose_with_keys(HeadlessScreen& screen, const Choice& c) {
        auto fn = [&](int n) { screen.extended(keys::function_key(n)); };
        fn(5);
        fn(2);
        fn(6);
        for (int k = 1; k < c.i; ++k) screen.extended(keys::DOWN);
        fn(5);
        for (int k = 1; k < c.j; ++k) screen.extended(keys::DOWN);
        screen.key(keys::ENTER);
        fn(8);
        fn(c.format + 2);
        fn(9);
        fn(4);
        screen.text(TITLE);
        screen.key(keys::ENTER);
        if (c.admittance) screen.extended(keys::INSERT);
    }

    int render(const std::vector<std::string>& arguments, std::string* errors = nullptr) {
        std::vector<const char*> argv{"mtlplot"};
        for (const std::string& a : arguments) argv.push_back(a.c_str());
        cli::OptionParser parser("mtlplot", "", "");
        RenderRequest request;
        add_render_options(parser, request);
        std::ostringstream out, err;
        const cli::ParseOutcome outcome =
            parser.parse(static_cast<int>(argv.size()), argv.data(), out, err);
        int status = outcome.exit_status;
        if (outcome.run) {
            const std::string why = complete_render_request(request);
            status = why.empty() ? render_plots(request, err) : 2;
            err << why;
        }
        if (errors) *errors = err.str();
        return status;
    }

    static std::vector<std::string> choice_options(const Choice& c, const std::string& out) {
        const char* formats[] = {"smith", "ri", "mag", "phase", "db"};
        std::vector<std::string> options{"--render", "SPAR.DAT", "--title", TITLE,
                                         "--index", std::to_string(c.i) + "," + std::to_string(c.j),
                                         "--format", formats[c.format]};
        if (c.admittance) options.push_back("--admittance");
        if (c.log_frequency) options.push_back("--log-frequency");
        options.push_back("--out");
        options.push_back(out);
        return options;
    }

    // Pixels in which two PNG files differ; -1 when one cannot be read.
    static long differing_pixels(const std::string& a, const std::string& b) {
        int wa = 0, ha = 0, wb = 0, hb = 0;
        std::vector<std::uint8_t> pa, pb;
        if (!read_png_rgb(a, wa, ha, pa) || !read_png_rgb(b, wb, hb, pb) || wa != wb || ha != hb)
            return -1;
        long n = 0;
        for (std::size_t k = 0; k < pa.size(); k += 3)
            n += pa[k] != pb[k] || pa[k + 1] != pb[k + 1] || pa[k + 2] != pb[k + 2];
        return n;
    }

    ScratchFolder folder;
};

TEST_F(RenderPlots, EveryFormatAndBothSmithGridsAsTheProgramShowsThem) {
    const Choice choices[] = {{2, 1, REAL_IMAG, false}, {1, 1, MAGNITUDE, false},
                              {4, 1, PHASE, false},     {4, 1, MAGNITUDE_DB, false},
                              {3, 1, SMITH_CHART, false}, {1, 1, SMITH_CHART, true}};
    for (const Choice& c : choices) {
        SCOPED_TRACE(std::to_string(c.format) + (c.admittance ? " admittance" : ""));
        {
            HeadlessScreen screen(false);
            choose_with_keys(screen, c);
            EXPECT_THROW(run_mtlplot(), KeysExhausted);  // waiting in the plot editor
            EXPECT_TRUE(screen.tones().empty());
            ASSERT_TRUE(screen.save_png("keys.png"));
        }
        std::string errors;
        ASSERT_EQ(render(choice_options(c, "options.png"), &errors), 0) << errors;
        EXPECT_EQ(differing_pixels("keys.png", "options.png"), 0);
    }
}

TEST_F(RenderPlots, HpglAndTableFilesAreThoseOfTheMenus) {
    for (const Choice& c : {Choice{4, 1, MAGNITUDE_DB, false}, Choice{3, 1, SMITH_CHART, true},
                            Choice{4, 1, MAGNITUDE_DB, false, true}}) {
        SCOPED_TRACE(std::to_string(c.format) + (c.log_frequency ? " log" : ""));
        {
            HeadlessScreen screen(false);
            auto fn = [&](int n) { screen.extended(keys::function_key(n)); };
            choose_with_keys(screen, c);
            fn(8);
            screen.text("keys");
            screen.key(keys::ENTER);
            if (c.format != SMITH_CHART) {
                fn(7);
                screen.text("keys");
                screen.key(keys::ENTER);
            }
            EXPECT_THROW(run_mtlplot(c.log_frequency), KeysExhausted);
        }
        std::vector<std::string> options = choice_options(c, "options.plt");
        if (c.format != SMITH_CHART) {
            options.push_back("--out");
            options.push_back("options.rpt");
        }
        ASSERT_EQ(render(options), 0);
        ASSERT_FALSE(folder.read("KEYS.PLT").empty());
        EXPECT_EQ(folder.read("options.plt"), folder.read("KEYS.PLT"));
        if (c.format != SMITH_CHART) {
            ASSERT_FALSE(folder.read("KEYS.RPT").empty());
            EXPECT_EQ(folder.read("options.rpt"), folder.read("KEYS.RPT"));
        }
        fs::remove(folder.path() / "KEYS.PLT");
        fs::remove(folder.path() / "KEYS.RPT");
    }
}

// A real SVG renderer draws our pictures: a white page with black strokes.
TEST_F(RenderPlots, SvgOfASmithChartAndARectangularDiagramRenders) {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    ASSERT_EQ(render({"--render", "SPAR.DAT", "--index", "3,1", "--format", "smith", "--out",
                      "smith.svg", "--format", "db", "--out", "db.svg"}),
              0);
    for (const char* name : {"smith", "db"}) {
        SCOPED_TRACE(name);
        const std::string svg = std::string(name) + ".svg", png = std::string(name) + ".png";
        ASSERT_EQ(std::system(("rsvg-convert -w 800 " + svg + " -o " + png).c_str()), 0);
        int width = 0, height = 0;
        std::vector<std::uint8_t> rgb;
        ASSERT_TRUE(read_png_rgb(png, width, height, rgb));
        EXPECT_EQ(width, 800);
        long dark = 0, white = 0;
        for (std::size_t k = 0; k < rgb.size(); k += 3) {
            dark += rgb[k] < 128 && rgb[k + 1] < 128 && rgb[k + 2] < 128;
            white += rgb[k] == 255 && rgb[k + 1] == 255 && rgb[k + 2] == 255;
        }
        EXPECT_GT(dark, 3000);                                        // lines and labels
        EXPECT_GT(white, static_cast<long>(rgb.size() / 3) * 8 / 10);  // on a white page
    }
}

TEST_F(RenderPlots, IndexAndFormatApplyToTheOutputsAfterThem) {
    cli::OptionParser parser("mtlplot", "", "");
    RenderRequest r;
    add_render_options(parser, r);
    const char* argv[] = {"mtlplot", "--render", "made.spm", "--out", "a.png", "--index", "2,3",
                          "--format", "phase", "--out", "b.PLT", "--format=smith", "--out", "c.svg"};
    std::ostringstream out, err;
    ASSERT_TRUE(parser.parse(static_cast<int>(std::size(argv)), argv, out, err).run) << err.str();
    EXPECT_EQ(complete_render_request(r), "");
    EXPECT_EQ(r.kind, S_PARAMETERS);
    ASSERT_EQ(r.targets.size(), 3u);
    EXPECT_EQ(r.targets[0].i * 10 + r.targets[0].j, 11);
    EXPECT_EQ(r.targets[0].format, REAL_IMAG);
    EXPECT_EQ(r.targets[1].i * 10 + r.targets[1].j, 23);
    EXPECT_EQ(r.targets[1].format, PHASE);
    EXPECT_EQ(r.targets[1].type, PictureType::HPGL);
    EXPECT_EQ(r.targets[2].format, SMITH_CHART);
    EXPECT_EQ(r.targets[2].type, PictureType::SVG);

    EXPECT_EQ(parameter_kind_of_file("run7/ZPAR.DAT"), Z_PARAMETERS);
    EXPECT_EQ(parameter_kind_of_file("kept.ypm"), Y_PARAMETERS);
    EXPECT_EQ(parameter_kind_of_file("measured.s2p"), 0);
}

TEST_F(RenderPlots, WrongRequestsAndFailuresAreReported) {
    std::string errors;
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--out", "x.gif"}, &errors), 2);
    EXPECT_NE(errors.find(".png, .bmp, .plt, .svg or .rpt"), std::string::npos) << errors;
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--index", "0,1", "--out", "x.png"}), 2);
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--format", "polar", "--out", "x.png"}), 2);
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--title", std::string(77, 'x'), "--out", "x.png"}), 2);
    EXPECT_EQ(render({"--render", "SPAR.DAT"}, &errors), 2);
    EXPECT_NE(errors.find("--out"), std::string::npos);
    EXPECT_EQ(render({"--render", "measured.dat", "--out", "x.png"}, &errors), 2);
    EXPECT_NE(errors.find("--kind"), std::string::npos);
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--kind", "z", "--format", "db", "--out", "x.png"}), 2);
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--format", "smith", "--out", "x.rpt"}), 2);

    // Failures of the run itself: the program's messages, status 1.
    EXPECT_EQ(render({"--render", "absent_spar.dat", "--out", "x.png"}, &errors), 1);
    EXPECT_EQ(errors, "mtlplot: Cannot open file absent_spar.dat\n");
    folder.write("broken.spm", " 1.0E+06\n\n 1 0\n 1 0\n 1 0\n 1 0\n\n 2.0E+06\n\n");
    EXPECT_EQ(render({"--render", "broken.spm", "--out", "x.png"}, &errors), 1);
    EXPECT_NE(errors.find("mtlplot: Error reading file broken.spm"), std::string::npos) << errors;
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--index", "5,1", "--out", "x.png"}, &errors), 1);
    EXPECT_NE(errors.find("4 ports"), std::string::npos) << errors;
    EXPECT_EQ(render({"--render", "SPAR.DAT", "--out", "no_folder/x.plt"}, &errors), 1);
    EXPECT_EQ(errors, "mtlplot: Cannot open GL file no_folder/x.plt\n");
    EXPECT_FALSE(fs::exists(folder.path() / "x.png"));
}

}  // namespace

namespace {

// --log-frequency changes the rectangular diagrams only: the Smith chart's
// HP-GL and the table of the same element stay byte for byte.
TEST_F(RenderPlots, LogFrequencyAxisChangesTheRectangularDiagramsOnly) {
    const std::vector<std::string> common{"--render", "SPAR.DAT", "--index", "4,1"};
    auto with = [&](std::vector<std::string> extra, bool log) {
        std::vector<std::string> a = common;
        if (log) a.push_back("--log-frequency");
        a.insert(a.end(), extra.begin(), extra.end());
        return a;
    };
    const std::vector<std::string> outputs{"--format", "db",      "--out",  "db.plt", "--out",
                                           "db.png",   "--out",   "db.rpt", "--format", "smith",
                                           "--out",    "smith.plt"};
    ASSERT_EQ(render(with(outputs, false)), 0);
    const std::string linear_db = folder.read("db.plt"), linear_table = folder.read("db.rpt"),
                      linear_smith = folder.read("smith.plt");
    std::string errors;
    ASSERT_EQ(render(with(outputs, true), &errors), 0) << errors;
    EXPECT_NE(folder.read("db.plt"), linear_db);
    EXPECT_NE(folder.read("db.plt").find("LT1,1;PT0.1;"), std::string::npos);
    EXPECT_TRUE(fs::file_size(folder.path() / "db.png") > 0);
    EXPECT_EQ(folder.read("db.rpt"), linear_table);
    EXPECT_EQ(folder.read("smith.plt"), linear_smith);
}

}  // namespace
