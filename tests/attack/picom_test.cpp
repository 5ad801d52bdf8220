// Under picom, with the settings its users run it with and on both its
// xrender and glx backends, nothing of the desktop shows around the dialog
// and the dialog keeps its colours: before and after the lock, while another
// client's window repaints below it, and while the input focus is moved onto
// our windows and away. Each run first checks that the setting shows on that
// other window, and is skipped with the reason where it does not.
#include "composited_test.h"
#include "framed_window.h"

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <tuple>

namespace attack {
namespace {

// How a setting shows on the framed window, which is not focused unless
// said so.
enum class Shows {
    Translucent,       // its black text turns lighter
    LessWhileFocused,  // its text turns lighter, and less so once focused
    Dimmed,            // its white paper turns darker
    ShadowAndFading,   // the desktop beside it turns darker, and a new opacity is reached in steps
};

struct Setting {
    const char* name;
    std::vector<std::string> options;  // none: Debian's sample configuration
    Shows shows;
};

// How GoogleTest names a setting in its listings.
void PrintTo(const Setting& setting, std::ostream* out) { *out << setting.name; }

const Setting kSettings[] = {
    {"inactive_opacity", {"--inactive-opacity", "0.6"}, Shows::Translucent},
    {"active_and_inactive_opacity", {"--active-opacity", "0.9", "--inactive-opacity", "0.7"},
     Shows::LessWhileFocused},
    {"inactive_dim", {"--inactive-dim", "0.5"}, Shows::Dimmed},
    {"shadow_and_fading", {"--shadow", "--fading"}, Shows::ShadowAndFading},
    {"sample_configuration", {}, Shows::Translucent},
};

// Screenshots taken in each phase, while the other window keeps printing.
constexpr int kScreenshots = 10;
constexpr unsigned long kHalfOpaque = 0x7FFFFFFF;
constexpr unsigned long kOpaque = 0xFFFFFFFF;

class Picom : public CompositedTest, public ::testing::WithParamInterface<std::tuple<std::string, Setting>> {
protected:
    void TearDown() override {
        window.reset();
        CompositedTest::TearDown();
        if (!config_.empty()) unlink(config_.c_str());
    }

    const std::string& backend() const { return std::get<0>(GetParam()); }
    const Setting& setting() const { return std::get<1>(GetParam()); }

    // Debian's sample, as users copy it, with vsync off: there is no
    // display to sync to. Empty where the sample is not installed.
    std::string SampleConfiguration() {
        std::ifstream sample(PICOM_SAMPLE_CONFIG);
        if (!sample) return {};
        std::stringstream text;
        text << sample.rdbuf();
        std::string conf = text.str();
        const std::string vsync = "vsync = true;";
        const std::size_t at = conf.find(vsync);
        if (at == std::string::npos) return {};
        conf.replace(at, vsync.size(), "vsync = false;");
        char path[] = "/tmp/umbrafold-picom-XXXXXX";
        const int fd = mkstemp(path);
        if (fd < 0) return {};
        config_ = path;
        const bool written = write(fd, conf.data(), conf.size()) == static_cast<ssize_t>(conf.size());
        close(fd);
        return written ? config_ : std::string();
    }

    void StartPicom() {
        std::vector<std::string> argv = {PICOM_PATH, "--backend", backend(), "--config"};
        if (setting().options.empty()) {
            const std::string conf = SampleConfiguration();
            if (conf.empty()) GTEST_SKIP() << "no usable sample configuration at " << PICOM_SAMPLE_CONFIG;
            argv.push_back(conf);
        } else {
            // Nothing from a configuration file on the machine.
            argv.push_back("/dev/null");
            argv.insert(argv.end(), setting().options.begin(), setting().options.end());
        }
        StartCompositor(argv);
    }

    // The shades of the red channel at p, in the order they show, until it
    // has not changed for a quarter of a second; a fade's steps are 10 ms.
    std::vector<int> Watch(Point p) const {
        using Clock = std::chrono::steady_clock;
        std::vector<int> shades = {x->Pixel(p.x, p.y).r};
        auto since = Clock::now();
        const auto deadline = since + std::chrono::duration<double>(kTimeout);
        while (Clock::now() - since < std::chrono::milliseconds(250) && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const int now = x->Pixel(p.x, p.y).r;
            if (now == shades.back()) continue;
            shades.push_back(now);
            since = Clock::now();
        }
        return shades;
    }
    int Settled(Point p) const { return Watch(p).back(); }

