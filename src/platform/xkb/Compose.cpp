// The locale's compose table, read on demand.
#include "platform/xkb/Compose.h"

#include <cstdlib>

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include "lock/SecretText.h"
#include "platform/dialog/Utf8.h"

namespace keys {
namespace {

bool starts_sequence(std::uint32_t keysym) {
    return keysym == XKB_KEY_Multi_key || (keysym >= XKB_KEY_dead_grave && keysym <= XKB_KEY_dead_greek);
}

// The locale the user's programs compose in, as the C library would pick
// it; xkbcommon reads the matching table from the X locale files.
const char* user_locale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return "C";
}

}  // namespace

Composer::~Composer() {
    if (state_) xkb_compose_state_unref(state_);
}

bool Composer::load() {
    tried_ = true;
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
    if (!context) return false;
    // A locale without a table of its own composes as the C locale does,
    // and says nothing about it on stderr.
    xkb_context_set_log_level(context, XKB_LOG_LEVEL_CRITICAL);
    xkb_compose_table* table = nullptr;
    for (const char* locale : {user_locale(), "C"})
        if (!table) table = xkb_compose_table_new_from_locale(context, locale, XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (table) {
        state_ = xkb_compose_state_new(table, XKB_COMPOSE_STATE_NO_FLAGS);
        xkb_compose_table_unref(table);
    }
    xkb_context_unref(context);
    return state_ != nullptr;
}

bool Composer::type(std::uint32_t keysym, char32_t code_point, dialog::Key* key) {
    key->keysym = keysym;
    key->code_point = code_point;
    if (!state_ && (tried_ || !starts_sequence(keysym) || !load())) return true;
    if (xkb_compose_state_feed(state_, keysym) == XKB_COMPOSE_FEED_IGNORED) return true;
    switch (xkb_compose_state_get_status(state_)) {
    case XKB_COMPOSE_NOTHING: return true;
    case XKB_COMPOSE_COMPOSING: return false;
    case XKB_COMPOSE_CANCELLED: xkb_compose_state_reset(state_); return false;
    case XKB_COMPOSE_COMPOSED: break;
    }
    key->keysym = xkb_compose_state_get_one_sym(state_);
    char utf8[16];
    const int length = xkb_compose_state_get_utf8(state_, utf8, sizeof utf8);
    std::size_t at = 0;
    key->code_point = length > 0 ? dialog::decode_utf8(std::string_view(utf8, static_cast<std::size_t>(length)), &at)
                                 : xkb_keysym_to_utf32(key->keysym);
    WipeBytes(utf8, sizeof utf8);
    xkb_compose_state_reset(state_);
    return true;
}

}  // namespace keys
