// Adds the printer that the printing tests print on: Wine's PostScript driver writing into a file.
// A fresh Wine prefix has no printer at all, since Wine takes its printers only from CUPS.
// Usage: add_printer <printer name> <output file>; running it again changes nothing.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The generic PPD that Wine's spooler carries for printers whose own PPD it cannot get.
bool WriteGenericPpd(const std::string& path) {
  HMODULE spooler = ::LoadLibraryExA("winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC resource = spooler ? ::FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
  HGLOBAL loaded = resource ? ::LoadResource(spooler, resource) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  FILE* file = bytes ? std::fopen(path.c_str(), "wb") : nullptr;
  bool written = file && std::fwrite(bytes, 1, ::SizeofResource(spooler, resource), file) == ::SizeofResource(spooler, resource);
  if (file) written = std::fclose(file) == 0 && written;
  if (spooler) ::FreeLibrary(spooler);
  return written;
}

// The spooler offers only the ports listed in the registry; a file path is a port too.
bool ListPort(const std::string& port) {
  HKEY key;
  if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const bool listed = ::RegSetValueExA(key, port.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return listed;
}

bool AddDriver(const std::string& name, const std::string& ppd) {
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(name.c_str());
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDefaultDataType = const_cast<char*>("RAW");
  return ::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
}

// "winprint" passes the driver's PostScript through; Wine's own "wineps" processor would write
// empty jobs.
bool AddPrinterOnPort(const std::string& name, const std::string& port) {
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(name.c_str());
  info.pPortName = const_cast<char*>(port.c_str());
  info.pDriverName = const_cast<char*>(name.c_str());
  info.pPrintProcessor = const_cast<char*>("winprint");
  info.pDatatype = const_cast<char*>("RAW");
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer) ::ClosePrinter(printer);
  return printer || ::GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: add_printer <printer name> <output file>\n");
    return 2;
  }
  const std::string name = argv[1], port = argv[2];
  char folder[MAX_PATH];
  const DWORD length = ::GetTempPathA(sizeof folder, folder);
  const std::string ppd = std::string(folder, length) + "vireldan-generic.ppd";
  const char* failed = !WriteGenericPpd(ppd)            ? "writing the PPD"
                       : !ListPort(port)                ? "listing the port"
                       : !AddDriver(name, ppd)          ? "adding the driver"
                       : !AddPrinterOnPort(name, port)  ? "adding the printer"
                       : !::SetDefaultPrinterA(name.c_str()) ? "making it the default printer"
                                                        : nullptr;
  if (failed) {
    std::fprintf(stderr, "add_printer: %s failed (error %lu)\n", failed, ::GetLastError());
    return 1;
  }
  return 0;
}
