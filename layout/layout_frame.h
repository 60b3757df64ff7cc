// The part of a drawn dialog that knows its layout description: it reads the description, runs
// the chain of hooks that apply it, owns the controls and fonts made from it and answers
// look-ups by id. GUI thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "layout/layout_control.h"
#include "layout/layout_description.h"
#include "platform/gdi.h"
#include "platform/window.h"

class CBasicLayoutFrame {
public:
    // An empty description, no fonts, empty tables.
    CBasicLayoutFrame();
    // Releases the controls and fonts.
    virtual ~CBasicLayoutFrame();
    CBasicLayoutFrame(const CBasicLayoutFrame&) = delete;
    CBasicLayoutFrame& operator=(const CBasicLayoutFrame&) = delete;

    // LoadLayoutFile with the data folder root followed by strRelativePath (an empty root gives
    // an empty path). A missing attribute in the file (CLayoutReadError) leaves this raised,
    // and then no hook runs.
    virtual void LoadLayout(std::string strRelativePath, int nDialogID, std::string strSection);
    // ReadLayout, then ApplyLayout.
    virtual void LoadLayoutFile(std::string strFullPath, int nDialogID, std::string strSection);
    // Reads the description from the file; whatever the reader left there is applied later.
    virtual void ReadLayout(std::string strFullPath, int nDialogID, std::string strSection);
    // ApplyDialogDescription, then ApplyControlDescriptions.
    virtual void ApplyLayout();
    // Hook for the dialog's own look; does nothing here.
    virtual void ApplyDialogDescription();
    // Hook that (re)creates or places the controls; here it only releases the earlier ones.
    virtual void ApplyControlDescriptions();
    // Hook for a window that keeps references to some of its controls; does nothing here.
    virtual void BindControls();
    // Whether the controls the window needs exist; true here.
    virtual bool ControlsBound() const;

    // A new GDI font of cell height nSize and the face (cut to 31 characters), kept until the
    // controls are released. Every call makes a new object, also when no font could be made.
    CFont* CreateLayoutFont(const std::string& strFaceName, int nSize);
    // The string of that id (exact match), or an empty string.
    std::string GetLayoutString(const std::string& strStringID) const;
    // 0 and a copy in description when the id is described; 1 and description untouched if not.
    int GetControlDescription(int nControlID, ControlDescription& description) const;
    // The control kept under the id in that table, or null.
    CLayoutControl* FindButton(int nControlID);
    CLayoutControl* FindTextImageControl(int nControlID);
    CLayoutControl* FindListControl(int nControlID);

    // Takes a control into a table under its id; refuses (false) an empty control or an id that
    // the table already holds, and a refused control is destroyed with its window.
    bool AddLayoutControl(LayoutTable table, int nControlID, CLayoutControl control);
    template <LayoutControlClass T>
    bool AddLayoutControl(LayoutTable table, int nControlID, std::unique_ptr<T> pControl)
    {
        return AddLayoutControl(table, nControlID, CLayoutControl(std::move(pControl)));
    }
    // Destroys the fonts in the order they were made, then the buttons, the text and image
    // controls and the lists, each table in ascending id order, every control with its window.
    void ReleaseLayoutControls();
    // Gives every button, then every text and image control, a copy of pParentDC's pixels under
    // it, pParentDC holding pParentWnd's freshly painted background.
    void RefreshControlBackgrounds(CDC* pParentDC, CWnd* pParentWnd);

    const DialogDescription& GetDialogDescription() const { return m_description; }
    const LayoutControlMap& GetLayoutControls(LayoutTable table) const;
    const std::vector<std::unique_ptr<CFont>>& GetLayoutFonts() const { return m_layoutFonts; }

protected:
    DialogDescription m_description;

private:
    // The table of that kind, const or not as the frame is.
    template <class Frame>
    static auto& TableOf(Frame& frame, LayoutTable table);
    static CLayoutControl* Find(LayoutControlMap& table, int nControlID);

    std::vector<std::unique_ptr<CFont>> m_layoutFonts;
    LayoutControlMap m_mapButtons;
    LayoutControlMap m_mapTextImageControls;
    LayoutControlMap m_mapListControls;
};
