#include "reference_image.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "headless_screen.h"

namespace {

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

void put_le(std::ofstream& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool read_bmp(const std::string& path, Picture& picture, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        error = path + " is not a BMP file";
        return false;
    }
    const std::uint32_t data = le(b, 10, 4);
    const std::uint32_t header = le(b, 14, 4);
    const int width = static_cast<std::int32_t>(le(b, 18, 4));
    const int raw_height = static_cast<std::int32_t>(le(b, 22, 4));
    const int bits = static_cast<int>(le(b, 28, 2));
    const std::uint32_t compression = le(b, 30, 4);
    std::uint32_t colors = le(b, 46, 4);
    if (compression != 0 || width <= 0 || raw_height == 0 ||
        (bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        error = path + ": unsupported BMP layout";
        return false;
    }
    const bool bottom_up = raw_height > 0;
    const int height = bottom_up ? raw_height : -raw_height;
    if (colors == 0 && bits <= 8) colors = 1u << bits;
    std::vector<std::uint32_t> palette;
    const std::size_t palette_at = 14 + header;
    for (std::uint32_t i = 0; i < colors && bits <= 8; ++i) {
        if (palette_at + 4 * i + 3 > b.size()) break;
        palette.push_back(le(b, palette_at + 4 * i, 3));
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (data + stride * height > b.size()) {
        error = path + ": file too short";
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = data + stride * static_cast<std::size_t>(bottom_up ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            std::uint32_t rgb = 0;
            if (bits == 4) {
                unsigned char byte = b[row + x / 2];
                unsigned index = (x % 2 == 0) ? byte >> 4 : byte & 0x0F;
                rgb = index < palette.size() ? palette[index] : 0;
            } else if (bits == 8) {
                unsigned index = b[row + x];
                rgb = index < palette.size() ? palette[index] : 0;
            } else {
                rgb = le(b, row + static_cast<std::size_t>(x) * (bits / 8), 3);
            }
            picture.rgb[static_cast<std::size_t>(y) * width + x] = rgb & 0xFFFFFF;
        }
    }
    return true;
}

bool write_bmp24(const std::string& path, const Picture& p) {
    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(p.width) * 3 + 3) / 4) * 4;
    const std::uint32_t size = stride * static_cast<std::uint32_t>(p.height);
    out << "BM";
    put_le(out, 54 + size, 4);
    put_le(out, 0, 4);
    put_le(out, 54, 4);
    put_le(out, 40, 4);
    put_le(out, static_cast<std::uint32_t>(p.width), 4);
    put_le(out, static_cast<std::uint32_t>(p.height), 4);
    put_le(out, 1, 2);
    put_le(out, 24, 2);
    for (int i = 0; i < 6; ++i) put_le(out, 0, 4);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) put_le(out, p.rgb[static_cast<std::size_t>(y) * p.width + x], 3);
        for (std::uint32_t pad = static_cast<std::uint32_t>(p.width) * 3; pad < stride; ++pad) out.put(0);
    }
    return static_cast<bool>(out);
}

std::string compare_with_reference(const HeadlessScreen& screen, const std::string& name) {
    namespace fs = std::filesystem;
    const std::string fresh = name + ".bmp";
    if (!screen.save_bmp(fresh)) return "cannot save " + fresh;
    screen.save_png(name + ".png");
    const fs::path reference = fs::path(PLOT_VIEWS_REFERENCE_DIR) / fresh;

    const char* update = std::getenv("MTL_UPDATE_REFERENCE");
    if (update && std::string(update) == "1") {
        fs::create_directories(reference.parent_path());
        fs::copy_file(fresh, reference, fs::copy_options::overwrite_existing);
        return {};
    }

    Picture now, expected;
    std::string error;
    if (!read_bmp(fresh, now, error)) return error;
    if (!read_bmp(reference.string(), expected, error))
        return error + " (run with MTL_UPDATE_REFERENCE=1 to create it)";
    if (now.width != expected.width || now.height != expected.height)
        return "picture size differs from the reference";

    Picture diff = now;
    long differing = 0;
    for (std::size_t i = 0; i < now.rgb.size(); ++i) {
        if (now.rgb[i] != expected.rgb[i]) {
            ++differing;
            diff.rgb[i] = 0xFF0000;
        } else {
            const std::uint32_t c = now.rgb[i];
            diff.rgb[i] = ((c >> 2) & 0x3F3F3F);
        }
    }
    if (differing == 0) return {};
    const std::string diff_name = name + "_diff.bmp";
    write_bmp24(diff_name, diff);
    return std::to_string(differing) + " pixels differ from " + reference.string() + "; see " +
           (fs::current_path() / diff_name).string();
}
