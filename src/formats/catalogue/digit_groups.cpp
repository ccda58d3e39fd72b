#include "formats/catalogue/digit_groups.h"

#include "base/fast_paths.h"
#include "base/kernels.h"

#if UGRAPH_DIGIT_KERNELS
#include "formats/catalogue/digit_groups_kernels.h"
#endif

namespace ugraph {
DigitKernel digitKernel() {
  switch (activeKernel()) {
    case Kernel::kAvx512:
      return DigitKernel::kAvx512;
    case Kernel::kAvx2:
      return DigitKernel::kAvx2;
    case Kernel::kPlain:
      break;
  }
  return DigitKernel::kNone;
}

bool readDigitGroupsWith(DigitKernel kernel, std::string_view groups,
                         LinkRows& lower, DigitGroups& out) {
#if UGRAPH_DIGIT_KERNELS
  // Left to the parser before any kernel looks: groups too long for the
  // links' limit (two numbers of one digit have a byte between them), and
  // a header left open at the end, past the bytes a kernel's steps judge.
  // Groups begin with '(', and the byte before them is the data-input's.
  const std::size_t size = groups.size();
  const char* const last = groups.data() + size - 1;
  if (size > 2 * static_cast<std::size_t>(kMaxFileLinks) || *last == '(' ||
      *(last - 1) == '(') {
    return false;
  }
  switch (kernel) {
    case DigitKernel::kAvx512:
      return readDigitGroupsAvx512(groups, lower, out);
    case DigitKernel::kAvx2:
      return readDigitGroupsAvx2(groups, lower, out);
    case DigitKernel::kNone:
      break;
  }
#else
  static_cast<void>(kernel);
  static_cast<void>(groups);
  static_cast<void>(lower);
  static_cast<void>(out);
#endif
  return false;
}

bool readDigitGroups(std::string_view groups, LinkRows& lower,
                     DigitGroups& out) {
  return readDigitGroupsWith(digitKernel(), groups, lower, out);
}

}  // namespace ugraph
