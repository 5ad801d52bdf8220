// The two-file fontconfig configuration.
#include "platform/fonts/LeanConfig.h"

#include <fontconfig/fontconfig.h>

#include "platform/fonts/LeanFiles.h"

namespace fonts {

bool use_lean_font_config() {
    const FontFiles files = lean_font_files();
    if (!files) return false;
    FcConfig* config = FcConfigCreate();
    if (!config) return false;
    // A later FcInit finds a configuration and loads no other. Fontconfig
    // holds the current one by a reference of its own; ours goes.
    const bool set = FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(files.regular)) &&
                     FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(files.bold)) &&
                     FcConfigSetCurrent(config);
    FcConfigDestroy(config);
    return set;
}

}  // namespace fonts
