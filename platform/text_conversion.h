// Device texts arrive in the locale's code set; the layer and the drawing code work in UTF-8.
#pragma once

#include <string>
#include <string_view>

// The code set of the process locale (LC_ALL, LC_CTYPE, LANG), e.g. "UTF-8" or "GB18030". A locale
// that is not installed gives the code set its name carries; plain ASCII (the "C" locale) gives
// "UTF-8", its superset, so that UTF-8 device texts survive a program started without a locale.
std::string GetLocaleCodeset();

// Converts text in the named code set to UTF-8; every byte that does not form a character of that
// code set becomes U+FFFD. An unknown code set treats the text as UTF-8.
std::string ConvertToUtf8(std::string_view strText, std::string_view strCodeset);

// Converts a device text from the locale's code set to UTF-8, invalid bytes replaced by U+FFFD.
std::string LocaleTextToUtf8(std::string_view strText);
