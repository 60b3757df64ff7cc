// The files the program carries inside itself (FindEmbeddedFile) and where start-up writes them.
#pragma once

#include <array>

// The layout variants are of this kind, numbered as the language table chooses them.
inline constexpr const char* kLayoutKind = "XML";

// The program icon (a 256-pixel PNG) and its 16-pixel form for small places.
inline constexpr const char* kIconKind = "ICON";
inline constexpr const char* kSmallIconKind = "ICON_SMALL";
inline constexpr int kIconNumber = 128;

struct PictureResource {
    const char* szKind;
    int nNumber;
    const char* szFileName; // below the picture folder
};

// The eight pictures in the order start-up writes them.
inline constexpr std::array<PictureResource, 8> kPictureResources = {{
    {"BMP", 158, "\\SearchDevice_BlackGround.bmp"},
    {"PNG", 146, "\\SearchDevice_BlackGround.png"},
    {"PNG", 139, "\\Brush.png"},
    {"PNG", 144, "\\logo.png"},
    {"PNG", 147, "\\headerbackground.png"},
    {"PNG", 148, "\\headerclip.png"},
    {"PNG", 141, "\\close.png"},
    {"PNG", 140, "\\ButtonMax.png"},
}};
