// make-images: draws the program's toolbar strips and icons and writes them
// into a folder (resources/ of the source tree).
//   make-images DIRECTORY
// toolbar.bmp   the main toolbar: 7 images of 16 x 15 (back, forward, up,
//               the three pane layouts, the letters SMF)
// channels.bmp  the channel toolbar: 20 images of 16 x 15 (the options'
//               channel set, CH 1 to CH 16, copy, complete reading, lengths
//               at 480 ticks per quarter)
// velmora.ico, frame.ico, options.ico: the program's, the frames' and the
//               options pages' icons, 16 x 16 and 32 x 32.
// Light grey (192, 192, 192) is the toolbar strips' background: the toolbar
// shows the button face colour there.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/WriteBytes.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

const Rgba kFace{192, 192, 192, 255};
const Rgba kClear{0, 0, 0, 0};
const Rgba kBlack{0, 0, 0, 255};
const Rgba kWhite{255, 255, 255, 255};
const Rgba kGrey{128, 128, 128, 255};
const Rgba kNavy{0, 0, 128, 255};
const Rgba kBlue{48, 96, 200, 255};
const Rgba kSky{150, 190, 240, 255};
const Rgba kGreen{0, 128, 0, 255};
const Rgba kYellow{240, 200, 64, 255};
const Rgba kOchre{160, 120, 0, 255};
const Rgba kRed{192, 32, 32, 255};

class Canvas {
public:
    Canvas(int width, int height, Rgba fill) : w_(width), h_(height), px_(size_t(width) * height, fill) {}

    int width() const { return w_; }
    int height() const { return h_; }
    Rgba at(int x, int y) const { return px_[size_t(y) * w_ + x]; }

    void dot(int x, int y, Rgba c)
    {
        if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[size_t(y) * w_ + x] = c;
    }
    void fill(int x, int y, int w, int h, Rgba c)
    {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) dot(i, j, c);
    }
    void frame(int x, int y, int w, int h, Rgba c)
    {
        fill(x, y, w, 1, c);
        fill(x, y + h - 1, w, 1, c);
        fill(x, y, 1, h, c);
        fill(x + w - 1, y, 1, h, c);
    }
    // Text in a 3 x 5 pixel font, one column between letters.
    void text(int x, int y, const std::string& s, Rgba c)
    {
        for (char ch : s) {
            const char* g = Glyph(ch);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (g[row * 3 + col] == '#') dot(x + col, y + row, c);
            x += 4;
        }
    }
    // Pastes another canvas at (x, y).
    void paste(const Canvas& o, int x, int y)
    {
        for (int j = 0; j < o.h_; ++j)
            for (int i = 0; i < o.w_; ++i) dot(x + i, y + j, o.at(i, j));
    }

private:
    static const char* Glyph(char c)
    {
        switch (c) {
        case '0': return "####.##.##.####";
        case '1': return ".#.##..#..#.###";
        case '2': return "###..#####..###";
        case '3': return "###..####..####";
        case '4': return "#.##.####..#..#";
        case '5': return "####..###..####";
        case '6': return "####..####.####";
        case '7': return "###..#..#.#..#.";
        case '8': return "####.#####.####";
        case '9': return "####.####..####";
        case 'C': return "####..#..#..###";
        case 'H': return "#.##.#####.##.#";
        case 'S': return "####..###..####";
        case 'M': return "#.########.##.#";
        case 'F': return "####..##.#..#..";
        case 'b': return "#..#..####.####";
        case 'd': return "..#..#####.####";
        default: return "...............";
        }
    }

    int w_, h_;
    std::vector<Rgba> px_;
};

// A horizontal arrow: a triangle head and a shaft, pointing left or right.
Canvas Arrow(bool left)
{
    Canvas c(16, 15, kFace);
    for (int i = 0; i < 6; ++i) {
        const int x = left ? 2 + i : 13 - i;
        c.fill(x, 7 - i, 1, 2 * i + 1, i == 5 ? kBlack : kGreen);
        c.dot(x, 7 - i, kBlack);
        c.dot(x, 7 + i, kBlack);
    }
    c.fill(left ? 8 : 3, 5, 5, 5, kGreen);
    c.fill(left ? 8 : 3, 4, 5, 1, kBlack);
    c.fill(left ? 8 : 3, 10, 5, 1, kBlack);
    c.fill(left ? 12 : 3, 4, 1, 7, kBlack);
    return c;
}

Canvas FolderUp()
{
    Canvas c(16, 15, kFace);
    c.fill(1, 4, 6, 2, kYellow);
    c.frame(1, 4, 6, 2, kOchre);
    c.fill(1, 6, 14, 8, kYellow);
    c.frame(1, 6, 14, 8, kOchre);
    // The arrow pointing up out of the folder.
    for (int i = 0; i < 4; ++i) c.fill(10 - i, 1 + i, 2 * i + 1, 1, kBlack);
    c.fill(9, 5, 3, 6, kBlack);
    return c;
}

