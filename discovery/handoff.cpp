#include "discovery/handoff.h"

#include "log/log_system.h"

#include <boost/thread/lock_guard.hpp>
#include <boost/thread/mutex.hpp>

namespace {

boost::mutex mtxHandOff;
PFN_DEVICE_EVENT pfnDeviceEvent;

} // namespace

void SetHandOffTarget(PFN_DEVICE_EVENT pfnTarget)
{
    boost::lock_guard<boost::mutex> lock(mtxHandOff);
    pfnDeviceEvent = std::move(pfnTarget);
}

void HandOff(const SearchDeviceInfo& record, int nPort)
{
    CLogSystem::Write("Handle %d : Search %d Thread Find Device and wait for mutex  ", nPort, nPort);
    boost::lock_guard<boost::mutex> lock(mtxHandOff);
    CLogSystem::Write("Handle %d : Search %d Thread Find Device have Mutex  ", nPort, nPort);
    const SearchDeviceInfo copy = record;
    CLogSystem::Write("Handle %d : Search %d Thread Find Device ID : %s, IP : %s  ", nPort, nPort,
                      copy.szID, copy.szIP);
    if (pfnDeviceEvent)
        pfnDeviceEvent(copy, nPort);
    CLogSystem::Write("Handle %d : Search %d Thread Find Device Success Handle  ", nPort, nPort);
}
