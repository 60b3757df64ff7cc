// System services that stand in for the desktop platform's: the data folder root and file paths.
// No desktop library stands behind this header.
#pragma once

#include <string>
#include <string_view>

// The folder under which the program keeps its data: $XDG_DATA_HOME, else $HOME/.local/share;
// empty when neither is known. Never ends in a separator.
std::string GetDataFolderRoot();

// The system's paths are written with backslashes ("\VELKSearchTools\Picture\logo.png") and
// appended to the root as they stand; every file function of the layer takes them through here.
std::string ToNativePath(std::string_view path);