// A window with its panes; the marked pane is drawn in blue.
enum class Pane { Left, LowerRight, Bottom };

Canvas Layout(Pane marked)
{
    Canvas c(16, 15, kFace);
    c.fill(1, 1, 14, 13, kWhite);
    c.frame(1, 1, 14, 13, kBlack);
    c.fill(2, 2, 12, 2, kNavy);                                            // caption
    c.fill(2, 11, 12, 2, marked == Pane::Bottom ? kBlue : kGrey);          // status bar
    c.fill(2, 4, 4, 7, marked == Pane::Left ? kBlue : kSky);               // tree
    c.fill(6, 4, 1, 7, kBlack);
    c.fill(7, 4, 7, 3, kSky);                                              // list
    c.fill(7, 7, 7, 1, kBlack);
    c.fill(7, 8, 7, 3, marked == Pane::LowerRight ? kBlue : kSky);        // data view
    return c;
}

Canvas Smf()
{
    Canvas c(16, 15, kFace);
    c.fill(1, 3, 14, 9, kWhite);
    c.frame(1, 3, 14, 9, kGrey);
    c.text(2, 5, "SMF", kRed);
    return c;
}

Canvas ChannelSet()
{
    // A checklist: three ticked lines.
    Canvas c(16, 15, kFace);
    c.fill(2, 1, 12, 13, kWhite);
    c.frame(2, 1, 12, 13, kGrey);
    for (int row = 0; row < 3; ++row) {
        const int y = 3 + row * 4;
        c.dot(4, y + 1, kGreen);
        c.dot(5, y + 2, kGreen);
        c.dot(6, y + 1, kGreen);
        c.dot(7, y, kGreen);
        c.fill(9, y + 1, 3, 1, kBlack);
    }
    return c;
}

Canvas Channel(int n)
{
    Canvas c(16, 15, kFace);
    c.text(2, 1, "CH", kNavy);
    const std::string digits = std::to_string(n);
    c.text(digits.size() == 1 ? 10 : 6, 8, digits, kBlack);
    return c;
}

Canvas CompleteReading()
{
    // Three tracks joined into one: bars, a brace, an arrow.
    Canvas c(16, 15, kFace);
    c.fill(1, 2, 7, 2, kNavy);
    c.fill(1, 6, 7, 2, kGreen);
    c.fill(1, 10, 7, 2, kRed);
    c.fill(9, 2, 1, 10, kBlack);
    c.fill(10, 6, 4, 2, kBlack);
    for (int k = 0; k < 3; ++k) c.fill(12 + k, 4 + k, 1, 6 - 2 * k, kBlack);
    return c;
}

Canvas Normalize()
{
    // "480" over a ruler whose notes sit on its quarter ticks.
    Canvas c(16, 15, kFace);
    c.text(2, 1, "480", kNavy);
    c.fill(1, 13, 14, 1, kBlack);
    for (int x = 1; x < 15; x += 4) c.fill(x, 10, 1, 3, kBlack);
    for (int x = 2; x < 14; x += 4) c.fill(x, 8, 3, 2, kGreen);
    return c;
}

Canvas Copy()
{
    Canvas c(16, 15, kFace);
    for (int k = 0; k < 2; ++k) {
        const int x = 1 + k * 5, y = 1 + k * 4;
        c.fill(x, y, 9, 10, kWhite);
        c.frame(x, y, 9, 10, kBlack);
        for (int line = 0; line < 3; ++line) c.fill(x + 2, y + 3 + line * 2, 5, 1, kGrey);
    }
    return c;
}

Canvas Strip(const std::vector<Canvas>& images)
{
    Canvas strip(16 * static_cast<int>(images.size()), 15, kFace);
    for (size_t i = 0; i < images.size(); ++i) strip.paste(images[i], 16 * static_cast<int>(i), 0);
    return strip;
}

// Icons are drawn at 32 x 32 and reduced by taking every second pixel.
Canvas ProgramIcon()
{
    Canvas c(32, 32, kClear);
    c.fill(2, 2, 28, 28, kBlue);
    c.frame(2, 2, 28, 28, kNavy);
    // An eighth note: head, stem and flag.
    c.fill(8, 20, 7, 5, kWhite);
    c.fill(7, 21, 9, 3, kWhite);
    c.fill(14, 6, 2, 16, kWhite);
    for (int i = 0; i < 5; ++i) c.fill(16 + i / 2, 7 + i * 2, 3, 2, kWhite);
    // "db" beside it, as in the lines the program writes.
    c.fill(19, 19, 10, 8, kNavy);
    c.text(21, 20, "db", kYellow);
    return c;
}

