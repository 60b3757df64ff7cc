// The language table: identifiers to index, index to layout variant and failure message.
#include "app_fixture.h"

#include "app/language_table.h"

namespace {

struct LanguageCase {
    LANGID nLangId;
    int nIndex;
    int nVariant;
    const char* szMessage;
};

constexpr const char* kEnglish = "Failed to create the configuration file!";

// One identifier of every row, the rows' edges and the identifiers next to them.
const LanguageCase kCases[] = {
    {0x0409, 1, 150, kEnglish},
    {0x280A, 1, 150, kEnglish}, // Spanish of Peru stays English
    {0x540A, 1, 150, kEnglish}, // Spanish of the United States is not listed
    {0x0000, 1, 150, kEnglish},
    {0x0804, 2, 149, "创建配置文件失败!"},
    {0x0C04, 2, 149, "创建配置文件失败!"}, // Hong Kong reads Simplified Chinese
    {0x1404, 2, 149, "创建配置文件失败!"}, // so does Macao
    {0x0404, 3, 151, "創建配置文件失敗!"},
    {0x0411, 4, 150, "設定ファイルの作成に失敗しました!"}, // English layout, Japanese message
    {0x0807, 5, 160, "Erstellung Konfigurationsdatei fehlgeschlagen!"},
    {0x1407, 5, 160, "Erstellung Konfigurationsdatei fehlgeschlagen!"},
    {0x140C, 6, 161, "La création du fichier de configuration a échoué!"},
    {0x180C, 1, 150, kEnglish}, // French of Monaco is not listed
    {0x0419, 7, 150, kEnglish},
    {0x0412, 8, 163, kEnglish}, // Korean layout, English message
    {0x0812, 8, 163, kEnglish},
    {0x0816, 9, 164, "Falha ao criar ficheiro config!"},
    {0x040A, 10, 165, "Error al crear el archivo de configuración!"},
    {0x240A, 10, 165, "Error al crear el archivo de configuración!"},
    {0x2C0A, 10, 165, "Error al crear el archivo de configuración!"},
    {0x500A, 10, 165, "Error al crear el archivo de configuración!"},
    {0x0810, 11, 166, "Impossibile creare il file di configurazione!"},
    {0x0813, 12, 169, kEnglish},
    {0x0415, 13, 150, kEnglish},
    {0x0406, 14, 150, kEnglish}, // Danish: index of its own, English layout and message
};

TEST(LanguageTableTest, IdentifiersGiveTheirIndexVariantAndMessage)
{
    for (const LanguageCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << std::hex << "0x" << c.nLangId);
        const int nIndex = LanguageIndexOf(c.nLangId);
        EXPECT_EQ(nIndex, c.nIndex);
        EXPECT_EQ(LayoutVariantOf(nIndex), c.nVariant);
        EXPECT_STREQ(FailureMessageOf(nIndex), c.szMessage);
    }
}

TEST(LanguageTableTest, SystemLocalesReachTheirLanguage)
{
    const std::pair<const char*, int> cases[] = {
        {"zh_HK.UTF-8", 2}, {"zh_TW.UTF-8", 3}, {"es_PE.UTF-8", 1}, {"ja_JP.UTF-8", 4},
        {"de_CH.UTF-8", 5}, {"pt_BR.UTF-8", 9}, {"nl_BE.UTF-8", 12}, {"C", 1},
    };
    for (const auto& [szLocale, nIndex] : cases)
        EXPECT_EQ(LanguageIndexOf(LangIdFromLocaleName(szLocale)), nIndex) << szLocale;
}

TEST(LanguageTableTest, IndexesOutsideTheTableFallBackToEnglish)
{
    for (int nIndex : {0, 15, -1}) {
        EXPECT_EQ(LayoutVariantOf(nIndex), 150);
        EXPECT_STREQ(FailureMessageOf(nIndex), kEnglish);
    }
}

TEST_F(AppTest, TheApplicationReadsTheSystemLanguageAtEachCall)
{
    CTestApp app;
    app.nLangId = 0x0C04;
    EXPECT_EQ(app.GetLanguageIndex(), 2);
    app.nLangId = 0x0406;
    EXPECT_EQ(app.GetLanguageIndex(), 14);
}

} // namespace
