// The default printer's name, with and without a printer in the system.
#include <windows.h>

#include <gtest/gtest.h>

#include "printer_defaults.h"
#include "ui_driver.h"

TEST(PrinterDefaults, TheNameIsEmptyWithoutAPrinterAndBoundedWithOne) {
  PrinterDefaults printer;
  if (!printer.Load()) {
    EXPECT_EQ(printer.GetPrinterName(), "");
    EXPECT_EQ(printer.DevMode(), nullptr);
    return;
  }
  const std::string name = printer.GetPrinterName();
  EXPECT_FALSE(name.empty());
  EXPECT_LT(name.size(), size_t(CCHDEVICENAME));
}

TEST(PrinterDefaults, ANewObjectHasNoPrinter) {
  PrinterDefaults printer;
  EXPECT_EQ(printer.GetPrinterName(), "");
  printer.ForceColour();  // nothing to change, nothing to crash on
}

// Whatever the user leaves in Print Setup, and also when the dialog is cancelled, printing stays
// in colour.
TEST(PrinterDefaults, PrintSetupLeavesPrintingInColour) {
  PrinterDefaults printer;
  if (!printer.Load()) GTEST_SKIP() << "no printer in this system";
  const auto setColour = [&](short colour) {
    DEVMODEA* mode = static_cast<DEVMODEA*>(::GlobalLock(printer.DevMode()));
    mode->dmColor = colour;
    ::GlobalUnlock(printer.DevMode());
  };
  const auto colour = [&] {
    const DEVMODEA* mode = static_cast<const DEVMODEA*>(::GlobalLock(printer.DevMode()));
    const short value = mode->dmColor;
    ::GlobalUnlock(printer.DevMode());
    return value;
  };
  const struct {
    const char* answer;
    int button;
    bool chosen;
  } cases[] = {{"OK", IDOK, true}, {"Cancel", IDCANCEL, false}};
  for (const auto& c : cases) {
    setColour(DMCOLOR_MONOCHROME);
    bool found = false;
    bool chosen = false;
    {
      UiDriver user([&] {
        const HWND dialog = WaitForWindow("Print Setup");
        found = dialog != nullptr;
        if (found) PressButton(dialog, c.button);
      });
      chosen = printer.RunSetupDialog(nullptr);
    }
    ASSERT_TRUE(found) << c.answer;
    EXPECT_EQ(chosen, c.chosen) << c.answer;
    EXPECT_EQ(colour(), DMCOLOR_COLOR) << c.answer;
  }
}
