// Lower-casing for the password comparison.
#include <clocale>
#include <cwctype>
#include <locale.h>

#include "platform/ui.h"
#include "platform/dialog/Utf8.h"

namespace ui {

// Unicode's simple lower-case mapping, character by character, whatever
// locale the program was started in: the same password must open the lock
// under any LANG.
SecretText lower_case(const SecretText& text) {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    SecretText out;
    const std::string_view in = text.view();
    std::size_t at = 0;
    while (at < in.size()) {
        char32_t c = dialog::decode_utf8(in, &at);
        if (utf8) c = static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8));
        dialog::append_utf8(out, c);
        WipeBytes(&c, sizeof c);
    }
    return out;
}

}  // namespace ui
