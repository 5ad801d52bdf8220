// The same dialog on both window systems: at scale 1 the Wayland program
// draws, pixel for pixel, what the X11 one draws at 96 dpi; both paint it
// with the same code and the same glyphs.
#include "wayland_test.h"
#include "x_client.h"
#include "x_server.h"

namespace wayland {
namespace {

using Pixels = WaylandTest;

// The X11 program's dialog in its start state, from a private Xvfb.
Image X11Dialog() {
    e2e::XServer server;
    e2e::XClient x(server.display());
    Spawn spawn;
    spawn.argv = {UMBRAFOLD_PATH};
    spawn.set_env = {{"DISPLAY", server.display()}};
    spawn.unset_env = {"WAYLAND_DISPLAY"};
    Process program(spawn);
    ::Window dialog = 0;
    if (!WaitUntil([&] { return (dialog = x.Find("umbrafold", "Umbrafold", "")) != 0; })) return {};
    const Rect r = x.State(dialog)->rect;
    const int frame = 3;
    const Rect status{r.x + frame + 8 + 2, r.y + frame + 68 + 2, 181 - 4, 17 - 4};
    if (!WaitUntil([&] { return x.Dominant(status) == kYellow; })) return {};
    Image image;
    image.width = r.w;
    image.height = r.h;
    image.pixels = x.Capture(r);
    return image;
}

TEST_F(Pixels, TheDialogMatchesTheX11One) {
    const Image x11 = X11Dialog();
    ASSERT_FALSE(x11.Empty()) << "the X11 dialog did not come up";
    StartLocker();
    const Image wayland = Shot().Crop(dialog);
    ASSERT_EQ(wayland.width, x11.width);
    ASSERT_EQ(wayland.height, x11.height);
    std::size_t same = 0;
    for (std::size_t i = 0; i < x11.pixels.size(); ++i) same += x11.pixels[i] == wayland.pixels[i];
    EXPECT_EQ(same, x11.pixels.size()) << same << " of " << x11.pixels.size() << " pixels alike";
    // The status label's colours are exact: as many yellow pixels, and
    // the same ones.
    const Rect status = OnScreen(e2e::kStatus);
    const Rect inside{status.x - dialog.x, status.y - dialog.y, status.w, status.h};
    const Image a = x11.Crop(inside), b = wayland.Crop(inside);
    EXPECT_EQ(a.Count(kYellow), b.Count(kYellow));
    EXPECT_EQ(a.Count(kBlack), b.Count(kBlack));
    RecordProperty("identical_pixels", static_cast<int>(same));
}

}  // namespace
}  // namespace wayland
