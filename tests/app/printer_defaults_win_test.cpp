// The default printer's name, with and without a printer in the system.
#include <windows.h>

#include <gtest/gtest.h>

#include "printer_defaults.h"

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
