// Build-time generator: turns one of the program's XPM icons into a PNG for
// the icon theme, or the icons into a C++ header of their ARGB pixels, which
// the X11 program sets as its window icon and paints in its About panel.
//
// Usage: xpm2png INPUT.xpm OUTPUT.png
//        xpm2png --argb-header OUTPUT.h INPUT.xpm...
//
// It reads the XPM subset the icons use (a colour key "c" with "None" or a
// #RGB/#RRGGBB/#RRRRGGGGBBBB value) and writes an 8-bit RGBA PNG. The image
// data is stored in uncompressed deflate blocks: the icons are tiny, and this
// keeps the generator free of any library and its output byte-for-byte
// reproducible.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Rgba {
    std::uint8_t r, g, b, a;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
};

// The quoted strings of an XPM file, in order; comments are skipped.
std::vector<std::string> quotedStrings(const std::string& text)
{
    std::vector<std::string> strings;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string::npos)
                throw std::runtime_error("unterminated comment");
            i = end + 1;
        } else if (text[i] == '"') {
            const std::size_t end = text.find('"', i + 1);
            if (end == std::string::npos)
                throw std::runtime_error("unterminated string");
            strings.push_back(text.substr(i + 1, end - i - 1));
            i = end;
        }
    }
    return strings;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::runtime_error(std::string("bad hex digit '") + c + "'");
}

