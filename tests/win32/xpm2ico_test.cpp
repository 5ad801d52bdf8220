// The build's XPM to ICO converter: every pixel of the program icon comes
// out with its colour or its transparency, in the layout Windows reads.
#include <gtest/gtest.h>

#include <X11/xpm.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTool = XPM2ICO;
const std::string kResources = RESOURCES_DIR;
const std::string kWork = WORK_DIR;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// One image of an .ico file, read the way the system reads it.
struct IcoImage {
    int width, height, colours, bits;
    std::vector<Rgb> palette;
    std::string colour_bits, mask_bits;

    bool Transparent(int x, int y) const {
        const int row = (width + 31) / 32 * 4;
        const unsigned char byte = mask_bits[(height - 1 - y) * row + x / 8];
        return byte & (0x80 >> x % 8);
    }
    Rgb Colour(int x, int y) const {
        const int row = (width * 4 + 31) / 32 * 4;
        const unsigned char byte = colour_bits[(height - 1 - y) * row + x / 2];
        return palette[x % 2 ? byte & 0x0F : byte >> 4];
    }
};

unsigned Le(const std::string& s, std::size_t at, int bytes) {
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s.at(at + i));
    return v;
}

std::vector<IcoImage> ReadIco(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string s = bytes.str();
    EXPECT_EQ(Le(s, 0, 2), 0u);
    EXPECT_EQ(Le(s, 2, 2), 1u);  // an icon, not a cursor
    std::vector<IcoImage> images;
    for (unsigned i = 0; i < Le(s, 4, 2); ++i) {
        const std::size_t entry = 6 + 16 * i;
        IcoImage image{static_cast<unsigned char>(s[entry]), static_cast<unsigned char>(s[entry + 1]),
                       static_cast<unsigned char>(s[entry + 2]), int(Le(s, entry + 6, 2)), {}, {}, {}};
        const std::size_t size = Le(s, entry + 8, 4), at = Le(s, entry + 12, 4);
        EXPECT_EQ(Le(s, at, 4), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(int(Le(s, at + 4, 4)), image.width);
        EXPECT_EQ(int(Le(s, at + 8, 4)), image.height * 2);  // colour rows and mask
        EXPECT_EQ(int(Le(s, at + 14, 2)), image.bits);
        for (int c = 0; c < 16; ++c) {
            const std::size_t p = at + 40 + 4 * c;
            image.palette.push_back({static_cast<unsigned char>(s[p + 2]),
                                     static_cast<unsigned char>(s[p + 1]), static_cast<unsigned char>(s[p])});
        }
        const std::size_t colour_size = (image.width * 4 + 31) / 32 * 4 * image.height;
        const std::size_t mask_size = (image.width + 31) / 32 * 4 * image.height;
        EXPECT_EQ(size, 40 + 64 + colour_size + mask_size);
        image.colour_bits = s.substr(at + 104, colour_size);
        image.mask_bits = s.substr(at + 104 + colour_size, mask_size);
        images.push_back(image);
    }
    return images;
}

int Convert(const std::string& out, const std::vector<std::string>& inputs) {
    std::string command = kTool + " " + out;
    for (const std::string& input : inputs) command += " " + input;
    return std::system((command + " 2>/dev/null").c_str());
}

// The XPM as libXpm reads it, as the reference for every pixel.
void ExpectSamePixels(const std::string& xpm_path, const IcoImage& ico) {
    XpmImage xpm;
    ASSERT_EQ(XpmReadFileToXpmImage(const_cast<char*>(xpm_path.c_str()), &xpm, nullptr), XpmSuccess);
    ASSERT_EQ(ico.width, int(xpm.width));
    ASSERT_EQ(ico.height, int(xpm.height));
    for (int y = 0; y < ico.height; ++y) {
        for (int x = 0; x < ico.width; ++x) {
            const std::string value = xpm.colorTable[xpm.data[y * xpm.width + x]].c_color;
            if (value == "None") {
                EXPECT_TRUE(ico.Transparent(x, y)) << "pixel " << x << "," << y;
                continue;
            }
            const unsigned long rgb = std::stoul(value.substr(1), nullptr, 16);
            const Rgb want{int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
            EXPECT_FALSE(ico.Transparent(x, y)) << "pixel " << x << "," << y;
            EXPECT_TRUE(ico.Colour(x, y) == want) << "pixel " << x << "," << y << " of " << xpm_path;
        }
    }
    XpmFreeXpmImage(&xpm);
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

TEST(Xpm2Ico, ProgramIconHasBothSizesInSixteenColours) {
    const std::string out = kWork + "/program.ico";
    ASSERT_EQ(Convert(out, {kResources + "/umbrafold-32.xpm", kResources + "/umbrafold-16.xpm"}), 0);
    const std::vector<IcoImage> images = ReadIco(out);
    ASSERT_EQ(images.size(), 2u);
    for (const IcoImage& image : images) {
        EXPECT_EQ(image.colours, 16);
        EXPECT_EQ(image.bits, 4);
    }
    ExpectSamePixels(kResources + "/umbrafold-32.xpm", images[0]);
    ExpectSamePixels(kResources + "/umbrafold-16.xpm", images[1]);
}

// An odd width and two characters per pixel exercise the row padding, the
// nibble order and the bottom-up row order.
TEST(Xpm2Ico, OddWidthAndTwoCharactersPerPixel) {
    const std::string in = kWork + "/odd.xpm", out = kWork + "/odd.ico";
    Write(in,
          "/* XPM */\nstatic const char* odd[] = {\n\"3 2 3 2\",\n\"  c None\",\n\"rr c #FF0000\",\n"
          "\"bb c #0000FF\",\n\"rr  bb\",\n\"bbrr  \"\n};\n");
    ASSERT_EQ(Convert(out, {in}), 0);
    const std::vector<IcoImage> images = ReadIco(out);
    ASSERT_EQ(images.size(), 1u);
    ExpectSamePixels(in, images[0]);
}

TEST(Xpm2Ico, RefusesBrokenInput) {
    const std::string in = kWork + "/broken.xpm";
    Write(in, "/* XPM */\nstatic const char* b[] = {\n\"2 1 1 1\",\n\"a c #000000\",\n\"ab\"\n};\n");
    EXPECT_NE(Convert(kWork + "/broken.ico", {in}), 0);  // b has no colour
    EXPECT_NE(Convert(kWork + "/missing.ico", {kWork + "/no-such.xpm"}), 0);
}

}  // namespace
