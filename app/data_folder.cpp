// The data folder: the layout file of the system's language and the eight pictures, written anew
// from the embedded files at every start.
#include "app/dravonel_app.h"

#include "app/embedded_resources.h"
#include "app/language_table.h"
#include "platform/embedded_files.h"
#include "platform/system.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsDirectory(const std::string& strNativePath)
{
    struct stat st {};
    return stat(strNativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool WriteAll(int nFd, std::span<const BYTE> bytes)
{
    while (!bytes.empty()) {
        const ssize_t nWritten = write(nFd, bytes.data(), bytes.size());
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(nWritten));
    }
    return true;
}

} // namespace

std::string CDravonelApp::GetDataFolderRoot()
{
    return ::GetDataFolderRoot();
}

bool CDravonelApp::MakeFolder(const std::string& strPath)
{
    const std::string strNative = ToNativePath(strPath);
    return IsDirectory(strNative) || mkdir(strNative.c_str(), 0755) == 0;
}

bool CDravonelApp::PrepareDataFolder()
{
    const std::string strRoot = GetDataFolderRoot();
    // Without a root the folders would land in the file system's root.
    if (strRoot.empty())
        return false;
    // A fresh account may not have its data home yet; the folders below it are made one by one.
    std::error_code error;
    std::filesystem::create_directories(ToNativePath(strRoot), error);
    if (!MakeFolder(strRoot + kDataFolder) || !MakeFolder(strRoot + kPictureFolder))
        return false;
    return WriteLayoutFile() && WritePictureFiles();
}

bool CDravonelApp::WriteLayoutFile()
{
    const int nVariant = LayoutVariantOf(GetLanguageIndex());
    return ExtractResourceToFile(kLayoutKind, nVariant,
                                 GetDataFolderRoot() + kDataFolder + kLayoutFile);
}

bool CDravonelApp::WritePictureFiles()
{
    const std::string strFolder = GetDataFolderRoot() + kPictureFolder;
    for (const PictureResource& picture : kPictureResources) {
        if (!ExtractResourceToFile(picture.szKind, picture.nNumber, strFolder + picture.szFileName))
            return false;
    }
    return true;
}

bool CDravonelApp::ExtractResourceToFile(const char* szKind, int nNumber, const std::string& strPath)
{
    if (strPath.empty())
        return false;
    const std::span<const BYTE> bytes = FindEmbeddedFile(szKind, nNumber);
    if (bytes.empty())
        return false;
    const int nFd = open(ToNativePath(strPath).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (nFd < 0)
        return false;
    // A full disk must not leave a cut file behind that start-up calls written.
    const bool bWritten = WriteAll(nFd, bytes);
    return close(nFd) == 0 && bWritten;
}
