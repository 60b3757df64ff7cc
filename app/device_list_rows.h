// The rows of the device list: one row per device record, the newest at the top.
#pragma once

#include <vector>

#include "discovery/device_info.h"
#include "platform/listview.h"

// The device list's columns: host name, IP address, device type.
inline constexpr int kDeviceColumnHost = 0;
inline constexpr int kDeviceColumnIP = 1;
inline constexpr int kDeviceColumnType = 2;

// Inserts a row at the top showing the record's host name, address and product, each converted
// from the locale's code set.
void InsertDeviceRow(CListCtrl& list, const SearchDeviceInfo& device);

// Replaces every row with the records, so that the last record is the top row.
void FillDeviceRows(CListCtrl& list, const std::vector<SearchDeviceInfo>& devices);

// Inserts at the top a row for each record whose address text no row shows yet; rows already
// there are neither removed nor changed. An empty list is filled as FillDeviceRows does.
void AddNewDeviceRows(CListCtrl& list, const std::vector<SearchDeviceInfo>& devices);
