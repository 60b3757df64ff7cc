// The system locale read from its files and mapped to language identifiers.
#include "platform/language.h"

#include <gtest/gtest.h>

namespace {

struct LocaleCase {
    const char* szLocale;
    LANGID nLangId;
};

TEST(LangIdFromLocaleName, MapsEveryIdentifierOfTheLanguageTable)
{
    const LocaleCase cases[] = {
        {"zh_CN.UTF-8", 0x0804}, {"zh_HK.UTF-8", 0x0C04},  {"zh_SG.GB2312", 0x1004},
        {"zh_MO", 0x1404},       {"zh_TW.Big5", 0x0404},   {"ja_JP.EUC-JP", 0x0411},
        {"de_DE.UTF-8", 0x0407}, {"de_CH.UTF-8", 0x0807},  {"de_AT", 0x0C07},
        {"de_LU", 0x1007},       {"de_LI.UTF-8", 0x1407},  {"fr_FR.UTF-8", 0x040C},
        {"fr_BE", 0x080C},       {"fr_CA", 0x0C0C},        {"fr_CH", 0x100C},
        {"fr_LU", 0x140C},       {"ru_RU.KOI8-R", 0x0419}, {"ko_KR.EUC-KR", 0x0412},
        {"ko_KR.JOHAB", 0x0812}, {"pt_BR.UTF-8", 0x0416},  {"pt_PT", 0x0816},
        {"es_ES.UTF-8", 0x0C0A}, {"es_MX", 0x080A},        {"es_GT", 0x100A},
        {"es_CR", 0x140A},       {"es_PA", 0x180A},        {"es_DO", 0x1C0A},
        {"es_VE", 0x200A},       {"es_CO", 0x240A},        {"es_PE.UTF-8", 0x280A},
        {"es_AR", 0x2C0A},       {"es_EC", 0x300A},        {"es_CL", 0x340A},
        {"es_UY", 0x380A},       {"es_PY", 0x3C0A},        {"es_BO", 0x400A},
        {"es_SV", 0x440A},       {"es_HN", 0x480A},        {"es_NI", 0x4C0A},
        {"es_PR", 0x500A},       {"it_IT.UTF-8", 0x0410},  {"it_CH", 0x0810},
        {"nl_NL.UTF-8", 0x0413}, {"nl_BE", 0x0813},        {"pl_PL.UTF-8", 0x0415},
        {"da_DK.UTF-8", 0x0406},
    };
    for (const LocaleCase& c : cases)
        EXPECT_EQ(LangIdFromLocaleName(c.szLocale), c.nLangId) << c.szLocale;
}

TEST(LangIdFromLocaleName, ReadsTheNameLooselyAndFallsBackToEnglish)
{
    const LocaleCase cases[] = {
        {"", 0x0409},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},
        {"en_US.UTF-8", 0x0409},
        {"en_GB.UTF-8", 0x0809},
        {"xx_YY.UTF-8", 0x0409},
        {".UTF-8", 0x0409},
        {"@euro", 0x0409},
        // A territory without an identifier of its own gets its language's main one.
        {"de_BE.UTF-8", 0x0407},
        {"fr_SN", 0x040C},
        {"zh", 0x0804},
        {"de_DE@euro", 0x0407},
        {"de_DE.ISO-8859-15@euro", 0x0407},
        {"ZH_tw.big5", 0x0404},
        {"es-PE", 0x280A},
        {"sv_SE.UTF-8", 0x041D},
    };
    for (const LocaleCase& c : cases)
        EXPECT_EQ(LangIdFromLocaleName(c.szLocale), c.nLangId) << c.szLocale;
}

TEST(LocaleFileValue, ReadsShellStyleAssignments)
{
    struct {
        const char* szText;
        const char* szValue;
    } cases[] = {
        {"LANG=de_DE.UTF-8\n", "de_DE.UTF-8"},
        {"LANG=\"zh_TW.UTF-8\"\n", "zh_TW.UTF-8"},
        {"LANG='fr_FR.UTF-8'", "fr_FR.UTF-8"},
        {"  export LANG=it_IT.UTF-8  \r\n", "it_IT.UTF-8"},
        {"#LANG=ja_JP.UTF-8\nLANGUAGE=ko_KR\n", ""},
        {"LANG=es_ES.UTF-8\nLANG=pt_BR.UTF-8\n", "pt_BR.UTF-8"},
        {"LANG = nl_NL.UTF-8", "nl_NL.UTF-8"},
        {"LANG=\"unterminated\n", "\"unterminated"},
        {"LANG", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LocaleFileValue(c.szText, "LANG"), c.szValue) << c.szText;
}

TEST(SystemLocaleName, TakesTheFirstSourceThatNamesALocale)
{
    EXPECT_EQ(SystemLocaleName("LANG=de_CH.UTF-8\n", "LANG=fr_FR.UTF-8\n", "ja_JP.UTF-8"),
              "de_CH.UTF-8");
    EXPECT_EQ(SystemLocaleName("# nothing set\n", "LANG=fr_FR.UTF-8\n", "ja_JP.UTF-8"),
              "fr_FR.UTF-8");
    EXPECT_EQ(SystemLocaleName("", "", "ja_JP.UTF-8"), "ja_JP.UTF-8");
    EXPECT_EQ(SystemLocaleName("", "", ""), "");
}

TEST(SystemLocaleName, PrefersTheLanguageOfTextsWithinAFile)
{
    EXPECT_EQ(SystemLocaleName("LANG=en_US.UTF-8\nLC_MESSAGES=zh_HK.UTF-8\n", "", ""),
              "zh_HK.UTF-8");
    EXPECT_EQ(SystemLocaleName("", "LC_MESSAGES=es_PE.UTF-8\nLC_ALL=ko_KR.UTF-8\n", ""),
              "ko_KR.UTF-8");
}

} // namespace
