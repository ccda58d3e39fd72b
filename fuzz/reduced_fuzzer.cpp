// Arbitrary bytes read as a file of the reduced graphs (see field_checks.h).
#include <cstddef>
#include <cstdint>

#include "fuzz/field_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  ugraph::fuzz::checkFieldFile(data, size, "reduced");
  return 0;
}
