#include "base/kernels.h"

#include "base/fast_paths.h"

namespace ugraph {
namespace {

#if UGRAPH_DIGIT_KERNELS
bool runs(Kernel kernel) {
  __builtin_cpu_init();
  const bool popcnt = __builtin_cpu_supports("popcnt") != 0;
  switch (kernel) {
    case Kernel::kPlain:
      return true;
    case Kernel::kAvx2:
      return popcnt && __builtin_cpu_supports("avx2") != 0;
    case Kernel::kAvx512:
      return popcnt && __builtin_cpu_supports("avx512f") != 0 &&
             __builtin_cpu_supports("avx512bw") != 0 &&
             __builtin_cpu_supports("avx512vbmi") != 0 &&
             __builtin_cpu_supports("bmi2") != 0;
  }
  return false;
}
#else
bool runs(Kernel kernel) { return kernel == Kernel::kPlain; }
#endif

Kernel fastest() {
  for (const Kernel k : {Kernel::kAvx512, Kernel::kAvx2}) {
    if (runs(k)) return k;
  }
  return Kernel::kPlain;
}

}  // namespace

Kernel activeKernelVariable = fastest();

bool kernelRuns(Kernel kernel) { return runs(kernel); }

void forceKernel(Kernel kernel) { activeKernelVariable = kernel; }

KernelNamed forceKernelNamed(std::string_view name) {
  for (std::size_t i = 0; i < kKernelNames.size(); ++i) {
    if (kKernelNames[i] != name) continue;
    const auto kernel = static_cast<Kernel>(i);
    if (!runs(kernel)) return KernelNamed::kNotRun;
    forceKernel(kernel);
    return KernelNamed::kTaken;
  }
  return KernelNamed::kUnknown;
}

}  // namespace ugraph
