// Draws a small window through the headless host into a PNG: a gradient background, the four
// slices of an image strip, an outline and wrapped Latin and Chinese text.
// Usage: velk_platform_demo_png OUTPUT.png
#include <cstdio>
#include <filesystem>
#include <string>

#include "picture_files.h"
#include "platform/graphics.h"
#include "platform/host_headless.h"
#include "platform/message_loop.h"
#include "platform/window.h"

namespace {

constexpr int kSlice = 70;
constexpr int kSliceHeight = 26;
constexpr const char* kLatin = "Searching new devices, please wait while the list fills in.";
constexpr const char* kChinese = "正在搜索新设备，请稍候。设备列表会在十秒内更新。";

// A four-state button strip: normal, hover, pressed, disabled.
std::uint32_t StripPixel(int x, int y)
{
    static const int tints[4][3] = {{66, 133, 244}, {102, 163, 255}, {40, 96, 190}, {170, 170, 170}};
    const int* tint = tints[x / kSlice];
    const int nInX = x % kSlice;
    if (nInX == 0 || nInX == kSlice - 1 || y == 0 || y == kSliceHeight - 1)
        return Rgba(tint[0] / 2, tint[1] / 2, tint[2] / 2);
    const int nLight = 40 - y * 3;
    auto clamp = [](int n) { return n < 0 ? 0 : n > 255 ? 255 : n; };
    return Rgba(clamp(tint[0] + nLight), clamp(tint[1] + nLight), clamp(tint[2] + nLight));
}

class CDemoWnd : public CWnd {
public:
    explicit CDemoWnd(const std::string& strStrip) : m_strip(strStrip) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return TRUE;
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        CBitmap* pOld = memory.SelectObject(&bitmap);
        Draw(memory, rc);
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
        return 0;
    }

private:
    void Draw(CDC& dc, const CRect& rc)
    {
        Graphics graphics(&dc);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        graphics.FillRectangle(LinearGradientBrush(rc, 0xFFA9BED3, 0xFFD9EAF6, LinearGradientMode::Vertical), 0, 0,
                               rc.Width(), rc.Height());
        graphics.DrawRectangle(Pen(0xFF7E9DB9), 0, 0, rc.Width() - 1, rc.Height() - 1);
        Font title("Tahoma", 15);
        StringFormat centred;
        centred.SetAlignment(StringAlignment::Center);
        centred.SetLineAlignment(StringAlignment::Center);
        graphics.DrawString("VELK WIFI DISK", title, RectF{0, 4, static_cast<float>(rc.Width()), 24}, &centred,
                            SolidBrush(0xFF1F3F66));
        graphics.DrawLine(Pen(0xFF7E9DB9), 10, 30, rc.Width() - 11, 30);
        Font button("宋体", 12);
        static const char* labels[4] = {"Log In", "Hover", "Pressed", "Disabled"};
        for (int i = 0; i < 4; ++i) {
            const int x = 12 + i * (kSlice + 14);
            graphics.DrawImage(m_strip, CRect(x, 40, x + kSlice, 40 + kSliceHeight), i * kSlice, 0, kSlice, kSliceHeight);
            graphics.DrawString(labels[i], button, RectF{static_cast<float>(x), 40, kSlice, kSliceHeight}, &centred,
                                SolidBrush(0xFFF4F5F7));
        }
        Font text("Dotum", 13);
        RectF latin{14, 78, static_cast<float>(rc.Width() - 28), 0};
        RectF bounds;
        graphics.MeasureString(kLatin, text, latin, nullptr, &bounds);
        graphics.DrawString(kLatin, text, latin, nullptr, SolidBrush(0xFF063F69));
        RectF chinese{14, bounds.Y + bounds.Height + 8, static_cast<float>(rc.Width() - 28), 0};
        graphics.DrawString(kChinese, text, chinese, nullptr, SolidBrush(0xFF063F69));
        StringFormat trimmed;
        trimmed.SetTrimming(StringTrimming::EllipsisWord);
        graphics.DrawString("Trimmed at a word: alpha beta gamma delta epsilon zeta eta theta", text,
                            RectF{14, static_cast<float>(rc.Height() - 26), 200, 16}, &trimmed, SolidBrush(0xFF9B6912));
    }

    Image m_strip;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const std::filesystem::path strip = std::filesystem::temp_directory_path() / "velk_demo_strip.png";
    WritePng(strip.string(), 4 * kSlice, kSliceHeight, StripPixel);
    CHeadlessHost host;
    WNDCLASS wc;
    wc.lpszClassName = "VelkDemoWindow";
    AfxRegisterClass(&wc);
    CDemoWnd wnd(strip.string());
    if (!wnd.CreateEx(0, wc.lpszClassName, "VELK WIFI DISK", WS_POPUP | WS_VISIBLE, CRect(100, 100, 456, 320), nullptr, 0))
        return 1;
    host.PumpUntilIdle();
    const bool bWritten = host.WritePng(&wnd, argv[1]);
    std::filesystem::remove(strip);
    if (!bWritten) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
