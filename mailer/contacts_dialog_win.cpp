#include <windows.h>
#include <commctrl.h>

#include "list_view_win.h"
#include "mailer_dialogs_win.h"
#include "mailer_registry_win.h"
#include "postlark_resource.h"

namespace {
constexpr size_t kContactField = 500;
constexpr size_t kListText = 1000;

// The two texts "Edit Contact" shows and returns.
struct ContactFields {
  std::string name, address;
};

bool g_ascending = true;

INT_PTR CALLBACK ContactDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* fields = reinterpret_cast<ContactFields*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      fields = reinterpret_cast<ContactFields*>(lParam);
      CenterOnDesktop(dialog);
      ::SetDlgItemTextA(dialog, IDC_CONTACT_NAME, fields->name.c_str());
      ::SetDlgItemTextA(dialog, IDC_CONTACT_ADDRESS, fields->address.c_str());
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        fields->name = WindowText(::GetDlgItem(dialog, IDC_CONTACT_NAME), kContactField);
        fields->address = WindowText(::GetDlgItem(dialog, IDC_CONTACT_ADDRESS), kContactField);
      }
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
  }
  return FALSE;
}

// True when the user pressed OK.
bool EditContact(HWND owner, ContactFields& fields) {
  return ::DialogBoxParamA(PostlarkModule(), MAKEINTRESOURCEA(IDD_CONTACT), owner, ContactDlgProc,
                           reinterpret_cast<LPARAM>(&fields)) == IDOK;
}

int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM ascending) {
  return CompareContactKeys(static_cast<uint32_t>(a), static_cast<uint32_t>(b), ascending != 0);
}

void SortRows(HWND list) { ListView_SortItems(list, CompareRows, g_ascending ? 1 : 0); }

void AddRow(HWND list, const Contact& contact) {
  const int row = AppendListRow(list, contact.name, static_cast<LPARAM>(ContactSortKey(contact.name)));
  SetListText(list, row, 1, contact.address);
}

void FillRows(HWND list) {
  RECT client;
  ::GetClientRect(list, &client);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  AddListColumn(list, 0, "Contact Name", 120);
  AddListColumn(list, 1, "Email Address", client.right - 120);
  for (const Contact& contact : g_mailerSettings.Contacts()) AddRow(list, contact);
  g_ascending = true;
  SortRows(list);
}

void NewContact(HWND dialog, HWND list) {
  ContactFields fields;
  // Cancel, or an empty name or address, adds nothing: an empty entry would end the stored list.
  if (!EditContact(dialog, fields) || fields.name.empty() || fields.address.empty()) return;
  AddRow(list, {fields.name, fields.address});
  SortRows(list);
}

void EditRow(HWND dialog, HWND list, int row) {
  ContactFields fields{ListText(list, row, 0, kContactField), ListText(list, row, 1, kContactField)};
  if (!EditContact(dialog, fields)) return;
  SetListText(list, row, 0, fields.name);
  SetListText(list, row, 1, fields.address);
}

void StoreRows(HWND list) {
  std::vector<Contact> rows;
  for (int row = 0, count = ListView_GetItemCount(list); row < count; ++row)
    rows.push_back({ListText(list, row, 0, kListText), ListText(list, row, 1, kListText)});
  SplitContacts(rows, g_mailerSettings.contactNames, g_mailerSettings.contactAddresses);
  WriteRegList("contacts", g_mailerSettings.contactNames);
  WriteRegList("addresses", g_mailerSettings.contactAddresses);
}
}  // namespace

INT_PTR CALLBACK ContactsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND list = ::GetDlgItem(dialog, IDC_CONTACT_LIST);
  switch (message) {
    case WM_INITDIALOG:
      CenterOnDesktop(dialog);
      FillRows(list);
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_CONTACT_LIST) break;
      if (header->code == LVN_COLUMNCLICK) {
        g_ascending = !g_ascending;
        SortRows(list);
      } else if (header->code == NM_DBLCLK) {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem;
        if (row >= 0) EditRow(dialog, list, row);
      }
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_NEW: NewContact(dialog, list); return TRUE;
        case IDC_DELETE: DeleteMarkedRow(list); return TRUE;
        case IDOK:
          StoreRows(list);
          ::EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL: ::EndDialog(dialog, IDCANCEL); return TRUE;
      }
  }
  return FALSE;
}
