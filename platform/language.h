// The system's default language as a Windows language identifier, read from the system locale.
#pragma once

#include "platform/types.h"

#include <string>
#include <string_view>

using LANGID = WORD;

constexpr LANGID LANGID_ENGLISH_US = 0x0409;

// The language identifier of a locale name such as "de_CH.UTF-8" or "sr_RS@latin";
// 0x0409 for "C", "POSIX", an empty name and every language the table does not know.
LANGID LangIdFromLocaleName(std::string_view strLocale);

// The value of a KEY=VALUE line in a locale file (quotes and an "export " prefix removed);
// empty when the key is absent.
std::string LocaleFileValue(std::string_view strText, std::string_view strKey);

// The system locale name from the contents of /etc/locale.conf, of /etc/default/locale and the
// LANG environment value, the first source that names one winning; empty when none does.
std::string SystemLocaleName(std::string_view strLocaleConf, std::string_view strDefaultLocale,
                             std::string_view strEnvLang);

// The system default language: the system locale mapped by LangIdFromLocaleName.
LANGID GetSystemDefaultLangID();
