// Pictures from files and memory: decoding through stb_image into cairo surfaces, bitmap files
// for GDI and window icons. Hostile or oversized data gives no picture, never a crash.
#include "platform/gdi_internal.h"
#include "platform/system.h"

#include <stb_image.h>

#include <climits>
#include <cstdint>
#include <fstream>

namespace velk::gdi {

namespace {

constexpr std::size_t kMaxPictureFileBytes = 64u * 1024u * 1024u;

struct CStbPixels {
    unsigned char* pData = nullptr;
    ~CStbPixels() { stbi_image_free(pData); }
};

// The pixels of a picture as 8-bit RGBA rows; false for anything the layer refuses.
bool DecodeRgba(const void* pData, std::size_t nSize, CStbPixels& pixels, int& nWidth, int& nHeight)
{
    if (!pData || nSize == 0 || nSize > kMaxPictureFileBytes)
        return false;
    const auto* pBytes = static_cast<const stbi_uc*>(pData);
    const int nLength = static_cast<int>(nSize);
    int nComponents = 0;
    // The header is checked first so that a hostile size never reaches the allocation.
    if (!stbi_info_from_memory(pBytes, nLength, &nWidth, &nHeight, &nComponents))
        return false;
    if (!IsAllowedSurfaceSize(nWidth, nHeight) || nWidth == 0 || nHeight == 0)
        return false;
    int nLoadedWidth = 0;
    int nLoadedHeight = 0;
    pixels.pData = stbi_load_from_memory(pBytes, nLength, &nLoadedWidth, &nLoadedHeight, &nComponents, 4);
    if (!pixels.pData || nLoadedWidth != nWidth || nLoadedHeight != nHeight)
        return false;
    return true;
}

cairo_surface_t* SurfaceFromRgba(const unsigned char* pRgba, int nWidth, int nHeight, bool bAlpha)
{
    cairo_format_t format = bAlpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24;
    cairo_surface_t* pSurface = cairo_image_surface_create(format, nWidth, nHeight);
    if (cairo_surface_status(pSurface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pSurface);
        return nullptr;
    }
    cairo_surface_flush(pSurface);
    unsigned char* pRow = cairo_image_surface_get_data(pSurface);
    const int nStride = cairo_image_surface_get_stride(pSurface);
    for (int y = 0; y < nHeight; ++y, pRow += nStride) {
        auto* pOut = reinterpret_cast<std::uint32_t*>(pRow);
        const unsigned char* pIn = pRgba + static_cast<std::size_t>(y) * static_cast<std::size_t>(nWidth) * 4;
        for (int x = 0; x < nWidth; ++x, pIn += 4) {
            std::uint32_t a = bAlpha ? pIn[3] : 255;
            // Cairo keeps colour premultiplied by alpha.
            std::uint32_t r = (pIn[0] * a + 127) / 255;
            std::uint32_t g = (pIn[1] * a + 127) / 255;
            std::uint32_t b = (pIn[2] * a + 127) / 255;
            pOut[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    cairo_surface_mark_dirty(pSurface);
    return pSurface;
}

} // namespace

bool ReadPictureFile(const std::string& strPath, std::vector<unsigned char>& data)
{
    data.clear();
    if (strPath.empty())
        return false;
    std::ifstream file(ToNativePath(strPath), std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    std::streamoff nSize = file.tellg();
    if (nSize <= 0 || static_cast<unsigned long long>(nSize) > kMaxPictureFileBytes)
        return false;
    data.resize(static_cast<std::size_t>(nSize));
    file.seekg(0);
    return static_cast<bool>(file.read(reinterpret_cast<char*>(data.data()), nSize));
}

cairo_surface_t* DecodePicture(const void* pData, std::size_t nSize)
{
    CStbPixels pixels;
    int nWidth = 0;
    int nHeight = 0;
    if (!DecodeRgba(pData, nSize, pixels, nWidth, nHeight))
        return nullptr;
    return SurfaceFromRgba(pixels.pData, nWidth, nHeight, true);
}

namespace {

cairo_surface_t* DecodeBitmapFile(const std::vector<unsigned char>& data)
{
    // Only Windows bitmap files: other formats are not bitmaps for GDI.
    if (data.size() < 2 || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    CStbPixels pixels;
    int nWidth = 0;
    int nHeight = 0;
    if (!DecodeRgba(data.data(), data.size(), pixels, nWidth, nHeight))
        return nullptr;
    return SurfaceFromRgba(pixels.pData, nWidth, nHeight, false);
}

} // namespace

} // namespace velk::gdi

BOOL CBitmap::LoadBitmapFile(const std::string& strPath)
{
    DeleteObject();
    std::vector<unsigned char> data;
    if (!velk::gdi::ReadPictureFile(strPath, data))
        return FALSE;
    cairo_surface_t* pSurface = velk::gdi::DecodeBitmapFile(data);
    if (!pSurface)
        return FALSE;
    m_pState = std::make_unique<CState>();
    m_pState->pSurface = pSurface;
    return TRUE;
}

CIcon::CState::~CState() { cairo_surface_destroy(pSurface); }

CIcon::CIcon() = default;
CIcon::~CIcon() = default;

BOOL CIcon::LoadFromFile(const std::string& strPath)
{
    std::vector<unsigned char> data;
    if (!velk::gdi::ReadPictureFile(strPath, data)) {
        m_pState.reset();
        return FALSE;
    }
    return LoadFromMemory(data.data(), data.size());
}

BOOL CIcon::LoadFromMemory(const void* pData, std::size_t nSize)
{
    m_pState.reset();
    cairo_surface_t* pSurface = velk::gdi::DecodePicture(pData, nSize);
    if (!pSurface)
        return FALSE;
    m_pState = std::make_unique<CState>();
    m_pState->pSurface = pSurface;
    return TRUE;
}

int CIcon::GetWidth() const { return m_pState ? cairo_image_surface_get_width(m_pState->pSurface) : 0; }

int CIcon::GetHeight() const { return m_pState ? cairo_image_surface_get_height(m_pState->pSurface) : 0; }

HICON CIcon::GetSafeHandle() const { return m_pState ? const_cast<CIcon*>(this) : nullptr; }
