// Screenshots of the program in a Wayland session for the README, from the
// real program in a private headless sway, written as binary PPM files:
//   umbrafold_wayland_shots <directory>
#include <iostream>
#include <string>

#include "compositor.h"
#include "virtual_input.h"
#include "wait.h"
#include "windows/frmWindowControls.h"

namespace {

using namespace wayland;

constexpr int kMargin = 24;  // black around the dialog in the close-ups

class Shooter {
public:
    Shooter(std::string directory, int scale)
        : directory_(std::move(directory)), scale_(scale), compositor_(CompositorOptions{1, scale}),
          input_(compositor_.Socket()) {}

    // The prefix names the pictures: wayland-open.ppm and so on.
    int Run(const std::string& prefix) {
        input_.MoveTo(0, 0, 1024 / scale_, 768 / scale_);
        Spawn spawn;
        spawn.argv = {UMBRAFOLD_PATH};
        spawn.set_env = compositor_.Env();
        spawn.unset_env = {"DISPLAY"};
        Process locker(spawn);
        if (!Step(StatusIs({255, 255, 0}), "yellow status") || !Shot(prefix + "-open")) return 1;
        if (scale_ != 1) {
            input_.Key("Return");
            return Step(locker.WaitExit(5.0).has_value(), "exit") ? 0 : 1;
        }
        input_.Type("Umbra");
        input_.Key("Return");
        if (!Step(StatusIs({255, 128, 128}), "lock") || !Shot(prefix + "-locked")) return 1;
        if (!WritePpm(directory_ + "/" + prefix + "-screen.ppm", compositor_.Screenshot())) return 1;
        input_.Type("UMBRA");
        if (!Step(StatusIs({128, 255, 128}), "access granted") || !Shot(prefix + "-granted")) return 1;
        const Rect d = Dialog();
        input_.MoveTo(d.x + 3 + 99, d.y + 3 + 9, 1024, 768);  // the title
        input_.Click();
        input_.MoveTo(0, 0, 1024, 768);
        if (!Step(e2e::WaitUntil([&] { return Dialog().h == Px(frmWindowControls::kExpandedHeight); }), "expand"))
            return 1;
        if (!Shot(prefix + "-expanded")) return 1;
        input_.Key("Return");
        return Step(locker.WaitExit(5.0).has_value(), "exit") ? 0 : 1;
    }

private:
    static bool Step(bool ok, const char* what) {
        if (!ok) std::cerr << "umbrafold_wayland_shots: " << what << " did not happen\n";
        return ok;
    }

    int Px(int twips) const { return scale_ * ((twips * 96 + 720) / 1440); }
    Rect Dialog() { return compositor_.Screenshot().FindDialog(); }

    bool StatusIs(Rgb colour) {
        return e2e::WaitUntil([&] {
            const Image image = compositor_.Screenshot();
            const Rect d = image.FindDialog();
            if (d.w == 0) return false;
            const ui::ControlDesc& c = frmWindowControls::kControls[frmWindowControls::lblLocked];
            const int frame = Px(frmWindowControls::kWindow.frame);
            const Rect status{d.x + frame + Px(c.left) + 2, d.y + frame + Px(c.top) + 2, Px(c.width) - 4,
                              Px(c.height) - 4};
            const Image label = image.Crop(status);
            return label.Count(colour) > label.width * label.height / 2;
        });
    }

    bool Shot(const std::string& name) {
        const Image image = compositor_.Screenshot();
        const Rect d = image.FindDialog();
        const Rect crop{d.x - kMargin, d.y - kMargin, d.w + 2 * kMargin, d.h + 2 * kMargin};
        return WritePpm(directory_ + "/" + name + ".ppm", image.Crop(crop));
    }

    std::string directory_;
    int scale_;
    Compositor compositor_;
    VirtualInput input_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: umbrafold_wayland_shots <directory>\n";
        return 2;
    }
    const std::string why = WhyNoCompositor();
    if (!why.empty()) {
        std::cerr << "umbrafold_wayland_shots: " << why << "\n";
        return 1;
    }
    try {
        const int at_one = Shooter(argv[1], 1).Run("wayland");
        return at_one != 0 ? at_one : Shooter(argv[1], 2).Run("wayland-scale2");
    } catch (const std::exception& e) {
        std::cerr << "umbrafold_wayland_shots: " << e.what() << "\n";
        return 1;
    }
}
