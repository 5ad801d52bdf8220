// Pictures of Umbrafold.exe under Wine for the README, one per state:
//   umbrafold_wine_shots OUT_DIR
// writes win32-open.png, win32-locked.png, win32-granted.png,
// win32-expanded.png and win32-screen.png.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "lock/LockController.h"
#include "wine_session.h"
#include "windows/frmWindowControls.h"

using namespace frmWindowControls;

namespace {

std::string out_dir;

// The dialog with a black margin, or the whole screen when whole is set.
void Shot(WineSession& session, const char* name, bool whole = false) {
    const e2e::Rect dialog = session.DialogRect();
    const int margin = 16;
    std::string command = "import -display " + session.display() + " -window root";
    if (!whole) {
        command += " -crop " + std::to_string(dialog.w + 2 * margin) + "x" +
                   std::to_string(dialog.h + 2 * margin) + "+" + std::to_string(dialog.x - margin) +
                   "+" + std::to_string(dialog.y - margin) + " +repage";
    }
    // No time stamps, so unchanged pictures give unchanged files.
    command += " miff:- | convert - -strip -define png:exclude-chunks=date,time '" + out_dir +
               "/win32-" + name + ".png'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error(std::string("cannot take ") + name);
    std::printf("%s/win32-%s.png\n", out_dir.c_str(), name);
}

void Expect(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: umbrafold_wine_shots OUT_DIR\n");
        return 2;
    }
    out_dir = argv[1];
    try {
        WineSession session;
        session.Start();
        Expect(session.WaitForStatus(ScreenColour(kNoPasswordColour)), "no yellow status at start");
        Shot(session, "open");

        session.x().Type("secret");
        session.x().Key("Return");
        Expect(session.WaitForStatus(ScreenColour(kMismatchColour)), "did not lock");
        Shot(session, "locked");
        Shot(session, "screen", true);

        session.x().Type("SECRET");
        Expect(session.WaitForStatus(ScreenColour(kMatchColour)), "did not grant access");
        Shot(session, "granted");

        session.ClickControl(lblUmbrafold);
        Expect(session.WaitForHeight(kExpandedHeight), "did not expand");
        Shot(session, "expanded");

        session.x().Key("Return");
        session.WaitExit();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "umbrafold_wine_shots: %s\n", error.what());
        return 1;
    }
    return 0;
}
