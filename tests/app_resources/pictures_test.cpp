// Checks the committed window pictures and program icon: formats, sizes, the shape mask and
// how it agrees with the background, the button states and the legibility of the light texts.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kWidth = 328;
constexpr int kHeight = 245;
constexpr int kMaskRows = 35;  // only these rows of the mask are scanned for the key
constexpr std::array<int, 3> kKey{210, 10, 10};
constexpr std::array<int, 3> kTextColour{244, 245, 247};

std::string PicturePath(const std::string& name) {
    return std::string(VELK_SOURCE_DIR) + "/app/resources/pictures/" + name;
}

std::string IconPath(int size) {
    return std::string(VELK_SOURCE_DIR) + "/app/resources/icon/" + std::to_string(size) + "x" +
           std::to_string(size) + ".png";
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t Le16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba&) const = default;
};

struct Image {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;
    Rgba At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// Decodes any picture stb_image knows into straight (not premultiplied) RGBA.
Image Decode(const Bytes& bytes) {
    Image image;
    int channels = 0;
    stbi_uc* data = stbi_load_from_memory(bytes.data(), int(bytes.size()), &image.width,
                                          &image.height, &channels, 4);
    if (data == nullptr) return {};
    image.pixels.resize(std::size_t(image.width) * image.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = {data[4 * i], data[4 * i + 1], data[4 * i + 2], data[4 * i + 3]};
    stbi_image_free(data);
    return image;
}

Image LoadPicture(const std::string& name) { return Decode(ReadFile(PicturePath(name))); }

bool IsPng(const Bytes& b) {
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return b.size() > 33 && std::memcmp(b.data(), kSignature, 8) == 0 &&
           std::memcmp(b.data() + 12, "IHDR", 4) == 0;
}

// WCAG relative luminance and contrast ratio, the usual measure of text legibility.
double Luminance(double r, double g, double b) {
    auto lin = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}

double ContrastWithText(double r, double g, double b) {
    const double text = Luminance(kTextColour[0], kTextColour[1], kTextColour[2]);
    return (text + 0.05) / (Luminance(r, g, b) + 0.05);
}

Rgba Over(Rgba top, Rgba under) {
    auto mix = [&](int t, int u) { return (t * top.a + u * (255 - top.a) + 127) / 255; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), 255};
}

// The 24-bit mask as the window system reads it: header fields and pixels, top row first.
struct Bitmap {
    Bytes file;
    int width = 0, height = 0;
    std::vector<std::array<int, 3>> rgb;
    bool IsKey(int x, int y) const { return rgb[std::size_t(y) * width + x] == kKey; }
};

Bitmap LoadMask() {
    Bitmap bmp;
    bmp.file = ReadFile(PicturePath("SearchDevice_BlackGround.bmp"));
    const Bytes& f = bmp.file;
    if (f.size() < 54) return bmp;
    bmp.width = int(Le32(f, 18));
    bmp.height = int(Le32(f, 22));
    const std::size_t offset = Le32(f, 10);
    const std::size_t stride = (std::size_t(bmp.width) * 3 + 3) & ~std::size_t(3);
    if (bmp.width <= 0 || bmp.height <= 0 || offset + stride * bmp.height > f.size()) return bmp;
    for (int y = 0; y < bmp.height; ++y) {
        const std::size_t row = offset + (bmp.height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < bmp.width; ++x)
            bmp.rgb.push_back({f[row + 3 * x + 2], f[row + 3 * x + 1], f[row + 3 * x]});
    }
    return bmp;
}

TEST(PicturesTest, EveryPictureIsAPngOfItsSize) {
    const struct {
        const char* name;
        int width, height;
    } pictures[] = {
        {"SearchDevice_BlackGround.png", 328, 245}, {"Brush.png", 224, 14},
        {"logo.png", 16, 16},                       {"headerbackground.png", 249, 17},
        {"headerclip.png", 1, 12},                  {"close.png", 44, 11},
        {"ButtonMax.png", 316, 23},
    };
    for (const auto& p : pictures) {
        SCOPED_TRACE(p.name);
        const Bytes bytes = ReadFile(PicturePath(p.name));
        EXPECT_TRUE(IsPng(bytes));
        const Image image = Decode(bytes);
        EXPECT_EQ(image.width, p.width);
        EXPECT_EQ(image.height, p.height);
    }
}

TEST(MaskTest, IsAnUncompressed24BitBottomUpBitmapOfTheWindowSize) {
    const Bitmap bmp = LoadMask();
    const Bytes& f = bmp.file;
    ASSERT_GE(f.size(), 54u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le32(f, 2), f.size());
    EXPECT_EQ(Le32(f, 14), 40u);          // BITMAPINFOHEADER
    EXPECT_EQ(Le32(f, 18), 328u);
    EXPECT_EQ(Le32(f, 22), 245u);         // positive: rows stored bottom-up
    EXPECT_EQ(Le16(f, 26), 1);            // planes
    EXPECT_EQ(Le16(f, 28), 24);           // bits per pixel
    EXPECT_EQ(Le32(f, 30), 0u);           // BI_RGB
    const std::size_t stride = (328 * 3 + 3) & ~3;
    EXPECT_EQ(Le32(f, 10) + stride * 245, f.size());
    ASSERT_EQ(bmp.rgb.size(), std::size_t(kWidth) * kHeight);

    // An independent decoder reads the same picture, which pins row order and byte order.
    const Image decoded = Decode(f);
    ASSERT_EQ(decoded.width, kWidth);
    ASSERT_EQ(decoded.height, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const auto& p = bmp.rgb[std::size_t(y) * kWidth + x];
            ASSERT_EQ(decoded.At(x, y), (Rgba{p[0], p[1], p[2], 255})) << x << "," << y;
        }
}

TEST(MaskTest, KeyColourCutsOnlyTheTwoTopCorners) {
    const Bitmap bmp = LoadMask();
    ASSERT_EQ(bmp.rgb.size(), std::size_t(kWidth) * kHeight);
    ASSERT_TRUE(bmp.IsKey(0, 0));
    ASSERT_TRUE(bmp.IsKey(kWidth - 1, 0));
    int previous_run = kWidth;
    for (int y = 0; y < kHeight; ++y) {
        // Each row cuts a run from each edge, as long as or shorter than the row above.
        int run = 0;
        while (run < kWidth / 2 && bmp.IsKey(run, y)) ++run;
        EXPECT_LE(run, previous_run) << "row " << y;
        previous_run = run;
        if (run > 0) {
            EXPECT_LT(y, kMaskRows) << "row " << y;
            EXPECT_LT(run, kMaskRows) << "row " << y;
        }
        for (int x = 0; x < kWidth; ++x) {
            const bool in_corner = x < run || x >= kWidth - run;
            ASSERT_EQ(bmp.IsKey(x, y), in_corner) << x << "," << y;
            if (in_corner) continue;
            // No anti-aliasing fringe: every other colour stays well away from the key.
            const auto& p = bmp.rgb[std::size_t(y) * kWidth + x];
            const int distance = std::max({std::abs(p[0] - kKey[0]), std::abs(p[1] - kKey[1]),
                                           std::abs(p[2] - kKey[2])});
            ASSERT_GT(distance, 48) << x << "," << y;
        }
    }
}

TEST(BackgroundTest, AlphaAgreesWithTheMaskPixelForPixel) {
    const Bitmap bmp = LoadMask();
    const Image bg = LoadPicture("SearchDevice_BlackGround.png");
    ASSERT_EQ(bmp.rgb.size(), std::size_t(kWidth) * kHeight);
    ASSERT_EQ(bg.width, kWidth);
    ASSERT_EQ(bg.height, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            ASSERT_EQ(bg.At(x, y).a, bmp.IsKey(x, y) ? 0 : 255) << x << "," << y;
}

TEST(BackgroundTest, ListAreaIsWhite) {
    const Image bg = LoadPicture("SearchDevice_BlackGround.png");
    ASSERT_EQ(bg.width, kWidth);
    for (int y = 50; y < 50 + 141; ++y)
        for (int x = 10; x < 10 + 308; ++x)
            ASSERT_EQ(bg.At(x, y), (Rgba{255, 255, 255, 255})) << x << "," << y;
}

TEST(BackgroundTest, LightTextsReadWellWhereTheyStand) {
    const Image bg = LoadPicture("SearchDevice_BlackGround.png");
    ASSERT_EQ(bg.width, kWidth);
    const struct {
        const char* what;
        int x0, y0, x1, y1;
    } areas[] = {
        {"title", 30, 4, 300, 27},
        {"caption", 28, 34, 215, 47},
        {"wait message", 25, 195, 290, 209},
    };
    for (const auto& area : areas) {
        double worst = 1e9;
        for (int y = area.y0; y < area.y1; ++y)
            for (int x = area.x0; x < area.x1; ++x) {
                const Rgba p = bg.At(x, y);
                worst = std::min(worst, ContrastWithText(p.r, p.g, p.b));
            }
        EXPECT_GE(worst, 4.5) << area.what;
    }
}

// The mean colour of a button slice's text area, drawn over the window at the button's place.
std::array<double, 3> ButtonFace(const Image& strip, const Image& bg, int state) {
    std::array<double, 3> sum{};
    int n = 0;
    for (int y = 5; y < 19; ++y)
        for (int x = 8; x < 71; ++x) {
            const Rgba p = Over(strip.At(state * 79 + x, y), bg.At(18 + x, 210 + y));
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b, ++n;
        }
    return {sum[0] / n, sum[1] / n, sum[2] / n};
}

// The mean absolute difference of two slices' premultiplied RGBA values, from 0 to 255.
double SliceDistance(const Image& strip, int slice_width, int a, int b) {
    double sum = 0;
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < slice_width; ++x) {
            const Rgba p = strip.At(a * slice_width + x, y), q = strip.At(b * slice_width + x, y);
            sum += std::abs(p.r * p.a - q.r * q.a) / 255.0 + std::abs(p.g * p.a - q.g * q.a) / 255.0 +
                   std::abs(p.b * p.a - q.b * q.a) / 255.0 + std::abs(p.a - q.a);
        }
    return sum / (4.0 * slice_width * strip.height);
}

TEST(ButtonsTest, FourStatesAreClearlyToldApart) {
    const Image buttons = LoadPicture("ButtonMax.png");
    const Image close = LoadPicture("close.png");
    ASSERT_EQ(buttons.width, 4 * 79);
    ASSERT_EQ(close.width, 4 * 11);
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            EXPECT_GE(SliceDistance(buttons, 79, a, b), 10.0) << "command states " << a << ", " << b;
            EXPECT_GE(SliceDistance(close, 11, a, b), 10.0) << "close states " << a << ", " << b;
        }
}

