// Code-set conversion with iconv. The text goes through UTF-32 first because glibc's UTF-8 to UTF-8
// conversion passes out-of-range and five-byte sequences unchanged; decoding to code points rejects
// them, and encoding those code points again can only give valid UTF-8.
#include "platform/text_conversion.h"

#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <string.h>

namespace {

constexpr char kCodePoints[] = "UTF-32LE";
// U+FFFD as a UTF-32LE code unit.
constexpr char kReplacement[] = {'\xFD', '\xFF', '\0', '\0'};

class CIconv {
public:
    CIconv(const char* szTo, const char* szFrom) : cd(iconv_open(szTo, szFrom)) { }
    ~CIconv()
    {
        if (IsOpen())
            iconv_close(cd);
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;

    bool IsOpen() const { return cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of strText; with bReplaceInvalid, undecodable bytes become U+FFFD, else they end
    // it.
    std::string Convert(std::string_view strText, bool bReplaceInvalid)
    {
        std::string out;
        char* pIn = const_cast<char*>(strText.data());
        std::size_t nInLeft = strText.size();
        char buffer[1024];
        while (nInLeft > 0) {
            char* pOut = buffer;
            std::size_t nOutLeft = sizeof buffer;
            std::size_t nResult = iconv(cd, &pIn, &nInLeft, &pOut, &nOutLeft);
            int nError = errno;
            out.append(buffer, static_cast<std::size_t>(pOut - buffer));
            if (nResult != static_cast<std::size_t>(-1) || nError == E2BIG)
                continue;
            if (!bReplaceInvalid)
                break;
            // EILSEQ inside the text, EINVAL for a sequence cut off at its end: one byte is
            // skipped.
            out.append(kReplacement, sizeof kReplacement);
            ++pIn;
            --nInLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        Flush(out);
        return out;
    }

private:
    void Flush(std::string& out)
    {
        char buffer[64];
        char* pOut = buffer;
        std::size_t nOutLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, &pOut, &nOutLeft);
        out.append(buffer, static_cast<std::size_t>(pOut - buffer));
    }

    iconv_t cd;
};

std::string CodesetOfLocaleName(std::string_view name)
{
    std::size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return {};
    return std::string(name.substr(dot + 1, name.find('@', dot) - dot - 1));
}

std::string EnvironmentLocaleName()
{
    for (const char* szName : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* szValue = std::getenv(szName);
        if (szValue && *szValue)
            return szValue;
    }
    return {};
}

bool IsAscii(std::string_view codeset)
{
    return codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset == "US-ASCII";
}

} // namespace

std::string GetLocaleCodeset()
{
    std::string codeset;
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale) {
        codeset = nl_langinfo_l(CODESET, locale);
        freelocale(locale);
    } else {
        codeset = CodesetOfLocaleName(EnvironmentLocaleName());
    }
    if (codeset.empty() || IsAscii(codeset))
        return "UTF-8";
    return codeset;
}

std::string ConvertToUtf8(std::string_view strText, std::string_view strCodeset)
{
    std::string codeset(strCodeset);
    CIconv toCodePoints(kCodePoints, codeset.c_str());
    if (!toCodePoints.IsOpen())
        return codeset == "UTF-8" ? std::string() : ConvertToUtf8(strText, "UTF-8");
    CIconv toUtf8("UTF-8", kCodePoints);
    if (!toUtf8.IsOpen())
        return {};
    return toUtf8.Convert(toCodePoints.Convert(strText, true), false);
}

std::string LocaleTextToUtf8(std::string_view strText)
{
    return ConvertToUtf8(strText, GetLocaleCodeset());
}
