// Shared pieces of the standard controls' tests: a parent window that writes down the commands
// and notifications its children send it, in order.
#pragma once

#include <string>
#include <vector>

#include "platform_fixture.h"

struct CNotice {
    UINT message = 0; // WM_COMMAND, WM_NOTIFY, WM_VSCROLL or WM_HSCROLL
    UINT nCode = 0;   // the notification or scroll code
    UINT_PTR nID = 0;
    int nItem = -1;   // NM_CLICK and friends: the item; scroll codes: the position
    HWND hFrom = nullptr;

    bool operator==(const CNotice&) const = default;
};

class CRecordingParent : public CProbeWnd {
public:
    std::vector<CNotice> notices;
    // What NM_CUSTOMDRAW is answered with, by stage.
    LRESULT nPrePaintAnswer = CDRF_DODEFAULT;
    std::vector<DWORD> drawStages;

    std::vector<UINT> Codes(UINT message) const
    {
        std::vector<UINT> codes;
        for (const CNotice& notice : notices)
            if (notice.message == message)
                codes.push_back(notice.nCode);
        return codes;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND) {
            notices.push_back({message, HIWORD(wParam), LOWORD(wParam), -1, reinterpret_cast<HWND>(lParam)});
            return 0;
        }
        if (message == WM_VSCROLL || message == WM_HSCROLL) {
            notices.push_back({message, LOWORD(wParam), 0, static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam)});
            return 0;
        }
        if (message == WM_NOTIFY) {
            const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
            if (pHeader->code == NM_CUSTOMDRAW) {
                const auto* pDraw = reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam);
                drawStages.push_back(pDraw->nmcd.dwDrawStage);
                return pDraw->nmcd.dwDrawStage == CDDS_PREPAINT ? nPrePaintAnswer : CDRF_DODEFAULT;
            }
            const int nItem = pHeader->code == NM_CLICK || pHeader->code == NM_DBLCLK || pHeader->code == NM_RCLICK
                                  ? reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem
                                  : -1;
            notices.push_back({message, pHeader->code, pHeader->idFrom, nItem, pHeader->hwndFrom});
            return 0;
        }
        return CProbeWnd::WindowProc(message, wParam, lParam);
    }
};
