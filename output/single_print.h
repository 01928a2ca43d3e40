#pragma once
// Printing one picture on one page, laid out by the user in the page layout dialog. Every failure
// is told the user in a message box and prints nothing; nothing is printed without a printer.
#include <windows.h>

#include <string>

#include "Cimage.h"
#include "printer_access.h"

// Loads the file and prints it; the document is named after the path.
void PrintPictureFile(HWND owner, PrinterAccess& printer, const std::string& path);

// Prints a copy of a picture in memory, leaving the caller's as it is.
void PrintPicture(HWND owner, PrinterAccess& printer, const Cimage& picture);
