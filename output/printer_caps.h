#pragma once
// What the printing features read of a printer's device context.
#include <windows.h>

#include "batch_print_layout.h"
#include "page_layout.h"

// The page's size, printable area and pixel shape (square when the printer reports none).
PrinterPage ReadPrinterPage(HDC dc);

// The same with the printer's resolution, as batch printing lays out its grid.
BatchPrinterCaps ReadBatchPrinterCaps(HDC dc);
