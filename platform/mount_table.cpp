// mountinfo lines: "id parent major:minor root mount-point options [optional...] - type source
// super".
#include "platform/mount_table.h"

#include <fstream>
#include <sstream>

namespace {

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

std::vector<std::string_view> SpaceSeparatedFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t nPos = 0;
    while (nPos < line.size()) {
        std::size_t nStart = line.find_first_not_of(' ', nPos);
        if (nStart == std::string_view::npos)
            break;
        std::size_t nEnd = line.find(' ', nStart);
        fields.push_back(line.substr(nStart, nEnd - nStart));
        nPos = nEnd == std::string_view::npos ? line.size() : nEnd;
    }
    return fields;
}

bool ParseMountLine(std::string_view line, KernelMount& mount)
{
    std::vector<std::string_view> fields = SpaceSeparatedFields(line);
    // Six fixed fields, optional ones, then the separator and type, source and super options.
    std::size_t nSeparator = 6;
    while (nSeparator < fields.size() && fields[nSeparator] != "-")
        ++nSeparator;
    if (nSeparator + 2 >= fields.size())
        return false;
    mount.strMountPoint = DecodeMountInfoEscapes(fields[4]);
    mount.strFsType = DecodeMountInfoEscapes(fields[nSeparator + 1]);
    mount.strSource = DecodeMountInfoEscapes(fields[nSeparator + 2]);
    return true;
}

} // namespace

std::string DecodeMountInfoEscapes(std::string_view strField)
{
    std::string decoded;
    for (std::size_t i = 0; i < strField.size(); ++i) {
        if (strField[i] == '\\' && i + 3 < strField.size() && IsOctalDigit(strField[i + 1]) &&
            IsOctalDigit(strField[i + 2]) && IsOctalDigit(strField[i + 3])) {
            decoded += static_cast<char>(((strField[i + 1] - '0') << 6) |
                                         ((strField[i + 2] - '0') << 3) | (strField[i + 3] - '0'));
            i += 3;
        } else {
            decoded += strField[i];
        }
    }
    return decoded;
}

std::vector<KernelMount> ParseMountInfo(std::string_view strText)
{
    std::vector<KernelMount> mounts;
    while (!strText.empty()) {
        std::size_t nEnd = strText.find('\n');
        KernelMount mount;
        if (ParseMountLine(strText.substr(0, nEnd), mount))
            mounts.push_back(std::move(mount));
        strText = nEnd == std::string_view::npos ? std::string_view() : strText.substr(nEnd + 1);
    }
    return mounts;
}

bool IsSmbFileSystem(std::string_view strFsType)
{
    return strFsType == "cifs" || strFsType == "smb3" || strFsType == "smbfs";
}

std::string HostOfSmbSource(std::string_view strSource)
{
    auto isSeparator = [](char c) { return c == '/' || c == '\\'; };
    if (strSource.size() < 2 || !isSeparator(strSource[0]) || !isSeparator(strSource[1]))
        return {};
    std::string_view rest = strSource.substr(2);
    if (rest.starts_with('[')) {
        std::size_t nClose = rest.find(']');
        return nClose == std::string_view::npos ? std::string()
                                                : std::string(rest.substr(1, nClose - 1));
    }
    return std::string(rest.substr(0, rest.find_first_of("/\\")));
}

std::string ReadMountInfo()
{
    std::ifstream file("/proc/self/mountinfo");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
