#include "dialog_driver.h"

#include <gtest/gtest.h>


INT_PTR RunModal(Dialog& dialog, const std::string& caption, const std::function<void(HWND)>& steps) {
  UiDriver user([&] {
    HWND window = WaitForWindow(caption);
    if (!window) {
      ADD_FAILURE() << "no window \"" << caption << "\"";
      return;
    }
    steps(window);
  });
  return dialog.DoModal(nullptr);
}

std::string RefusalOf(Dialog& dialog, const std::string& caption, int id, const std::string& text) {
  std::string message;
  const INT_PTR result = RunModal(dialog, caption, [&](HWND window) {
    ::SetDlgItemTextA(window, id, text.c_str());
    PressButton(window, IDOK);
    message = AnswerMessageBox();
    PressButton(window, IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL) << "refusing \"" << text << "\" closed the dialog";
  return message;
}
