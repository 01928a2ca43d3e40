// Dialogs from templates with their data exchange, driven from a second thread as a user would.
#include <windows.h>

#include <list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog.h"
#include "framework_test_ids.h"
#include "ui_driver.h"

namespace {

class ExchangeDialog : public Dialog {
 public:
  ExchangeDialog() : Dialog(IDD_EXCHANGE) {}
  int number = 42;
  std::string name = "abc";
  int enabled = 1;
  int choice = 1;

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    exchange.Int(IDC_NUMBER, number, 0, 100);
    exchange.Text(IDC_NAME, name, 5);
    exchange.Check(IDC_ENABLED, enabled);
    exchange.Radio(IDC_FIRST, choice);
  }
};

TEST(DialogExchange, ControlsShowTheVariablesAndOkReadsThemBack) {
  ExchangeDialog dialog;
  std::string shownNumber, shownName;
  UINT shownCheck = 0, shownSecond = 0;
  UiDriver user([&] {
    HWND hwnd = WaitForWindow("Exchange Test");
    ASSERT_TRUE(hwnd);
    char text[64];
    ::GetDlgItemTextA(hwnd, IDC_NUMBER, text, sizeof text);
    shownNumber = text;
    ::GetDlgItemTextA(hwnd, IDC_NAME, text, sizeof text);
    shownName = text;
    shownCheck = ::IsDlgButtonChecked(hwnd, IDC_ENABLED);
    shownSecond = ::IsDlgButtonChecked(hwnd, IDC_SECOND);
    ::SetDlgItemTextA(hwnd, IDC_NUMBER, " 7 ");
    ::SetDlgItemTextA(hwnd, IDC_NAME, "xyz");
    ::CheckDlgButton(hwnd, IDC_ENABLED, BST_UNCHECKED);
    ::CheckDlgButton(hwnd, IDC_SECOND, BST_UNCHECKED);
    ::CheckDlgButton(hwnd, IDC_THIRD, BST_CHECKED);
    PressButton(hwnd, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(shownNumber, "42");
  EXPECT_EQ(shownName, "abc");
  EXPECT_EQ(shownCheck, UINT(BST_CHECKED));
  EXPECT_EQ(shownSecond, UINT(BST_CHECKED));
  EXPECT_EQ(dialog.number, 7);
  EXPECT_EQ(dialog.name, "xyz");
  EXPECT_EQ(dialog.enabled, 0);
  EXPECT_EQ(dialog.choice, 2);
}

TEST(DialogExchange, AnInvalidValueIsReportedAndTheDialogStaysOpen) {
  ExchangeDialog dialog;
  std::string report;
  UiDriver user([&] {
    HWND hwnd = WaitForWindow("Exchange Test");
    ASSERT_TRUE(hwnd);
    ::SetDlgItemTextA(hwnd, IDC_NUMBER, "250");
    PressButton(hwnd, IDOK);
    HWND box = WaitForWindow("Error");
    ASSERT_TRUE(box);
    HWND textControl = ::GetDlgItem(box, 0xFFFF);
    char text[128] = {};
    ::GetWindowTextA(textControl, text, sizeof text);
    report = text;
    PressButton(box, IDOK);
    // Fixed, it goes through.
    ::Sleep(100);
    ::SetDlgItemTextA(hwnd, IDC_NUMBER, "100");
    PressButton(hwnd, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(report, "Please enter an integer between 0 and 100.");
  EXPECT_EQ(dialog.number, 100);
}

TEST(DialogExchange, CancelLeavesTheVariablesAlone) {
  ExchangeDialog dialog;
  UiDriver user([&] {
    HWND hwnd = WaitForWindow("Exchange Test");
    ASSERT_TRUE(hwnd);
    ::SetDlgItemTextA(hwnd, IDC_NUMBER, "5");
    PressButton(hwnd, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(dialog.number, 42);
}

class TooLongName : public ExchangeDialog {
 public:
  std::string message;
  int focusAfter = 0;

 protected:
  bool OnInitDialog() override {
    ExchangeDialog::OnInitDialog();
    ::SendDlgItemMessageA(Handle(), IDC_NAME, EM_LIMITTEXT, 0, 0);  // as if typed past a limit
    ::SetDlgItemTextA(Handle(), IDC_NAME, "much too long");
    DataExchange exchange(Handle(), true);
    DoDataExchange(exchange);
    message = exchange.FailureMessage();
    focusAfter = exchange.FailedControl();
    EndDialog(IDCANCEL);
    return true;
  }
};

TEST(DialogExchange, TextLongerThanItsLimitNamesTheControl) {
  TooLongName dialog;
  dialog.DoModal(nullptr);
  EXPECT_EQ(dialog.message, "Enter no more than 5 characters.");
  EXPECT_EQ(dialog.focusAfter, IDC_NAME);
}

// Whatever the user typed in the number box, with what the exchange made of it.
struct TypedNumber {
  const char* text;
  int number;           // the variable afterwards (42 when refused)
  const char* message;  // empty when taken
};

class TypedNumbers : public ExchangeDialog {
 public:
  explicit TypedNumbers(const std::vector<TypedNumber>& cases) : cases_(cases) {}
  std::vector<TypedNumber> seen;

 protected:
  bool OnInitDialog() override {
    ExchangeDialog::OnInitDialog();
    for (const TypedNumber& typed : cases_) {
      ::SetDlgItemTextA(Handle(), IDC_NUMBER, typed.text);
      number = 42;
      DataExchange exchange(Handle(), true);
      DoDataExchange(exchange);
      messages_.push_back(exchange.FailureMessage());
      seen.push_back({typed.text, number, messages_.back().c_str()});
    }
    EndDialog(IDCANCEL);
    return true;
  }

 private:
  const std::vector<TypedNumber>& cases_;
  std::list<std::string> messages_;
};

TEST(DialogExchange, ANumberMustBeTheWholeText) {
  const char* const kNotANumber = "Please enter an integer.";
  const std::vector<TypedNumber> cases = {
      {"9999+1", 42, kNotANumber}, {"1-2", 42, kNotANumber},  {"50-", 42, kNotANumber},
      {"5 0", 42, kNotANumber},    {"7x", 42, kNotANumber},   {"", 42, kNotANumber},
      {"-", 42, kNotANumber},      {" 7 ", 7, ""},            {"+15", 15, ""},
      {"\t100", 100, ""},          {"-0", 0, ""},
      {"101", 42, "Please enter an integer between 0 and 100."},
  };
  TypedNumbers dialog(cases);
  dialog.DoModal(nullptr);
  ASSERT_EQ(dialog.seen.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(dialog.seen[i].number, cases[i].number) << '"' << cases[i].text << '"';
    EXPECT_STREQ(dialog.seen[i].message, cases[i].message) << '"' << cases[i].text << '"';
  }
}

}  // namespace
