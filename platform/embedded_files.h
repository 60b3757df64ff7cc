// Files embedded into the program at build time (velk_embed_files in cmake/VelkEmbed.cmake), found
// by a kind ("XML", "BMP", "PNG") and a number.
#pragma once

#include "platform/types.h"

#include <cstddef>
#include <span>
#include <string_view>

// The bytes of the embedded file of that kind and number; empty for a pair nothing embeds.
std::span<const BYTE> FindEmbeddedFile(std::string_view strKind, int nNumber);

// Enters one embedded file; the generated sources call it while the program starts. A second entry
// of the same pair is ignored (the build refuses such pairs before that).
void RegisterEmbeddedFile(std::string_view strKind, int nNumber, const BYTE* pBytes,
                          std::size_t nSize);
