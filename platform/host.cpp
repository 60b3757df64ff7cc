// What hosts report, handed to the window system; attaching and detaching hosts.
#include "platform/host.h"

#include "platform/window_system.h"

using velk::platform::CRawInput;
using velk::platform::CWindowSystem;

void CHostEvents::Mouse(HWND hTopLevel, const CHostMouseEvent& event)
{
    CRawInput input;
    input.hTopLevel = hTopLevel;
    input.mouse = event;
    CWindowSystem::Get().QueueInput(input);
}

void CHostEvents::Key(HWND hTopLevel, const CHostKeyEvent& event)
{
    CRawInput input;
    input.hTopLevel = hTopLevel;
    input.bKey = true;
    input.key = event;
    CWindowSystem::Get().QueueInput(input);
}

void CHostEvents::Expose(HWND hTopLevel, const CRect& rcWindow) { CWindowSystem::Get().ExposeFrame(hTopLevel, rcWindow); }

void CHostEvents::Close(HWND hTopLevel) { CWindowSystem::Get().Post(hTopLevel, WM_CLOSE, 0, 0); }

void CHostEvents::Moved(HWND hTopLevel, POINT ptScreenTopLeft) { CWindowSystem::Get().NativeMoved(hTopLevel, ptScreenTopLeft); }

void CHostEvents::Iconic(HWND hTopLevel, bool bIconic) { CWindowSystem::Get().NativeIconic(hTopLevel, bIconic); }

void AttachWindowHost(IWindowHost* pHost) { CWindowSystem::Get().AttachHost(pHost); }

void DetachWindowHost(IWindowHost* pHost) { CWindowSystem::Get().DetachHost(pHost); }

IWindowHost* GetWindowHost() { return CWindowSystem::Get().Host(); }
