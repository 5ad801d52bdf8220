// Reading one resource from the database's text, with the resource
// manager's rules for tight (.) and loose (*) bindings and ? wildcards.
#include "platform/x11/XftDpi.h"

#include <cstdlib>
#include <string>

namespace x11 {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// How closely an entry names Xft.dpi; 0 where it does not. Earlier levels
// count first: the program level named outright, then by ?, then skipped
// by a loose binding; then at the last level the name before the class,
// and a tight binding before a loose one.
int closeness(std::string_view key) {
    bool loose = false;
    if (!key.empty() && key.front() == '*') {
        loose = true;
        key.remove_prefix(1);
    } else if (!key.empty() && key.front() == '.') {
        key.remove_prefix(1);
    }
    const std::size_t cut = key.find_first_of(".*");
    int first = 0;  // the "Xft" level skipped
    std::string_view last = key;
    if (cut != std::string_view::npos) {
        const std::string_view program = key.substr(0, cut);
        if (program == "Xft")
            first = 2;
        else if (program == "?")
            first = 1;
        else
            return 0;
        loose = key[cut] == '*';
        last = key.substr(cut + 1);
    } else if (!loose) {
        return 0;  // a bare "dpi" names a resource of no program
    }
    int level = 0;
    if (last == "dpi")
        level = 3;
    else if (last == "Dpi")
        level = 2;
    else if (last == "?")
        level = 1;
    else
        return 0;
    return first * 8 + level * 2 + (loose ? 0 : 1) + 1;
}

}  // namespace

double xft_dpi(std::string_view database, double fallback) {
    double dpi = fallback;
    int best = 0;
    while (!database.empty()) {
        const std::size_t end = database.find('\n');
        std::string_view line = database.substr(0, end);
        database = end == std::string_view::npos ? std::string_view() : database.substr(end + 1);
        line = trim(line);
        const std::size_t colon = line.find(':');
        if (line.empty() || line.front() == '!' || colon == std::string_view::npos) continue;
        const int score = closeness(trim(line.substr(0, colon)));
        if (score == 0 || score < best) continue;
        const std::string value(trim(line.substr(colon + 1)));
        char* rest = nullptr;
        const double parsed = std::strtod(value.c_str(), &rest);
        if (rest == value.c_str() || parsed < 24 || parsed > 960) continue;
        best = score;
        dpi = parsed;
    }
    return dpi;
}

}  // namespace x11