    // Maps the other window and waits until its text shows.
    void ShowOtherWindow() {
        window = std::make_unique<FramedWindow>(server->display(), *x, Rect{112, 84, 800, 600});
        const Point text = window->text(), paper = window->paper();
        ASSERT_TRUE(WaitUntil([&] { return x->Pixel(text.x, text.y) != x->Pixel(paper.x, paper.y); }))
            << "the other window's text never showed";
    }

    // Skips the test, with what was seen, where the setting leaves the other
    // window as it is: the test would prove nothing.
    void ExpectSettingShows() {
        const int text = Settled(window->text());
        switch (setting().shows) {
        case Shows::Translucent:
            if (text == 0) GTEST_SKIP() << "the other window's text stays black";
            break;
        case Shows::LessWhileFocused: {
            if (text == 0) GTEST_SKIP() << "the other window's text stays black";
            window->Focus();
            WaitUntil([&] { return x->Pixel(window->text().x, window->text().y).r != text; });
            const int focused = Settled(window->text());
            if (focused == 0 || focused >= text)
                GTEST_SKIP() << "the other window's text reads " << text << " unfocused, " << focused << " focused";
            break;
        }
        case Shows::Dimmed:
            if (Settled(window->paper()) == 255) GTEST_SKIP() << "the other window's paper stays white";
            break;
        case Shows::ShadowAndFading: {
            const int beside = Settled(window->beside()), desktop = Settled(window->desktop());
            if (beside >= desktop)
                GTEST_SKIP() << "no shadow beside the other window: " << beside << " there, " << desktop
                             << " further off";
            window->SetOpacity(kHalfOpaque);
            const std::vector<int> shades = Watch(window->text());
            window->SetOpacity(kOpaque);
            if (shades.size() < 3)
                GTEST_SKIP() << "the other window's text went from " << shades.front() << " to " << shades.back()
                             << " in one step at half opacity";
            break;
        }
        }
    }

    void FocusOn(::Window w) {
        XSetInputFocus(x->display(), w, RevertToPointerRoot, CurrentTime);
        x->Sync();
    }

    // Once any fade is over, every screenshot of the phase shows black all
    // around the dialog and the status in its colour, while the window
    // below keeps printing.
    void ExpectOpaqueThroughout(const char* phase, Rgb status) {
        SCOPED_TRACE(phase);
        ASSERT_TRUE(compositor->Running()) << "picom ended: " << compositor->Stderr();
        EXPECT_TRUE(NothingExposed());
        EXPECT_TRUE(StatusBecomes(status));
        for (int shot = 1; shot <= kScreenshots; ++shot) {
            const long exposed = ExposedPixels();
            const Rgb shown = StatusColour();
            if (exposed != 0 || shown != status) {
                ADD_FAILURE() << "screenshot " << shot << ": " << exposed
                              << " pixels outside the dialog are not black; the status shows " << ToString(shown);
                break;
            }
        }
        EXPECT_TRUE(CompositorOwnsScreen()) << "picom gave the screen up: " << compositor->Stderr();
    }

    std::unique_ptr<FramedWindow> window;

private:
    std::string config_;
};

TEST_P(Picom, NothingShowsThroughTheLock) {
    StartPicom();
    if (IsSkipped() || HasFatalFailure()) return;
    ShowOtherWindow();
    ASSERT_FALSE(HasFatalFailure());
    ExpectSettingShows();
    if (IsSkipped()) return;

    StartLocker();
    ASSERT_FALSE(HasFatalFailure());
    ExpectOpaqueThroughout("before a password is stored", kYellow);
    LockWith(kPassword);
    ASSERT_FALSE(HasFatalFailure());
    StartProbe();
    ExpectOpaqueThroughout("locked", kLightRed);
    window->Focus();
    ExpectOpaqueThroughout("locked, the other window focused", kLightRed);
    FocusOn(cover);
    ExpectOpaqueThroughout("locked, the cover focused", kLightRed);
    FocusOn(dialog);
    ExpectOpaqueThroughout("locked, the dialog focused", kLightRed);
    ExpectGrabsHeldThroughout();
    UnlockWithPassword();
}

std::string SettingName(const ::testing::TestParamInfo<std::tuple<std::string, Setting>>& info) {
    return std::get<0>(info.param) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Backends, Picom,
                         ::testing::Combine(::testing::Values(std::string("xrender"), std::string("glx")),
                                            ::testing::ValuesIn(kSettings)),
                         SettingName);

}  // namespace
}  // namespace attack
