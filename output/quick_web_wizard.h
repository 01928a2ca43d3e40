#pragma once
// The Quick Web wizard: thirteen pages that bind their controls straight to the "QuickWeb"
// settings, with Back, Next and Finish. Next from the page options skips the image pages' own
// settings while no pages are made (and Back from the last page skips them the same way).
#include <windows.h>

#include <string>
#include <vector>

#include "color_swatch.h"
#include "property_page.h"

// Runs the wizard modally over the owner; true when it ended with Finish (every page's values
// stored), false when it was cancelled.
bool RunQuickWebWizard(HWND owner);

// A wizard page whose controls a table binds to settings, and whose edits and buttons a table
// enables while their check boxes are checked.
class QuickWebPage : public PropertyPage {
 public:
  struct Binding {
    enum Kind { kCheck, kRadio, kText, kInt } kind;
    int id;
    int* number;
    std::string* text;
    int minimum, maximum;
  };
  // id is enabled while check is checked (clear, with whileClear), and also alsoCheck when given.
  struct Enabling {
    int id;
    int check;
    int alsoCheck;
    bool whileClear;
  };

  QuickWebPage(int templateId, int index, std::vector<Binding> bindings, std::vector<Enabling> enablings = {});

  static Binding Check(int id, int& value) { return {Binding::kCheck, id, &value, nullptr, 0, 0}; }
  static Binding Radio(int id, int& value) { return {Binding::kRadio, id, &value, nullptr, 0, 0}; }
  static Binding Text(int id, std::string& value) { return {Binding::kText, id, nullptr, &value, 0, 0}; }
  static Binding Int(int id, int& value, int minimum, int maximum) {
    return {Binding::kInt, id, &value, nullptr, minimum, maximum};
  }

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // The template Next or Back goes to in place of the neighbouring page; 0 for the neighbour.
  virtual int NextPage() { return 0; }
  virtual int BackPage() { return 0; }
  // The user leaves the page (Back or Next); false keeps the wizard on it.
  virtual bool OnLeave() { return true; }
  virtual bool OnFinish() { return false; }
  bool Checked(int id) const { return ::IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

 private:
  void UpdateEnabling();

  const int index_;
  std::vector<Binding> bindings_;
  std::vector<Enabling> enablings_;
};

class CQW0 : public QuickWebPage {
 public:
  CQW0();
};

class CQW1B : public QuickWebPage {
 public:
  CQW1B();

 protected:
  bool OnCommand(int id, int code) override;
  bool OnLeave() override;
};

class CQW1 : public QuickWebPage {
 public:
  CQW1();
};

class CQW3 : public QuickWebPage {
 public:
  CQW3();

 protected:
  bool OnCommand(int id, int code) override;
};

class CQW2 : public QuickWebPage {
 public:
  CQW2();

 protected:
  void DoDataExchange(DataExchange& exchange) override;
};

// The colours of the index page (CQW6) or of the image pages (CQW5), each in a swatch, and a
// background picture chosen by name.
class QuickWebColorPage : public QuickWebPage {
 public:
  struct Colors {
    int &background, &text, &link, &visited, &useImage;
    std::string& image;
  };
  QuickWebColorPage(int templateId, int index, const Colors& colors, std::vector<Binding> more);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& exchange) override;
  bool OnCommand(int id, int code) override;

 private:
  static std::vector<Binding> Bindings(const Colors& colors, std::vector<Binding> more);
  int* values_[4];
  std::string* image_;
  CColorGroupBox boxes_[4];
};

class CQW6 : public QuickWebColorPage {
 public:
  CQW6();
};

class CQW5 : public QuickWebColorPage {
 public:
  CQW5();
};

// FONT attributes of two kinds of text: the index page's (CQW3B) or the image pages' (CQW3C).
class QuickWebFontPage : public QuickWebPage {
 public:
  struct Font {
    int &useFace, &useSize, &useColor;
    std::string &face, &size, &color;
  };
  QuickWebFontPage(int templateId, int index, const Font& opening, const Font& text);

 private:
  static std::vector<Binding> Bindings(const Font& opening, const Font& text);
};

class CQW3B : public QuickWebFontPage {
 public:
  CQW3B();
};

class CQW3C : public QuickWebFontPage {
 public:
  CQW3C();
};

// Start and end include files: of the index page (CQW1A) or of the image pages (CQW1C).
class QuickWebIncludePage : public QuickWebPage {
 public:
  struct Include {
    int check, edit, browse;
    int& use;
    std::string& file;
  };
  QuickWebIncludePage(int templateId, int index, const Include& start, const Include& end);

 protected:
  bool OnCommand(int id, int code) override;

 private:
  const Include start_, end_;
};

class CQW1A : public QuickWebIncludePage {
 public:
  CQW1A();
};

class CQW1C : public QuickWebIncludePage {
 public:
  CQW1C();
};

class CQW4 : public QuickWebPage {
 public:
  CQW4();

 protected:
  int NextPage() override;
};

class CQW3A : public QuickWebPage {
 public:
  explicit CQW3A(bool& finished);

 protected:
  int BackPage() override;
  bool OnFinish() override;

 private:
  bool& finished_;
};