TEST(ButtonsTest, TextReadsOnEveryEnabledStateAndDisabledIsGreyed) {
    const Image buttons = LoadPicture("ButtonMax.png");
    const Image bg = LoadPicture("SearchDevice_BlackGround.png");
    ASSERT_EQ(buttons.width, 4 * 79);
    ASSERT_EQ(bg.width, kWidth);
    for (int state = 0; state < 3; ++state) {
        const auto face = ButtonFace(buttons, bg, state);
        EXPECT_GE(ContrastWithText(face[0], face[1], face[2]), 4.0) << "state " << state;
    }
    auto chroma = [](const std::array<double, 3>& c) {
        return *std::max_element(c.begin(), c.end()) - *std::min_element(c.begin(), c.end());
    };
    EXPECT_LT(chroma(ButtonFace(buttons, bg, 3)), chroma(ButtonFace(buttons, bg, 0)) / 2);
}

TEST(HeaderTest, ShownPartIsOpaqueAndCarriesTheLightCaptions) {
    const Image header = LoadPicture("headerbackground.png");
    ASSERT_EQ(header.width, 249);
    ASSERT_EQ(header.height, 17);
    double sum[3] = {};
    for (int y = 0; y < header.height; ++y)
        for (int x = 0; x < header.width; ++x) {
            const Rgba p = header.At(x, y);
            ASSERT_EQ(p.a, 255) << x << "," << y;
            if (x < 199 && y < 12) sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
    const double n = 199.0 * 12.0;
    EXPECT_GE(ContrastWithText(sum[0] / n, sum[1] / n, sum[2] / n), 4.5);
}

TEST(IconTest, EverySizeIsA32BitPngWithTransparentCorners) {
    for (int size : {256, 128, 64, 48, 32, 24, 16}) {
        SCOPED_TRACE(size);
        const Bytes bytes = ReadFile(IconPath(size));
        ASSERT_TRUE(IsPng(bytes));
        EXPECT_EQ(bytes[24], 8);  // bits per channel
        EXPECT_EQ(bytes[25], 6);  // colour type: RGB with alpha
        const Image icon = Decode(bytes);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        EXPECT_EQ(icon.At(0, 0).a, 0);
        EXPECT_EQ(icon.At(size - 1, 0).a, 0);
        EXPECT_EQ(icon.At(size / 2, size / 2).a, 255);
    }
}

}  // namespace
