// Turns the program's XPM icons into one Windows .ico file at build time:
//   xpm2ico out.ico umbrafold-32.xpm umbrafold-16.xpm
// Each XPM becomes one image of 16 colours, its "None" pixels transparent.
// It is built for the machine that runs the build, not for the target.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
};

// The sixteen colours every Windows display of the era has.
const Rgb kPalette[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
constexpr int kTransparent = -1;

struct Image {
    int width = 0, height = 0;
    std::vector<int> pixels;  // palette indexes, kTransparent where none
};

int nearest(const Rgb& c) {
    int best = 0, best_distance = 1 << 30;
    for (int i = 0; i < 16; ++i) {
        const int dr = c.r - kPalette[i].r, dg = c.g - kPalette[i].g, db = c.b - kPalette[i].b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) best = i, best_distance = distance;
    }
    return best;
}

// The quoted strings of the XPM, in order; that is all the format holds.
std::vector<std::string> quoted_strings(const std::string& text) {
    std::vector<std::string> strings;
    for (std::size_t at = text.find('"'); at != std::string::npos; at = text.find('"', at)) {
        const std::size_t end = text.find('"', at + 1);
        if (end == std::string::npos) throw std::runtime_error("unterminated string");
        strings.push_back(text.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return strings;
}

int colour_index(const std::string& definition) {
    // A colour line holds key/value pairs; only the "c" (colour) key counts.
    std::istringstream words(definition);
    std::string key, value;
    while (words >> key >> value) {
        if (key != "c") continue;
        if (value == "None" || value == "none") return kTransparent;
        if (value.size() != 7 || value[0] != '#') throw std::runtime_error("colour not #RRGGBB: " + value);
        const unsigned long rgb = std::stoul(value.substr(1), nullptr, 16);
        return nearest({int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)});
    }
    throw std::runtime_error("colour line without a c key");
}

Image read_xpm(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot open");
    std::stringstream text;
    text << file.rdbuf();
    const std::vector<std::string> strings = quoted_strings(text.str());
    if (strings.empty()) throw std::runtime_error("no XPM values");

    Image image;
    int colours = 0, chars = 0;
    if (std::sscanf(strings[0].c_str(), "%d %d %d %d", &image.width, &image.height, &colours, &chars) != 4 ||
        image.width <= 0 || image.width > 255 || image.height <= 0 || image.height > 255 || chars <= 0)
        throw std::runtime_error("bad XPM values line");
    if (strings.size() < std::size_t(1 + colours + image.height)) throw std::runtime_error("too few lines");

    std::map<std::string, int> table;
    for (int i = 1; i <= colours; ++i)
        table[strings[i].substr(0, chars)] = colour_index(strings[i].substr(chars));
    for (int y = 0; y < image.height; ++y) {
        const std::string& row = strings[1 + colours + y];
        if (row.size() != std::size_t(image.width * chars)) throw std::runtime_error("row of wrong width");
        for (int x = 0; x < image.width; ++x) {
            const auto found = table.find(row.substr(x * chars, chars));
            if (found == table.end()) throw std::runtime_error("pixel of unknown colour");
            image.pixels.push_back(found->second);
        }
    }
    return image;
}

void put16(std::string& out, unsigned v) { out += char(v & 0xFF), out += char(v >> 8 & 0xFF); }
void put32(std::string& out, unsigned v) { put16(out, v & 0xFFFF), put16(out, v >> 16); }

// A device-independent bitmap as icons store it: the header with twice the
// height, the palette, the colour rows, then the transparency mask, both
// bottom-up and padded to four bytes per row.
std::string icon_bitmap(const Image& image) {
    const unsigned colour_row = (unsigned(image.width) * 4 + 31) / 32 * 4;
    const unsigned mask_row = (unsigned(image.width) + 31) / 32 * 4;
    std::string out;
    put32(out, 40), put32(out, image.width), put32(out, image.height * 2);
    put16(out, 1), put16(out, 4), put32(out, 0);
    put32(out, (colour_row + mask_row) * image.height);
    put32(out, 0), put32(out, 0), put32(out, 16), put32(out, 0);
    for (const Rgb& c : kPalette) out += char(c.b), out += char(c.g), out += char(c.r), out += '\0';

    std::string colour_bits, mask_bits;
    for (int y = image.height - 1; y >= 0; --y) {
        std::string colour(colour_row, '\0'), mask(mask_row, '\0');
        for (int x = 0; x < image.width; ++x) {
            const int pixel = image.pixels[y * image.width + x];
            if (pixel == kTransparent) mask[x / 8] = char(mask[x / 8] | 0x80 >> x % 8);
            const int index = pixel == kTransparent ? 0 : pixel;
            colour[x / 2] = char(colour[x / 2] | (x % 2 ? index : index << 4));
        }
        colour_bits += colour, mask_bits += mask;
    }
    return out + colour_bits + mask_bits;
}

std::string icon_file(const std::vector<Image>& images) {
    std::string header, bitmaps;
    put16(header, 0), put16(header, 1), put16(header, unsigned(images.size()));
    unsigned offset = 6 + 16 * unsigned(images.size());
    for (const Image& image : images) {
        const std::string bitmap = icon_bitmap(image);
        header += char(image.width), header += char(image.height), header += char(16), header += '\0';
        put16(header, 1), put16(header, 4), put32(header, unsigned(bitmap.size())), put32(header, offset);
        offset += unsigned(bitmap.size());
        bitmaps += bitmap;
    }
    return header + bitmaps;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xpm2ico OUT.ico IN.xpm...\n");
        return 2;
    }
    std::vector<Image> images;
    for (int i = 2; i < argc; ++i) {
        try {
            images.push_back(read_xpm(argv[i]));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "xpm2ico: %s: %s\n", argv[i], error.what());
            return 1;
        }
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << icon_file(images);
    if (!out.flush()) {
        std::fprintf(stderr, "xpm2ico: %s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
