// A named marker that tells a starting copy of the program whether another copy already runs.
#pragma once

#include <string>
#include <string_view>

enum class MarkerState {
    // None held: none could be made (no runtime folder, a stranger's file in the way), or released.
    Failed,
    // This object holds the marker.
    Created,
    // Another holder has it.
    AlreadyExists,
};

// A lock file in the runtime folder, named from the marker name and held with flock for the
// object's lifetime. The kernel drops the lock when the process ends, however it ends.
class CInstanceMarker {
public:
    // Takes the marker of the given name in the runtime folder (GetRuntimeFolder).
    explicit CInstanceMarker(std::string_view strName);
    // Takes the marker of the given name in the given folder.
    CInstanceMarker(std::string_view strName, const std::string& strFolder);
    ~CInstanceMarker();
    CInstanceMarker(const CInstanceMarker&) = delete;
    CInstanceMarker& operator=(const CInstanceMarker&) = delete;

    MarkerState GetState() const { return nState; }
    // Gives the marker up (the state becomes Failed); another holder can take it from then on.
    void Release();

private:
    void CloseFile();

    int nFd = -1;
    MarkerState nState = MarkerState::Failed;
};
