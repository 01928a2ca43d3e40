#include "scale_fraction.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace ravelight {

void MultiplyScale(int& term, int& other, int factor) {
  auto fits = [&] { return std::llabs(int64_t{term} * factor) <= INT_MAX; };
  if (!fits() && term > 0 && other > 0) {
    const int divisor = std::gcd(term, other);
    term /= divisor;
    other /= divisor;
  }
  while (!fits()) {
    term /= 2;
    if (other / 2) other /= 2;
  }
  term *= factor;
}

}  // namespace ravelight
