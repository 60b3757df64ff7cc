// The program's languages: the system language identifier decides the index, the index decides the
// layout variant written at start and the text of the start-up failure message.
#pragma once

#include "platform/language.h"

constexpr int LANGUAGE_INDEX_ENGLISH = 1;
constexpr int LANGUAGE_INDEX_COUNT = 14;

// The language index 1 to 14 of a system language identifier; 1 for every identifier the table
// does not list.
int LanguageIndexOf(LANGID nLangId);

// The number of the embedded layout variant ("XML") that an index selects; 150 (English) for an
// index without a variant of its own.
int LayoutVariantOf(int nLanguageIndex);

// The text of the start-up failure message in the index's language (English where the program has
// no text of that language).
const char* FailureMessageOf(int nLanguageIndex);