Canvas FrameIcon()
{
    Canvas c(32, 32, kClear);
    c.fill(2, 4, 28, 24, kWhite);
    c.frame(2, 4, 28, 24, kBlack);
    c.fill(3, 5, 26, 4, kNavy);
    c.fill(3, 9, 9, 18, kSky);
    c.fill(12, 9, 1, 18, kBlack);
    c.fill(13, 18, 16, 1, kBlack);
    return c;
}

Canvas OptionsIcon()
{
    Canvas c(32, 32, kClear);
    c.fill(3, 3, 26, 26, kWhite);
    c.frame(3, 3, 26, 26, kGrey);
    // Three sliders.
    for (int i = 0; i < 3; ++i) {
        const int y = 9 + i * 7;
        c.fill(7, y, 18, 2, kGrey);
        c.fill(9 + i * 5, y - 2, 4, 6, kBlue);
        c.frame(9 + i * 5, y - 2, 4, 6, kNavy);
    }
    return c;
}

Canvas Half(const Canvas& big)
{
    Canvas small(big.width() / 2, big.height() / 2, kClear);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) small.dot(x, y, big.at(2 * x, 2 * y));
    return small;
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<uint8_t>& out, const Canvas& c, int heightFactor, int bits, uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, uint32_t(c.width()));
    Put32(out, uint32_t(c.height() * heightFactor));
    Put16(out, 1);
    Put16(out, uint32_t(bits));
    Put32(out, 0);  // no compression
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

// An 8-bit bottom-up Windows bitmap file with a palette. The toolbar maps
// palette entries of the standard greys to the system colours when it loads
// the strip (a 24-bit strip would keep its grey background).
std::vector<uint8_t> Bmp(const Canvas& c)
{
    std::vector<Rgba> palette;
    std::vector<uint8_t> indices;
    for (int y = c.height() - 1; y >= 0; --y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgba p = c.at(x, y);
            size_t i = 0;
            while (i < palette.size() && !(palette[i].r == p.r && palette[i].g == p.g && palette[i].b == p.b)) ++i;
            if (i == palette.size()) palette.push_back(p);
            indices.push_back(uint8_t(i));
        }
    if (palette.size() > 256) {
        std::fprintf(stderr, "make-images: more than 256 colours\n");
        std::exit(1);
    }
    const uint32_t stride = (uint32_t(c.width()) + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(c.height());
    const uint32_t offset = 14 + 40 + 4 * uint32_t(palette.size());
    std::vector<uint8_t> out{'B', 'M'};
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, c, 1, 8, imageSize);
    out[14 + 32] = uint8_t(palette.size());  // colours used
    out[14 + 33] = uint8_t(palette.size() >> 8);
    for (const Rgba& p : palette) out.insert(out.end(), {p.b, p.g, p.r, 0});
    for (int row = 0; row < c.height(); ++row) {
        out.insert(out.end(), indices.begin() + row * c.width(), indices.begin() + (row + 1) * c.width());
        out.resize(out.size() + (stride - uint32_t(c.width())), 0);
    }
    return out;
}

// One icon image: 32-bit colour with alpha, then the 1-bit AND mask.
std::vector<uint8_t> IconImage(const Canvas& c)
{
    const uint32_t maskStride = ((uint32_t(c.width()) + 31) / 32) * 4;
    const uint32_t size = uint32_t(c.width() * c.height() * 4) + maskStride * uint32_t(c.height());
    std::vector<uint8_t> out;
    PutInfoHeader(out, c, 2, 32, size);
    for (int y = c.height() - 1; y >= 0; --y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgba p = c.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    for (int y = c.height() - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y).a == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> Ico(const Canvas& big)
{
    const std::vector<uint8_t> images[] = {IconImage(Half(big)), IconImage(big)};
    const int sizes[] = {16, 32};
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, 2);  // two images
    uint32_t offset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        out.push_back(uint8_t(sizes[i]));
        out.push_back(uint8_t(sizes[i]));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(images[i].size()));
        Put32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

bool Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    return WriteBytes(path.c_str(), bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-images DIRECTORY\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<Canvas> main{Arrow(true), Arrow(false), FolderUp(), Layout(Pane::Left), Layout(Pane::LowerRight),
                             Layout(Pane::Bottom), Smf()};
    std::vector<Canvas> channels{ChannelSet()};
    for (int n = 1; n <= 16; ++n) channels.push_back(Channel(n));
    channels.push_back(Copy());
    channels.push_back(CompleteReading());
    channels.push_back(Normalize());

    const bool ok = Write(dir + "/toolbar.bmp", Bmp(Strip(main))) &&
                    Write(dir + "/channels.bmp", Bmp(Strip(channels))) &&
                    Write(dir + "/velmora.ico", Ico(ProgramIcon())) && Write(dir + "/frame.ico", Ico(FrameIcon())) &&
                    Write(dir + "/options.ico", Ico(OptionsIcon()));
    if (!ok) std::fprintf(stderr, "make-images: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
