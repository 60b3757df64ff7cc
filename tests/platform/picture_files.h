// Test pictures written byte for byte, so that every pixel a test checks is known.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// An RGBA pixel: red in the low byte, alpha in the high byte.
using PixelAt = std::function<std::uint32_t(int x, int y)>;

// A 24-bit Windows bitmap file (bottom-up rows, as bitmap files are).
void WriteBmp24(const std::string& strPath, int nWidth, int nHeight, const PixelAt& pixel);
// A PNG file (8-bit RGBA) with stored, uncompressed image data.
std::vector<unsigned char> EncodePng(int nWidth, int nHeight, const PixelAt& pixel);
void WritePng(const std::string& strPath, int nWidth, int nHeight, const PixelAt& pixel);
void WriteBytes(const std::string& strPath, const std::vector<unsigned char>& bytes);
// A fresh empty folder for the running test.
std::string TestFolder();

constexpr std::uint32_t Rgba(int r, int g, int b, int a = 255)
{
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(a) << 24;
}
