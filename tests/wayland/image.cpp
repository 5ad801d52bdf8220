// PPM files and simple questions about pictures.
#include "image.h"

#include <algorithm>
#include <fstream>

namespace wayland {

Rect Image::FindDialog() const {
    const Rgb light{223, 223, 223};
    const auto run = [&](int x, int y, int dx, int dy) {
        int n = 0;
        while (x < width && y < height && At(x, y) == light) {
            ++n;
            x += dx;
            y += dy;
        }
        return n;
    };
    // The frame's top edge stops one short of the corner, where the black
    // right edge begins; a dialog is more than a few pixels each way.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (At(x, y) != light) continue;
            const int across = run(x, y, 1, 0), down = run(x, y, 0, 1);
            if (across >= 16 && down >= 16 && x + across < width && At(x + across, y) == Rgb{0, 0, 0})
                return {x, y, across + 1, down + 1};
            x += across;
        }
    return {0, 0, 0, 0};
}

int Image::Count(Rgb colour) const {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
}

Image Image::Crop(const Rect& r) const {
    Image out;
    out.width = r.w;
    out.height = r.h;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x)
            out.pixels.push_back(x >= 0 && y >= 0 && x < width && y < height ? At(x, y) : Rgb{});
    return out;
}

Image ReadPpm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, max = 0;
    if (!(in >> magic >> width >> height >> max) || magic != "P6" || max != 255) return {};
    in.get();  // the one whitespace after the header
    Image image;
    image.width = width;
    image.height = height;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(width * height * 3));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
    image.pixels.resize(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]};
    return image;
}

bool WritePpm(const std::string& path, const Image& image) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << " " << image.height << "\n255\n";
    for (const Rgb& p : image.pixels) {
        const char rgb[3] = {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b)};
        out.write(rgb, 3);
    }
    return static_cast<bool>(out);
}

}  // namespace wayland