Rgba parseColour(const std::string& value)
{
    if (value == "None" || value == "none")
        return {0, 0, 0, 0};
    if (value.empty() || value[0] != '#')
        throw std::runtime_error("unsupported colour '" + value + "' (use #RRGGBB or None)");
    const std::string digits = value.substr(1);
    if (digits.size() != 3 && digits.size() != 6 && digits.size() != 12)
        throw std::runtime_error("unsupported colour '" + value + "'");
    const std::size_t per = digits.size() / 3;
    std::array<std::uint8_t, 3> rgb{};
    for (std::size_t c = 0; c < 3; ++c) {
        // Keep the most significant byte; a single digit is repeated (#F00 = #FF0000).
        const int high = hexDigit(digits[c * per]);
        const int low = per == 1 ? high : hexDigit(digits[c * per + 1]);
        rgb[c] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return {rgb[0], rgb[1], rgb[2], 255};
}

Image parseXpm(const std::string& text)
{
    const std::vector<std::string> strings = quotedStrings(text);
    if (strings.empty())
        throw std::runtime_error("no XPM values");
    std::istringstream header(strings[0]);
    int colours = 0;
    std::size_t charsPerPixel = 0;
    Image image;
    if (!(header >> image.width >> image.height >> colours >> charsPerPixel) || image.width <= 0
        || image.height <= 0 || colours <= 0 || charsPerPixel == 0)
        throw std::runtime_error("bad XPM header '" + strings[0] + "'");
    if (strings.size() < 1 + static_cast<std::size_t>(colours) + static_cast<std::size_t>(image.height))
        throw std::runtime_error("XPM is shorter than its header says");

    std::map<std::string, Rgba> palette;
    for (int i = 1; i <= colours; ++i) {
        const std::string& line = strings[static_cast<std::size_t>(i)];
        if (line.size() < charsPerPixel)
            throw std::runtime_error("bad colour line '" + line + "'");
        std::istringstream rest(line.substr(charsPerPixel));
        std::string key, value;
        bool found = false;
        while (rest >> key >> value) {
            if (key == "c") {
                palette[line.substr(0, charsPerPixel)] = parseColour(value);
                found = true;
                break;
            }
        }
        if (!found)
            throw std::runtime_error("colour line without a 'c' value: '" + line + "'");
    }

    for (int y = 0; y < image.height; ++y) {
        const std::string& row = strings[1 + static_cast<std::size_t>(colours) + static_cast<std::size_t>(y)];
        if (row.size() != static_cast<std::size_t>(image.width) * charsPerPixel)
            throw std::runtime_error("row " + std::to_string(y) + " has the wrong length");
        for (std::size_t x = 0; x < row.size(); x += charsPerPixel) {
            const auto colour = palette.find(row.substr(x, charsPerPixel));
            if (colour == palette.end())
                throw std::runtime_error("row " + std::to_string(y) + " uses an undefined colour");
            image.pixels.push_back(colour->second);
        }
    }
    return image;
}

std::uint32_t crc32(const std::string& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(ch)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void putBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

void putChunk(std::string& out, const char* type, const std::string& data)
{
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    putBigEndian(out, crc32(body));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::string zlibStored(const std::string& raw)
{
    std::string out("\x78\x01", 2);
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - offset, 65535);
        const bool last = offset + length == raw.size();
        out.push_back(last ? '\x01' : '\x00');
        out.push_back(static_cast<char>(length & 0xFFu));
        out.push_back(static_cast<char>(length >> 8));
        out.push_back(static_cast<char>(~length & 0xFFu));
        out.push_back(static_cast<char>((~length >> 8) & 0xFFu));
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());

    std::uint32_t a = 1, b = 0;
    for (const char ch : raw) {
        a = (a + static_cast<std::uint8_t>(ch)) % 65521u;
        b = (b + a) % 65521u;
    }
    putBigEndian(out, (b << 16) | a);
    return out;
}

std::string encodePng(const Image& image)
{
    std::string header;
    putBigEndian(header, static_cast<std::uint32_t>(image.width));
    putBigEndian(header, static_cast<std::uint32_t>(image.height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace

    std::string raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back('\0');  // filter type None for every row
        for (int x = 0; x < image.width; ++x) {
            const Rgba& p = image.pixels[static_cast<std::size_t>(y * image.width + x)];
            raw += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b), static_cast<char>(p.a)};
        }
    }

    std::string png("\x89PNG\r\n\x1a\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlibStored(raw));
    putChunk(png, "IEND", "");
    return png;
}

// Each image as _NET_WM_ICON holds it: width, height, then one 0xAARRGGBB
// value a pixel, row by row; named umbrafold_argb_<width>.
std::string argbHeader(const std::vector<Image>& images)
{
    std::string out =
        "// Generated by xpm2png from the program's XPM icons; do not edit.\n"
        "// Each as _NET_WM_ICON holds it: width, height, then one 0xAARRGGBB value\n"
        "// a pixel, row by row.\n"
        "#pragma once\n"
        "\n"
        "#include <cstdint>\n";
    char value[16];
    for (const Image& image : images) {
        out += "\ninline constexpr std::uint32_t umbrafold_argb_" + std::to_string(image.width) + "[] = {\n    "
            + std::to_string(image.width) + ", " + std::to_string(image.height) + ",";
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const Rgba& p = image.pixels[i];
            std::snprintf(value, sizeof value, "0x%02X%02X%02X%02X,", p.a, p.r, p.g, p.b);
            out += (i % 8 == 0 ? "\n    " : " ") + std::string(value);
        }
        out += "\n};\n";
    }
    return out;
}

std::string readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read the file");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv)
{
    const bool header = argc >= 4 && std::string(argv[1]) == "--argb-header";
    if (!header && argc != 3) {
        std::fprintf(stderr, "usage: xpm2png INPUT.xpm OUTPUT.png\n"
                             "       xpm2png --argb-header OUTPUT.h INPUT.xpm...\n");
        return 2;
    }
    const char* output = argv[2];
    const char* input = argv[1];
    std::string bytes;
    try {
        if (header) {
            std::vector<Image> images;
            for (int i = 3; i < argc; ++i) {
                input = argv[i];
                images.push_back(parseXpm(readFile(input)));
            }
            bytes = argbHeader(images);
        } else {
            bytes = encodePng(parseXpm(readFile(input)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "xpm2png: %s: %s\n", input, e.what());
        return 1;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush()) {
        std::fprintf(stderr, "xpm2png: %s: cannot write the file\n", output);
        return 1;
    }
    return 0;
}
