// A batch print of every JPEG of a folder, 4 across and 5 down a page, on the default printer (the
// test printer writing PostScript into a file), through the program's own job with its progress
// window. Prints the job's time in seconds and the process's peak working set in megabytes.
// batch_print_bench FOLDER
#define PSAPI_VERSION 2  // the counters from kernel32, with no psapi.dll
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app_settings.h"
#include "batch_print_job.h"
#include "batch_print_layout.h"
#include "printer_caps.h"
#include "printer_defaults.h"

namespace {

std::vector<std::string> Photographs(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: batch_print_bench FOLDER\n");
    return 2;
  }
  PrinterDefaults printer;
  if (!printer.Load()) {
    std::fprintf(stderr, "no printer\n");
    return 1;
  }
  HDC dc = printer.CreatePrinterDC();
  CAppSettings::BatchPrint layout{};
  layout.rows = 5, layout.cols = 4, layout.copies = 1, layout.overfill = 1, layout.upright = 0, layout.center = 1;
  layout.bp_font = "Arial", layout.bp_points = 4;
  ComputeBatchLayout(layout, ReadBatchPrinterCaps(dc));
  BatchPrintRequest request;
  request.printer = dc;
  request.files = Photographs(argv[1]);
  const auto start = std::chrono::steady_clock::now();
  const bool printed = RunBatchPrintJob(request, layout) == BatchPrintEnd::kPrinted;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ::DeleteDC(dc);
  PROCESS_MEMORY_COUNTERS memory = {};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  std::printf("files %zu printed %d seconds %.2f peak_mb %.0f\n", request.files.size(), printed ? 1 : 0, seconds,
              memory.PeakWorkingSetSize / 1048576.0);
  return printed ? 0 : 1;
}
