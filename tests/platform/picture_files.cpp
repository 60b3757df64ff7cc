// Writers for the test pictures: BMP and PNG by hand (PNG with stored deflate blocks).
#include "picture_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

void Put16(std::vector<unsigned char>& out, std::uint32_t n)
{
    out.push_back(static_cast<unsigned char>(n & 0xFF));
    out.push_back(static_cast<unsigned char>((n >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, std::uint32_t n)
{
    Put16(out, n & 0xFFFF);
    Put16(out, n >> 16);
}

void Put32BigEndian(std::vector<unsigned char>& out, std::uint32_t n)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>((n >> shift) & 0xFF));
}

std::uint32_t Crc32(const unsigned char* p, std::size_t n)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void PutChunk(std::vector<unsigned char>& out, const char* szType, const std::vector<unsigned char>& data)
{
    Put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<unsigned char> typed(szType, szType + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    Put32BigEndian(out, Crc32(typed.data(), typed.size()));
}

} // namespace

void WriteBytes(const std::string& strPath, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << strPath;
}

void WriteBmp24(const std::string& strPath, int nWidth, int nHeight, const PixelAt& pixel)
{
    const std::uint32_t nRow = static_cast<std::uint32_t>((nWidth * 3 + 3) / 4 * 4);
    const std::uint32_t nImage = nRow * static_cast<std::uint32_t>(nHeight);
    std::vector<unsigned char> out{'B', 'M'};
    Put32(out, 54 + nImage);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(nWidth));
    Put32(out, static_cast<std::uint32_t>(nHeight));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i)
        Put32(out, i == 1 ? nImage : 0);
    for (int y = nHeight - 1; y >= 0; --y) {
        std::size_t nStart = out.size();
        for (int x = 0; x < nWidth; ++x) {
            std::uint32_t c = pixel(x, y);
            out.push_back(static_cast<unsigned char>((c >> 16) & 0xFF));
            out.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
            out.push_back(static_cast<unsigned char>(c & 0xFF));
        }
        out.resize(nStart + nRow, 0);
    }
    WriteBytes(strPath, out);
}

std::vector<unsigned char> EncodePng(int nWidth, int nHeight, const PixelAt& pixel)
{
    std::vector<unsigned char> raw;
    for (int y = 0; y < nHeight; ++y) {
        raw.push_back(0);
        for (int x = 0; x < nWidth; ++x)
            for (int shift = 0; shift < 32; shift += 8)
                raw.push_back(static_cast<unsigned char>((pixel(x, y) >> shift) & 0xFF));
    }
    std::vector<unsigned char> zlib{0x78, 0x01};
    std::size_t nOffset = 0;
    do {
        const std::size_t nBlock = std::min<std::size_t>(raw.size() - nOffset, 65535);
        zlib.push_back(nOffset + nBlock == raw.size() ? 1 : 0);
        Put16(zlib, static_cast<std::uint32_t>(nBlock));
        Put16(zlib, static_cast<std::uint32_t>(~nBlock & 0xFFFF));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(nOffset),
                    raw.begin() + static_cast<std::ptrdiff_t>(nOffset + nBlock));
        nOffset += nBlock;
    } while (nOffset < raw.size());
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    Put32BigEndian(zlib, (b << 16) | a);

    std::vector<unsigned char> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    Put32BigEndian(header, static_cast<std::uint32_t>(nWidth));
    Put32BigEndian(header, static_cast<std::uint32_t>(nHeight));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", {});
    return out;
}

void WritePng(const std::string& strPath, int nWidth, int nHeight, const PixelAt& pixel)
{
    WriteBytes(strPath, EncodePng(nWidth, nHeight, pixel));
}

std::string TestFolder()
{
    const auto* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::path(VELK_BINARY_DIR) / "test-output" / "platform" /
                                   (std::string(pInfo->test_suite_name()) + "." + pInfo->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}
