// Reading the kernel's mount table (/proc/self/mountinfo) and the SMB mounts in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct KernelMount {
    std::string strMountPoint;
    std::string strFsType;
    std::string strSource;
};

// Every well-formed line of a mountinfo text, its octal escapes ("\040" for a space) decoded; lines
// that lack a field are skipped.
std::vector<KernelMount> ParseMountInfo(std::string_view strText);

// Decodes mountinfo's three-digit octal escapes; any other backslash stays as it is.
std::string DecodeMountInfoEscapes(std::string_view strField);

// Whether a file system type is the kernel's SMB client ("cifs", "smb3", the old "smbfs").
bool IsSmbFileSystem(std::string_view strFsType);

// The host of an SMB source: "192.168.1.5" of "//192.168.1.5/share" (backslashes read as slashes,
// brackets of an IPv6 host removed); empty when the source names none.
std::string HostOfSmbSource(std::string_view strSource);

// The text of /proc/self/mountinfo; empty when it cannot be read.
std::string ReadMountInfo();
