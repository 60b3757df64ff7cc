#include "app/device_list_rows.h"

#include <set>
#include <string>

#include "platform/text_conversion.h"

void InsertDeviceRow(CListCtrl& list, const SearchDeviceInfo& device)
{
    const int nRow = list.InsertItem(0, std::string());
    if (nRow < 0)
        return;
    list.SetItemText(nRow, kDeviceColumnHost, LocaleTextToUtf8(DeviceText(device.szHost)));
    list.SetItemText(nRow, kDeviceColumnIP, LocaleTextToUtf8(DeviceText(device.szIP)));
    list.SetItemText(nRow, kDeviceColumnType, LocaleTextToUtf8(DeviceText(device.szProduct)));
}

void FillDeviceRows(CListCtrl& list, const std::vector<SearchDeviceInfo>& devices)
{
    list.DeleteAllItems();
    for (const SearchDeviceInfo& device : devices)
        InsertDeviceRow(list, device);
}

void AddNewDeviceRows(CListCtrl& list, const std::vector<SearchDeviceInfo>& devices)
{
    const int nRows = list.GetItemCount();
    if (nRows == 0) {
        FillDeviceRows(list, devices);
        return;
    }
    // The texts are taken before anything is inserted: each insertion at the top moves the
    // earlier rows down, so reading them by index afterwards would miss some.
    std::set<std::string> shown;
    for (int nRow = 0; nRow < nRows; ++nRow)
        shown.insert(list.GetItemText(nRow, kDeviceColumnIP));
    for (const SearchDeviceInfo& device : devices) {
        if (shown.insert(LocaleTextToUtf8(DeviceText(device.szIP))).second)
            InsertDeviceRow(list, device);
    }
}
