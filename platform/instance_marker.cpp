// The single-instance marker over flock.
#include "platform/instance_marker.h"

#include "platform/runtime_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

CInstanceMarker::CInstanceMarker(std::string_view strName)
    : CInstanceMarker(strName, GetRuntimeFolder())
{
}

CInstanceMarker::CInstanceMarker(std::string_view strName, const std::string& strFolder)
{
    if (strFolder.empty())
        return;
    std::string path = strFolder + "/" + RuntimeEntryName("marker", strName, ".lock");
    // Close-on-exec, so that programs we start (a file manager that outlives us) never hold it.
    nFd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (nFd < 0)
        return;
    struct stat st { };
    if (fstat(nFd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        CloseFile();
        return;
    }
    int nResult;
    do {
        nResult = flock(nFd, LOCK_EX | LOCK_NB);
    } while (nResult != 0 && errno == EINTR);
    if (nResult == 0) {
        nState = MarkerState::Created;
        return;
    }
    bool bHeld = errno == EWOULDBLOCK;
    CloseFile();
    nState = bHeld ? MarkerState::AlreadyExists : MarkerState::Failed;
}

CInstanceMarker::~CInstanceMarker()
{
    Release();
}

void CInstanceMarker::Release()
{
    CloseFile();
    nState = MarkerState::Failed;
}

void CInstanceMarker::CloseFile()
{
    if (nFd >= 0)
        close(nFd);
    nFd = -1;
}
