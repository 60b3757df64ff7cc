// The language table: identifiers, layout variants and failure messages by language index.
#include "app/language_table.h"

#include <algorithm>
#include <array>

namespace {

struct LanguageEntry {
    LANGID nLangId;
    int nIndex;
};

// Spanish of Peru (0x280A) is left out of the Spanish entries: it has always counted as English.
constexpr auto kLanguageEntries = std::to_array<LanguageEntry>({
    {0x0804, 2},  {0x0C04, 2},  {0x1004, 2},  {0x1404, 2},  {0x0404, 3},  {0x0411, 4},
    {0x0407, 5},  {0x0807, 5},  {0x0C07, 5},  {0x1007, 5},  {0x1407, 5},  {0x040C, 6},
    {0x080C, 6},  {0x0C0C, 6},  {0x100C, 6},  {0x140C, 6},  {0x0419, 7},  {0x0412, 8},
    {0x0812, 8},  {0x0416, 9},  {0x0816, 9},  {0x040A, 10}, {0x080A, 10}, {0x0C0A, 10},
    {0x100A, 10}, {0x140A, 10}, {0x180A, 10}, {0x1C0A, 10}, {0x200A, 10}, {0x240A, 10},
    {0x2C0A, 10}, {0x300A, 10}, {0x340A, 10}, {0x380A, 10}, {0x3C0A, 10}, {0x400A, 10},
    {0x440A, 10}, {0x480A, 10}, {0x4C0A, 10}, {0x500A, 10}, {0x0410, 11}, {0x0810, 11},
    {0x0413, 12}, {0x0813, 12}, {0x0415, 13}, {0x0406, 14},
});

// By index 1 to 14.
constexpr std::array<int, LANGUAGE_INDEX_COUNT> kLayoutVariants = {
    150, 149, 151, 150, 160, 161, 150, 163, 164, 165, 166, 169, 150, 150};

constexpr const char* kEnglish = "Failed to create the configuration file!";
constexpr std::array<const char*, LANGUAGE_INDEX_COUNT> kFailureMessages = {
    kEnglish,
    "创建配置文件失败!",
    "創建配置文件失敗!",
    "設定ファイルの作成に失敗しました!",
    "Erstellung Konfigurationsdatei fehlgeschlagen!",
    "La création du fichier de configuration a échoué!",
    kEnglish,
    kEnglish,
    "Falha ao criar ficheiro config!",
    "Error al crear el archivo de configuración!",
    "Impossibile creare il file di configurazione!",
    kEnglish,
    kEnglish,
    kEnglish,
};

bool IsValidIndex(int nLanguageIndex)
{
    return nLanguageIndex >= 1 && nLanguageIndex <= LANGUAGE_INDEX_COUNT;
}

} // namespace

int LanguageIndexOf(LANGID nLangId)
{
    auto it = std::find_if(kLanguageEntries.begin(), kLanguageEntries.end(),
                           [nLangId](const LanguageEntry& entry) { return entry.nLangId == nLangId; });
    return it == kLanguageEntries.end() ? LANGUAGE_INDEX_ENGLISH : it->nIndex;
}

int LayoutVariantOf(int nLanguageIndex)
{
    return IsValidIndex(nLanguageIndex) ? kLayoutVariants[nLanguageIndex - 1] : 150;
}

const char* FailureMessageOf(int nLanguageIndex)
{
    return IsValidIndex(nLanguageIndex) ? kFailureMessages[nLanguageIndex - 1] : kEnglish;
}
