// Screenshots of the program's states for the README, taken from the real
// program in a private Xvfb and written as binary PPM files:
//   umbrafold_shots <directory>
#include <cstdio>
#include <iostream>
#include <string>

#include "process.h"
#include "wait.h"
#include "x_client.h"
#include "x_server.h"

namespace {

using namespace e2e;

constexpr int kMargin = 24;  // black around the dialog in the close-ups

bool WritePpm(const std::string& path, const std::vector<Rgb>& pixels, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (const Rgb& p : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p.r), static_cast<unsigned char>(p.g),
                                      static_cast<unsigned char>(p.b)};
        std::fwrite(rgb, 1, 3, file);
    }
    return std::fclose(file) == 0;
}

class Shooter {
public:
    explicit Shooter(std::string directory) : directory_(std::move(directory)), x_(server_.display()) {}

    int Run() {
        Spawn spawn;
        spawn.argv = {UMBRAFOLD_PATH};
        spawn.set_env = {{"DISPLAY", server_.display()}};
        spawn.unset_env = {"WAYLAND_DISPLAY"};
        Process locker(spawn);
        if (!Step(WaitUntil([&] { return (dialog_ = x_.Find("umbrafold", "Umbrafold", "")) != 0; }), "start"))
            return 1;
        // Keep the pointer off the dialog, where it would not be drawn anyway.
        x_.MoveTo(0, 0);
        if (!Step(StatusIs({255, 255, 0}), "yellow status") || !Shot("x11-open", 97)) return 1;

        x_.Type("Umbra");
        x_.Key("Return");
        if (!Step(StatusIs({255, 128, 128}), "lock") || !Shot("x11-locked", 97)) return 1;
        const Rect root = x_.RootRect();
        if (!WritePpm(directory_ + "/x11-screen.ppm", x_.Capture(root), root.w, root.h)) return 1;

        x_.Type("UMBRA");
        if (!Step(StatusIs({128, 255, 128}), "access granted") || !Shot("x11-granted", 97)) return 1;

        const Rect dialog = Dialog();
        x_.Click(dialog.x + 3 + 99, dialog.y + 3 + 9);  // the title
        if (!Step(WaitUntil([&] { return Dialog().h == 183; }), "expand")) return 1;
        // The panel is painted after the resize; wait for it to settle.
        std::vector<Rgb> previous;
        WaitUntil([&] {
            std::vector<Rgb> now = x_.Capture(Dialog());
            const bool same = now == previous;
            previous = std::move(now);
            return same;
        });
        if (!Shot("x11-expanded", 183)) return 1;

        x_.Key("Return");
        return Step(locker.WaitExit(5.0).has_value(), "exit") ? 0 : 1;
    }

private:
    static bool Step(bool ok, const char* what) {
        if (!ok) std::cerr << "umbrafold_shots: " << what << " did not happen\n";
        return ok;
    }

    Rect Dialog() const {
        const auto state = x_.State(dialog_);
        return state ? state->rect : Rect{};
    }

    bool StatusIs(Rgb colour) {
        return WaitUntil([&] {
            const Rect d = Dialog();
            return x_.Dominant({d.x + 3 + 10, d.y + 3 + 70, 177, 13}) == colour;
        });
    }

    bool Shot(const char* name, int height) {
        const Rect d = Dialog();
        const Rect crop{d.x - kMargin, d.y - kMargin, d.w + 2 * kMargin, height + 2 * kMargin};
        return WritePpm(directory_ + "/" + name + ".ppm", x_.Capture(crop), crop.w, crop.h);
    }

    std::string directory_;
    XServer server_;
    XClient x_;
    ::Window dialog_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: umbrafold_shots <directory>\n";
        return 2;
    }
    try {
        return Shooter(argv[1]).Run();
    } catch (const std::exception& e) {
        std::cerr << "umbrafold_shots: " << e.what() << "\n";
        return 1;
    }
}
