// The two-file fontconfig configuration.
#include "platform/fonts/LeanConfig.h"

#include <fontconfig/fontconfig.h>

#include "platform/fonts/LeanFiles.h"

namespace fonts {

bool use_lean_font_config() {
    const FontFiles files = lean_font_files();
    if (!files) return false;
    FcConfig* config = FcConfigCreate();
    if (config && FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(files.regular)) &&
        FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(files.bold)) && FcConfigSetCurrent(config))
        return true;  // a later FcInit finds a configuration and loads no other
    if (config) FcConfigDestroy(config);
    return false;
}

}  // namespace fonts
