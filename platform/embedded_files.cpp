// The table of embedded files. Entries are made during static initialisation, before main, and
// only read afterwards, so lookups from any thread need no lock.
#include "platform/embedded_files.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct EmbeddedFile {
    std::string strKind;
    int nNumber;
    std::span<const BYTE> bytes;
};

// Built on first use, so that registrations from any translation unit find it constructed.
std::vector<EmbeddedFile>& EmbeddedFiles()
{
    static std::vector<EmbeddedFile> files;
    return files;
}

const EmbeddedFile* Find(std::string_view strKind, int nNumber)
{
    const std::vector<EmbeddedFile>& files = EmbeddedFiles();
    auto it = std::find_if(files.begin(), files.end(), [&](const EmbeddedFile& file) {
        return file.nNumber == nNumber && file.strKind == strKind;
    });
    return it == files.end() ? nullptr : &*it;
}

} // namespace

std::span<const BYTE> FindEmbeddedFile(std::string_view strKind, int nNumber)
{
    const EmbeddedFile* pFile = Find(strKind, nNumber);
    return pFile ? pFile->bytes : std::span<const BYTE>();
}

void RegisterEmbeddedFile(std::string_view strKind, int nNumber, const BYTE* pBytes,
                          std::size_t nSize)
{
    if (Find(strKind, nNumber))
        return;
    EmbeddedFiles().push_back(
        {std::string(strKind), nNumber, std::span<const BYTE>(pBytes, nSize)});
}
