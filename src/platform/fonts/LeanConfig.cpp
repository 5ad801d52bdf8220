// The two-file fontconfig configuration.
#include "platform/fonts/LeanConfig.h"

#include <unistd.h>

#include <fontconfig/fontconfig.h>

namespace fonts {

bool use_lean_font_config() {
    static const char* const kFaces[][2] = {
        {"/usr/share/fonts/truetype/msttcorefonts/Arial.ttf",
         "/usr/share/fonts/truetype/msttcorefonts/Arial_Bold.ttf"},
        {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
         "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"},
    };
    for (const auto& pair : kFaces) {
        if (access(pair[0], R_OK) != 0 || access(pair[1], R_OK) != 0) continue;
        FcConfig* config = FcConfigCreate();
        if (config && FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(pair[0])) &&
            FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(pair[1])) &&
            FcConfigSetCurrent(config))
            return true;  // a later FcInit finds a configuration and loads no other
        if (config) FcConfigDestroy(config);
    }
    return false;
}

}  // namespace fonts
