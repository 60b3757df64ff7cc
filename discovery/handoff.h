// The single path by which every search worker delivers a found device: one process-wide
// target, called under one process-wide mutex so that one worker at a time reaches it.
#pragma once

#include "discovery/device_info.h"

#include <functional>

using PFN_DEVICE_EVENT = std::function<int(const SearchDeviceInfo& record, int nPort)>;

// Installs the target (an empty function uninstalls it).
void SetHandOffTarget(PFN_DEVICE_EVENT pfnTarget);

// Gives a copy of the record, with the worker's port, to the target under the hand-off mutex.
void HandOff(const SearchDeviceInfo& record, int nPort);
