// Turns and mirrors for the rotation benchmark (bench/rotate.sh).
//   rotate_bench pixels FILE     loads a JPEG and times each in-memory operation on it, printing
//                                the best of several runs and the pixel bytes moved per second;
//   rotate_bench lossless IN WORK copies IN to WORK and turns WORK clockwise on disk, once, as
//                                the program's rotate command does (lossless transform into a
//                                temporary file, old file to the recycle bin, new one into place,
//                                times kept), so the script can time it against jpegtran.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "Cimage.h"
#include "cimage_test_access.h"

namespace {

constexpr int kRuns = 10;
volatile unsigned char sink;

double BestSeconds(Cimage& picture, const std::function<void(Cimage&)>& operation) {
  double best = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    Cimage copy(picture);
    const auto start = std::chrono::steady_clock::now();
    operation(copy);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

int TimePixels(const char* path) {
  FILE* stream = std::fopen(path, "rb");
  if (!stream) return 1;
  Cimage picture;
  picture.m_valid = 1;
  picture.m_components = 3;
  CimageTestAccess::LoadJPEG(picture, stream, 0, 0, 5);
  std::fclose(stream);
  if (picture.m_loadError || !picture.m_pixels) return 1;
  const double bytes = 3.0 * picture.m_width * picture.m_height;
  std::printf("%d x %d picture, %.1f MB of pixels\n", picture.m_width, picture.m_height, bytes / 1e6);
  const struct {
    const char* name;
    std::function<void(Cimage&)> operation;
  } operations[] = {
      {"Rotate_Clockwise", [](Cimage& p) { p.Rotate_Clockwise(); }},
      {"Rotate_CounterClockwise", [](Cimage& p) { p.Rotate_CounterClockwise(); }},
      {"Flip_Horizontal", [](Cimage& p) { p.Flip_Horizontal(); }},
      {"Flip_Vertical", [](Cimage& p) { p.Flip_Vertical(); }},
      {"Rotate_180", [](Cimage& p) { p.Rotate_180(); }},
      {"Rotate_Arbitrary(5 degrees)", [](Cimage& p) { p.Rotate_Arbitrary(5 * 3.14159265358979 / 180); }},
  };
  // What any operation that makes a new buffer pays the system on top of its own work.
  double touch = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    auto* fresh = static_cast<unsigned char*>(std::malloc(size_t(bytes)));
    if (fresh) std::memset(fresh, 1, size_t(bytes));
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (fresh) sink = fresh[size_t(bytes) / 2];  // keeps the compiler from leaving the buffer out
    std::free(fresh);
    if (took.count() < touch) touch = took.count();
  }
  std::printf("    %-28s %8.1f ms\n", "first touch of a new buffer", touch * 1000);
  for (const auto& o : operations) {
    const double seconds = BestSeconds(picture, o.operation);
    std::printf("    %-28s %8.1f ms  %6.2f GB/s\n", o.name, seconds * 1000, bytes / seconds / 1e9);
  }
  return 0;
}

bool Copy(const char* from, const char* to) {
  FILE* in = std::fopen(from, "rb");
  FILE* out = std::fopen(to, "wb");
  bool copied = in && out;
  static char buffer[1 << 20];
  size_t n;
  while (copied && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) copied = std::fwrite(buffer, 1, n, out) == n;
  if (out) copied = std::fclose(out) == 0 && copied;
  if (in) std::fclose(in);
  return copied;
}

int TurnFile(const char* from, const char* work) {
  return Copy(from, work) && Cimage::S_RotateImageFile(work, 1) == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "pixels") == 0) return TimePixels(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "lossless") == 0) return TurnFile(argv[2], argv[3]);
  std::fprintf(stderr, "usage: rotate_bench pixels FILE | rotate_bench lossless IN WORK\n");
  return 2;
}
