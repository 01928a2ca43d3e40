#pragma once
// The few list-view calls the contacts and attachments dialogs share.
#include <windows.h>
#include <commctrl.h>

#include <string>

void AddListColumn(HWND list, int column, const char* title, int width);
// Appends a row with the first column's text and the row's sort key; returns its index.
int AppendListRow(HWND list, const std::string& text, LPARAM key);
void SetListText(HWND list, int row, int column, const std::string& text);
std::string ListText(HWND list, int row, int column, size_t limit);
// Deletes the row at the selection mark, when there is one.
void DeleteMarkedRow(HWND list);
