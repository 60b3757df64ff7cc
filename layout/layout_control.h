// A drawn control as a layout frame keeps it: one owned object, seen both as its platform window
// and as its property frame, so that callers need no casts for either.
#pragma once

#include <concepts>
#include <map>
#include <memory>
#include <utility>

#include "layout/property_frame.h"
#include "platform/window.h"

// A drawn control class: a platform window class together with the property frame.
template <class T>
concept LayoutControlClass = std::derived_from<T, CWnd> && std::derived_from<T, CBasicPropertyFrame>;

class CLayoutControl {
public:
    CLayoutControl() = default;
    template <LayoutControlClass T>
    explicit CLayoutControl(std::unique_ptr<T> pControl) : m_pFrame(pControl.get()), m_pOwner(std::move(pControl))
    {
    }
    CLayoutControl(CLayoutControl&& other) noexcept
        : m_pFrame(std::exchange(other.m_pFrame, nullptr)), m_pOwner(std::move(other.m_pOwner))
    {
    }
    CLayoutControl& operator=(CLayoutControl&& other) noexcept
    {
        m_pOwner = std::move(other.m_pOwner);
        m_pFrame = std::exchange(other.m_pFrame, nullptr);
        return *this;
    }

    // Destroys the control object, which destroys its window.
    ~CLayoutControl() = default;

    bool IsEmpty() const { return !m_pOwner; }
    CWnd* Wnd() const { return m_pOwner.get(); }
    CBasicPropertyFrame* Frame() const { return m_pFrame; }
    // The object as its own class (CStandardListCtrl, ...); null when it is of another class.
    template <class T>
    T* As() const
    {
        return dynamic_cast<T*>(m_pOwner.get());
    }

private:
    CBasicPropertyFrame* m_pFrame = nullptr;
    std::unique_ptr<CWnd> m_pOwner;
};

// Control id to control, in ascending id order.
using LayoutControlMap = std::map<int, CLayoutControl>;

// The three tables of a layout frame.
enum class LayoutTable {
    Buttons,   // StandardButton, RadioBoxButton, CheckBoxButton, DriftButton
    TextImage, // ShowTextCtrl, ShowImageCtrl, ShowTextImageCtrl
    Lists,     // StandardListCtrl, ShowTaskListCtrl
};
