#include "bitmap_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include "software_canvas.h"
#include "vga_palette.h"

namespace {

constexpr int FILE_HEADER_SIZE = 14;
constexpr int INFO_HEADER_SIZE = 40;
constexpr int BITS_PER_PIXEL = 4;
constexpr int PALETTE_SIZE = 64;
constexpr std::size_t LARGEST_FILE = 64u * 1024 * 1024;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint32_t get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    return in[at] | (in[at + 1] << 8);
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return get16(in, at) | (get16(in, at + 2) << 16);
}

std::size_t row_size(long width) {
    return static_cast<std::size_t>(((width * BITS_PER_PIXEL + 7) / 8 + 3) / 4 * 4);
}

}  // namespace

int nearest_vga_color(int red, int green, int blue) {
    int best = 0;
    long best_distance = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = red - VGA_PALETTE[i].red, dg = green - VGA_PALETTE[i].green,
                   db = blue - VGA_PALETTE[i].blue;
        const long distance = dr * dr + dg * dg + db * db;
        if (best_distance < 0 || distance < best_distance) {
            best = i;
            best_distance = distance;
        }
    }
    return best;
}

int write_bmp_image(const SoftwareCanvas& canvas, const std::string& path, int x1, int y1, int x2,
                    int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const long width = static_cast<long>(x2) - x1 + 1, height = static_cast<long>(y2) - y1 + 1;
    if (width > 0xFFFF || height > 0xFFFF) return -1;
    const std::size_t stride = row_size(width);
    const std::size_t image_bytes = stride * static_cast<std::size_t>(height);

    std::vector<std::uint8_t> out;
    out.reserve(FILE_HEADER_SIZE + INFO_HEADER_SIZE + PALETTE_SIZE + image_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<std::uint32_t>(FILE_HEADER_SIZE + INFO_HEADER_SIZE + PALETTE_SIZE + image_bytes));
    put16(out, 0);
    put16(out, 0);
    put32(out, FILE_HEADER_SIZE + INFO_HEADER_SIZE + PALETTE_SIZE);
    put32(out, INFO_HEADER_SIZE);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, BITS_PER_PIXEL);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(image_bytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 16);
    for (const Rgb& c : VGA_PALETTE) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    for (long row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> line(stride, 0);
        for (long col = 0; col < width; ++col) {
            const int c = canvas.pixel(static_cast<int>(x1 + col), static_cast<int>(y1 + row));
            line[col / 2] |= static_cast<std::uint8_t>(col % 2 == 0 ? c << 4 : c);
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return -1;
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    return file ? 0 : -1;
}

int draw_bmp_file(SoftwareCanvas& canvas, const std::string& path, int x, int y,
                  const PixelRect& clip) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return -1;
    std::vector<std::uint8_t> in;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        in.insert(in.end(), buffer, buffer + file.gcount());
        if (in.size() > LARGEST_FILE) return -2;
    }
    if (in.size() < FILE_HEADER_SIZE + INFO_HEADER_SIZE || in[0] != 'B' || in[1] != 'M') return -3;
    if (get32(in, 14) != INFO_HEADER_SIZE) return -4;
    const auto width = static_cast<std::int32_t>(get32(in, 18));
    const auto height = static_cast<std::int32_t>(get32(in, 22));
    if (get16(in, 26) != 1 || get16(in, 28) != BITS_PER_PIXEL || get32(in, 30) != 0) return -5;
    if (width <= 0 || height <= 0 || width > canvas.width() || height > canvas.height()) return -6;
    const std::size_t palette_at = FILE_HEADER_SIZE + INFO_HEADER_SIZE;
    const std::size_t pixels_at = palette_at + PALETTE_SIZE;
    const std::size_t stride = row_size(width);
    if (in.size() < pixels_at + stride * static_cast<std::size_t>(height)) return -7;

    std::array<int, 16> colors{};
    for (int i = 0; i < 16; ++i) {
        const std::size_t at = palette_at + 4 * static_cast<std::size_t>(i);
        colors[i] = nearest_vga_color(in[at + 2], in[at + 1], in[at]);
    }
    // The part of the picture inside the clipping rectangle.
    const PixelRect shown{std::max(x, clip.x1), std::max(y, clip.y1),
                          std::min(x + width - 1, clip.x2), std::min(y + height - 1, clip.y2)};
    for (long sy = shown.y1; sy <= shown.y2; ++sy) {
        const long row = sy - y;
        const std::size_t line = pixels_at + stride * static_cast<std::size_t>(height - 1 - row);
        for (long sx = shown.x1; sx <= shown.x2; ++sx) {
            const long col = sx - x;
            const std::uint8_t byte = in[line + col / 2];
            const int index = col % 2 == 0 ? byte >> 4 : byte & 15;
            canvas.set_pixel(static_cast<int>(sx), static_cast<int>(sy), colors[index]);
        }
    }
    if (!shown.empty()) canvas.forget_text(shown);
    return 0;
}
