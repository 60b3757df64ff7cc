// The layout frame: the load chain, the look-ups and the controls and fonts it owns.
#include "layout/layout_frame.h"

#include <utility>

#include "layout/layout_reader.h"
#include "platform/system.h"

namespace {

// Destroys the entries in ascending id order. Each leaves the table before it is destroyed, so
// that whatever its window's destruction asks of the frame never meets a half-destroyed control.
void ReleaseTable(LayoutControlMap& table)
{
    while (!table.empty()) {
        LayoutControlMap::node_type node = table.extract(table.begin());
    }
}

} // namespace

CBasicLayoutFrame::CBasicLayoutFrame() = default;

CBasicLayoutFrame::~CBasicLayoutFrame() { ReleaseLayoutControls(); }

void CBasicLayoutFrame::LoadLayout(std::string strRelativePath, int nDialogID, std::string strSection)
{
    const std::string strRoot = GetDataFolderRoot();
    std::string strFullPath = strRoot.empty() ? std::string() : strRoot + strRelativePath;
    LoadLayoutFile(std::move(strFullPath), nDialogID, std::move(strSection));
}

void CBasicLayoutFrame::LoadLayoutFile(std::string strFullPath, int nDialogID, std::string strSection)
{
    ReadLayout(std::move(strFullPath), nDialogID, std::move(strSection));
    ApplyLayout();
}

void CBasicLayoutFrame::ReadLayout(std::string strFullPath, int nDialogID, std::string strSection)
{
    ReadLayoutFile(m_description, strFullPath, nDialogID, strSection);
}

void CBasicLayoutFrame::ApplyLayout()
{
    ApplyDialogDescription();
    ApplyControlDescriptions();
}

void CBasicLayoutFrame::ApplyDialogDescription() {}

void CBasicLayoutFrame::ApplyControlDescriptions() { ReleaseLayoutControls(); }

void CBasicLayoutFrame::BindControls() {}

bool CBasicLayoutFrame::ControlsBound() const { return true; }

CFont* CBasicLayoutFrame::CreateLayoutFont(const std::string& strFaceName, int nSize)
{
    LOGFONT logFont;
    logFont.lfHeight = nSize;
    SetLogFontFaceName(logFont, strFaceName);
    auto pFont = std::make_unique<CFont>();
    pFont->CreateFontIndirect(&logFont);
    m_layoutFonts.push_back(std::move(pFont));
    return m_layoutFonts.back().get();
}

std::string CBasicLayoutFrame::GetLayoutString(const std::string& strStringID) const
{
    auto it = m_description.mapStrings.find(strStringID);
    return it != m_description.mapStrings.end() ? it->second : std::string();
}

int CBasicLayoutFrame::GetControlDescription(int nControlID, ControlDescription& description) const
{
    auto it = m_description.mapControls.find(nControlID);
    if (it == m_description.mapControls.end())
        return 1;
    description = it->second;
    return 0;
}

CLayoutControl* CBasicLayoutFrame::Find(LayoutControlMap& table, int nControlID)
{
    auto it = table.find(nControlID);
    return it != table.end() ? &it->second : nullptr;
}

CLayoutControl* CBasicLayoutFrame::FindButton(int nControlID) { return Find(m_mapButtons, nControlID); }

CLayoutControl* CBasicLayoutFrame::FindTextImageControl(int nControlID)
{
    return Find(m_mapTextImageControls, nControlID);
}

CLayoutControl* CBasicLayoutFrame::FindListControl(int nControlID) { return Find(m_mapListControls, nControlID); }

template <class Frame>
auto& CBasicLayoutFrame::TableOf(Frame& frame, LayoutTable table)
{
    switch (table) {
    case LayoutTable::Buttons: return frame.m_mapButtons;
    case LayoutTable::TextImage: return frame.m_mapTextImageControls;
    case LayoutTable::Lists: break;
    }
    return frame.m_mapListControls;
}

const LayoutControlMap& CBasicLayoutFrame::GetLayoutControls(LayoutTable table) const
{
    return TableOf(*this, table);
}

bool CBasicLayoutFrame::AddLayoutControl(LayoutTable table, int nControlID, CLayoutControl control)
{
    if (control.IsEmpty())
        return false;
    return TableOf(*this, table).try_emplace(nControlID, std::move(control)).second;
}

void CBasicLayoutFrame::ReleaseLayoutControls()
{
    for (std::unique_ptr<CFont>& pFont : m_layoutFonts)
        pFont.reset();
    m_layoutFonts.clear();
    ReleaseTable(m_mapButtons);
    ReleaseTable(m_mapTextImageControls);
    ReleaseTable(m_mapListControls);
}

void CBasicLayoutFrame::RefreshControlBackgrounds(CDC* pParentDC, CWnd* pParentWnd)
{
    for (const LayoutControlMap* pTable : {&m_mapButtons, &m_mapTextImageControls})
        for (const auto& [nControlID, control] : *pTable)
            control.Frame()->RefreshParentSnapshot(pParentDC, control.Wnd(), pParentWnd);
}
