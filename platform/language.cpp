// Maps the system locale to the Windows language identifiers the program's language table uses.
#include "platform/language.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <fstream>

namespace {

struct LocaleLanguage {
    std::string_view strLocale;
    LANGID nLangId;
};

// "ll" entries stand for every territory of the language that has no entry of its own.
constexpr std::array kLocaleLanguages = std::to_array<LocaleLanguage>({
    {"zh", 0x0804},    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004},
    {"zh_MO", 0x1404}, {"ja", 0x0411},    {"de", 0x0407},    {"de_CH", 0x0807}, {"de_AT", 0x0C07},
    {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"fr", 0x040C},    {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C},
    {"fr_CH", 0x100C}, {"fr_LU", 0x140C}, {"fr_MC", 0x180C}, {"ru", 0x0419},    {"ru_MD", 0x0819},
    {"ko", 0x0412},    {"pt", 0x0416},    {"pt_PT", 0x0816}, {"es", 0x0C0A},    {"es_MX", 0x080A},
    {"es_GT", 0x100A}, {"es_CR", 0x140A}, {"es_PA", 0x180A}, {"es_DO", 0x1C0A}, {"es_VE", 0x200A},
    {"es_CO", 0x240A}, {"es_PE", 0x280A}, {"es_AR", 0x2C0A}, {"es_EC", 0x300A}, {"es_CL", 0x340A},
    {"es_UY", 0x380A}, {"es_PY", 0x3C0A}, {"es_BO", 0x400A}, {"es_SV", 0x440A}, {"es_HN", 0x480A},
    {"es_NI", 0x4C0A}, {"es_PR", 0x500A}, {"es_US", 0x540A}, {"it", 0x0410},    {"it_CH", 0x0810},
    {"nl", 0x0413},    {"nl_BE", 0x0813}, {"pl", 0x0415},    {"da", 0x0406},    {"en", 0x0409},
    {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409}, {"en_IE", 0x1809},
    {"en_ZA", 0x1C09}, {"en_PH", 0x3409}, {"en_IN", 0x4009}, {"en_SG", 0x4809}, {"ar", 0x0401},
    {"bg", 0x0402},    {"ca", 0x0403},    {"cs", 0x0405},    {"el", 0x0408},    {"fi", 0x040B},
    {"he", 0x040D},    {"hu", 0x040E},    {"is", 0x040F},    {"nb", 0x0414},    {"no", 0x0414},
    {"nn", 0x0814},    {"ro", 0x0418},    {"hr", 0x041A},    {"sk", 0x041B},    {"sv", 0x041D},
    {"sv_FI", 0x081D}, {"th", 0x041E},    {"tr", 0x041F},    {"id", 0x0421},    {"uk", 0x0422},
    {"sl", 0x0424},    {"et", 0x0425},    {"lv", 0x0426},    {"lt", 0x0427},    {"vi", 0x042A},
});

// Korean in the Johab code set has an identifier of its own.
constexpr LANGID LANGID_KOREAN_JOHAB = 0x0812;

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::string Uppered(std::string_view text)
{
    std::string uppered(text);
    std::transform(uppered.begin(), uppered.end(), uppered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return uppered;
}

LANGID LookUp(std::string_view strKey)
{
    for (const LocaleLanguage& entry : kLocaleLanguages) {
        if (entry.strLocale == strKey)
            return entry.nLangId;
    }
    return 0;
}

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r";
    std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// LC_ALL and LC_MESSAGES name the language of texts where they are set; LANG is the default.
std::string LocaleOfFile(std::string_view strText)
{
    for (std::string_view key : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = LocaleFileValue(strText, key);
        if (!value.empty())
            return value;
    }
    return {};
}

std::string FileText(const char* szPath)
{
    constexpr std::size_t kMaxBytes = 64 * 1024;
    std::ifstream file(szPath, std::ios::binary);
    std::string text;
    char buffer[4096];
    while (file && text.size() < kMaxBytes) {
        file.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
    }
    return text;
}

} // namespace

LANGID LangIdFromLocaleName(std::string_view strLocale)
{
    std::size_t end = strLocale.find_first_of(".@");
    std::string_view name = strLocale.substr(0, end);
    std::string_view codeset;
    if (end != std::string_view::npos && strLocale[end] == '.')
        codeset = strLocale.substr(end + 1, strLocale.find('@', end) - end - 1);

    std::size_t separator = name.find_first_of("_-");
    std::string language = Lowered(name.substr(0, separator));
    if (language.empty())
        return LANGID_ENGLISH_US;
    if (language == "ko" && Lowered(codeset) == "johab")
        return LANGID_KOREAN_JOHAB;
    if (separator != std::string_view::npos) {
        LANGID nLangId = LookUp(language + "_" + Uppered(name.substr(separator + 1)));
        if (nLangId != 0)
            return nLangId;
    }
    LANGID nLangId = LookUp(language);
    return nLangId != 0 ? nLangId : LANGID_ENGLISH_US;
}

std::string LocaleFileValue(std::string_view strText, std::string_view strKey)
{
    std::string value;
    while (!strText.empty()) {
        std::size_t lineEnd = strText.find('\n');
        std::string_view line = Trimmed(strText.substr(0, lineEnd));
        strText =
            lineEnd == std::string_view::npos ? std::string_view() : strText.substr(lineEnd + 1);
        if (line.starts_with("export "))
            line = Trimmed(line.substr(7));
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || Trimmed(line.substr(0, equals)) != strKey)
            continue;
        // The files are sourced by shells, so a later assignment replaces an earlier one.
        value = Unquoted(Trimmed(line.substr(equals + 1)));
    }
    return value;
}

std::string SystemLocaleName(std::string_view strLocaleConf, std::string_view strDefaultLocale,
                             std::string_view strEnvLang)
{
    std::string name = LocaleOfFile(strLocaleConf);
    if (name.empty())
        name = LocaleOfFile(strDefaultLocale);
    if (name.empty())
        name = std::string(strEnvLang);
    return name;
}

LANGID GetSystemDefaultLangID()
{
    const char* szLang = std::getenv("LANG");
    return LangIdFromLocaleName(SystemLocaleName(
        FileText("/etc/locale.conf"), FileText("/etc/default/locale"), szLang ? szLang : ""));
}
