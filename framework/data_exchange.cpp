#include "data_exchange.h"

#include <commctrl.h>

#include <vector>

#include "number_text.h"

namespace {

std::string ItemText(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  const int length = ::GetWindowTextLengthA(item);
  std::vector<char> text(size_t(length) + 2, '\0');
  ::GetWindowTextA(item, text.data(), length + 1);
  return std::string(text.data());
}

}  // namespace

void DataExchange::Fail(int id, const std::string& message) {
  failedControl_ = id;
  failureMessage_ = message;
}

void DataExchange::Check(int id, int& value) {
  if (Skip()) return;
  if (saving_)
    value = ::IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
  else
    ::CheckDlgButton(dialog_, id, value ? BST_CHECKED : BST_UNCHECKED);
}

void DataExchange::Radio(int firstId, int& value) {
  if (Skip()) return;
  HWND button = ::GetDlgItem(dialog_, firstId);
  if (saving_) value = -1;
  for (int index = 0; button; ++index) {
    if (saving_) {
      if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    button = ::GetWindow(button, GW_HWNDNEXT);
    if (!button || (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP)) break;
  }
}

void DataExchange::Int(int id, int& value, int minimum, int maximum) {
  if (Skip()) return;
  if (!saving_) {
    ::SetDlgItemTextA(dialog_, id, std::to_string(value).c_str());
    return;
  }
  int parsed = 0;
  if (!ParseDecimalInt(ItemText(dialog_, id), parsed)) {
    Fail(id, "Please enter an integer.");
  } else if (parsed < minimum || parsed > maximum) {
    Fail(id, "Please enter an integer between " + std::to_string(minimum) + " and " + std::to_string(maximum) + ".");
  } else {
    value = parsed;
  }
}

void DataExchange::Text(int id, std::string& value, int maxLength) {
  if (Skip()) return;
  if (!saving_) {
    ::SendDlgItemMessageA(dialog_, id, EM_LIMITTEXT, WPARAM(maxLength), 0);
    ::SetDlgItemTextA(dialog_, id, value.c_str());
    return;
  }
  const std::string text = ItemText(dialog_, id);
  if (int(text.size()) > maxLength)
    Fail(id, "Enter no more than " + std::to_string(maxLength) + " characters.");
  else
    value = text;
}

void DataExchange::Slider(int id, int& value) {
  if (Skip()) return;
  if (saving_)
    value = int(::SendDlgItemMessageA(dialog_, id, TBM_GETPOS, 0, 0));
  else
    ::SendDlgItemMessageA(dialog_, id, TBM_SETPOS, TRUE, value);
}
