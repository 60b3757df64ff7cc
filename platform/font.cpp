// GDI fonts and face resolution: a face that is not installed falls back to fontconfig's best
// match, so that text always appears.
#include "platform/gdi_internal.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace velk::gdi {

namespace {

constexpr const char* kDefaultFace = "sans-serif";
constexpr int kDefaultCellHeight = 16;

// The length in bytes of the UTF-8 sequence that starts with byte c (1 for stray bytes).
std::size_t SequenceLength(unsigned char c)
{
    if (c >= 0xF0 && c < 0xF8)
        return 4;
    if (c >= 0xE0)
        return c < 0xF0 ? 3 : 1;
    if (c >= 0xC0)
        return 2;
    return 1;
}

std::string ResolveUncached(const std::string& strFace)
{
    FcPattern* pPattern = FcPatternCreate();
    FcPatternAddString(pPattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(strFace.c_str()));
    FcConfigSubstitute(nullptr, pPattern, FcMatchPattern);
    FcDefaultSubstitute(pPattern);
    FcResult result = FcResultNoMatch;
    FcPattern* pMatch = FcFontMatch(nullptr, pPattern, &result);
    std::string strFamily;
    FcChar8* pFamily = nullptr;
    if (pMatch && FcPatternGetString(pMatch, FC_FAMILY, 0, &pFamily) == FcResultMatch && pFamily)
        strFamily = reinterpret_cast<const char*>(pFamily);
    if (pMatch)
        FcPatternDestroy(pMatch);
    FcPatternDestroy(pPattern);
    return strFamily.empty() ? std::string(kDefaultFace) : strFamily;
}

// The em size in pixels at which the face's ascent plus descent is the cell height.
double EmSizeForCellHeight(PangoFontDescription* pDescription, int nCellHeight)
{
    pango_font_description_set_absolute_size(pDescription, nCellHeight * PANGO_SCALE);
    PangoFontMap* pMap = pango_cairo_font_map_get_default();
    PangoContext* pContext = pango_font_map_create_context(pMap);
    PangoFont* pFont = pango_font_map_load_font(pMap, pContext, pDescription);
    double dEm = nCellHeight;
    if (pFont) {
        PangoFontMetrics* pMetrics = pango_font_get_metrics(pFont, nullptr);
        int nCell = pango_font_metrics_get_ascent(pMetrics) + pango_font_metrics_get_descent(pMetrics);
        if (nCell > 0)
            dEm = static_cast<double>(nCellHeight) * nCellHeight * PANGO_SCALE / nCell;
        pango_font_metrics_unref(pMetrics);
        g_object_unref(pFont);
    }
    g_object_unref(pContext);
    return dEm;
}

PangoFontDescription* DescriptionFor(const LOGFONT& lf)
{
    std::string strFace(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
    PangoFontDescription* pDescription = pango_font_description_new();
    pango_font_description_set_family(pDescription, ResolveFontFamily(strFace).c_str());
    pango_font_description_set_weight(pDescription, lf.lfWeight >= 600 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(pDescription, lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    // Heights beyond any screen are cut down: a layout file may say anything.
    const long nHeight = std::min<long>(std::labs(static_cast<long>(lf.lfHeight)), 2048);
    double dEm = 0;
    if (lf.lfHeight > 0)
        dEm = EmSizeForCellHeight(pDescription, static_cast<int>(nHeight));
    else if (lf.lfHeight < 0)
        dEm = static_cast<double>(nHeight);
    else
        dEm = EmSizeForCellHeight(pDescription, kDefaultCellHeight);
    pango_font_description_set_absolute_size(pDescription, dEm * PANGO_SCALE);
    return pDescription;
}

} // namespace

std::string ResolveFontFamily(const std::string& strFace)
{
    static std::mutex mutex;
    static std::map<std::string, std::string> resolved;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = resolved.find(strFace);
    if (it == resolved.end())
        it = resolved.emplace(strFace, ResolveUncached(strFace.empty() ? kDefaultFace : strFace)).first;
    return it->second;
}

const PangoFontDescription* FontDescriptionOf(const CFont* pFont)
{
    if (pFont && pFont->GetState())
        return pFont->GetState()->pDescription;
    static PangoFontDescription* pDefault = DescriptionFor(LOGFONT{});
    return pDefault;
}

} // namespace velk::gdi

bool SetLogFontFaceName(LOGFONT& lf, std::string_view faceName)
{
    std::size_t nBytes = 0;
    int nCharacters = 0;
    while (nBytes < faceName.size() && nCharacters < LF_FACESIZE - 1) {
        std::size_t nLength = velk::gdi::SequenceLength(static_cast<unsigned char>(faceName[nBytes]));
        if (nBytes + nLength > faceName.size())
            break;
        nBytes += nLength;
        ++nCharacters;
    }
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), '\0');
    faceName.copy(lf.lfFaceName, nBytes);
    return nBytes == faceName.size();
}

CFont::CState::~CState()
{
    if (pDescription)
        pango_font_description_free(pDescription);
}

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    m_pState.reset();
    if (!lpLogFont)
        return FALSE;
    auto pState = std::make_unique<CState>();
    pState->logFont = *lpLogFont;
    // The face field is read as written, but never past its end.
    pState->logFont.lfFaceName[sizeof(pState->logFont.lfFaceName) - 1] = '\0';
    pState->pDescription = velk::gdi::DescriptionFor(pState->logFont);
    m_pState = std::move(pState);
    return TRUE;
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    if (!m_pState || !pLogFont)
        return 0;
    *pLogFont = m_pState->logFont;
    return static_cast<int>(sizeof(LOGFONT));
}

BOOL CFont::DeleteObject()
{
    BOOL bHad = m_pState != nullptr;
    m_pState.reset();
    return bHad;
}

HFONT CFont::GetSafeHandle() const { return m_pState ? const_cast<CFont*>(this) : nullptr; }

// Fontconfig keeps its configuration and the font caches that pango fills for the life of the
// process; the leak checker of the sanitizer builds is told so. (Without frame pointers in the
// library, its allocations are known by the library's name only.)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
