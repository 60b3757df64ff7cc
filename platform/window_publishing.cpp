// Titled top-level windows in the window directory: published under their titles so that another
// process finds them (CRemoteWindow), and the messages it sends served on the GUI thread from the
// host's loop.
#include "platform/window_system.h"

#include "platform/runtime_folder.h"

namespace velk::platform {

namespace {

// Another process can only mean integers by its parameters, so it reaches private messages only:
// the system's messages (and the controls' ones above LVM_FIRST) carry pointers.
bool IsRemoteMessage(UINT nMsg)
{
    return (nMsg >= WM_USER && nMsg < 0x1000) || (nMsg >= WM_APP && nMsg <= 0xBFFF);
}

CWindowDirectory::WindowKey KeyOf(HWND hWnd) { return reinterpret_cast<CWindowDirectory::WindowKey>(hWnd); }

} // namespace

bool CWindowSystem::StartPublishing(const std::string& strFolder)
{
    const std::string strWhere = strFolder.empty() ? GetRuntimeFolder() : strFolder;
    if (strWhere.empty())
        return false;
    m_pDirectory = std::make_unique<CWindowDirectory>(strWhere);
    for (HWND hTop : m_topLevels)
        if (CWindowRecord* pTop = Find(hTop))
            PublishTitle(pTop);
    if (m_pHost)
        m_pHost->Wake();
    return true;
}

void CWindowSystem::StopPublishing() { m_pDirectory.reset(); }

void CWindowSystem::PublishTitle(CWindowRecord* pRecord)
{
    if (!m_pDirectory || pRecord->IsChild())
        return;
    // An empty title (or one another window holds) leaves the window unpublished.
    if (pRecord->strText.empty())
        m_pDirectory->Withdraw(KeyOf(pRecord->hWnd));
    else
        m_pDirectory->Publish(KeyOf(pRecord->hWnd), pRecord->strText);
}

void CWindowSystem::WithdrawTitle(HWND hWnd)
{
    if (m_pDirectory)
        m_pDirectory->Withdraw(KeyOf(hWnd));
}

std::vector<int> CWindowSystem::PollDescriptors() const
{
    return m_pDirectory ? m_pDirectory->GetPollDescriptors() : std::vector<int>{};
}

void CWindowSystem::ServeDescriptor(int nFd)
{
    if (!m_pDirectory)
        return;
    m_pDirectory->Dispatch(nFd, [this](CWindowDirectory::WindowKey nKey, UINT nMsg, WPARAM wParam, LPARAM lParam) {
        const HWND hWnd = reinterpret_cast<HWND>(nKey);
        CWindowRecord* pRecord = Find(hWnd);
        // Floating popups (tooltips) take pointers in their private messages too.
        if (!pRecord || pRecord->IsChild() || (pRecord->nClassStyle & CS_DROPSHADOW) || !IsRemoteMessage(nMsg))
            return LRESULT{0};
        return Send(hWnd, nMsg, wParam, lParam);
    });
}

} // namespace velk::platform

std::vector<int> CHostEvents::PollDescriptors() { return velk::platform::CWindowSystem::Get().PollDescriptors(); }

void CHostEvents::DescriptorReady(int nFd) { velk::platform::CWindowSystem::Get().ServeDescriptor(nFd); }

BOOL PublishWindowTitles(const std::string& strFolder)
{
    return velk::platform::CWindowSystem::Get().StartPublishing(strFolder) ? TRUE : FALSE;
}

void StopPublishingWindowTitles() { velk::platform::CWindowSystem::Get().StopPublishing(); }
