// The one switchboard of the fast paths chosen at run time: the kernels
// that read node groups of one-digit numbers (AVX2, AVX-512) and the count
// of set bits (POPCNT), each beside a plain twin that gives the same
// results. The best kernel this processor runs is chosen once, at start;
// a run may force another by name (UGRAPH_KERNEL, read by the batch
// modes), and tests rerun with each.
//
//   plain    the twins alone: the data-input parser, bits counted in place
//   avx2     AVX2 groups, 16 bytes a step, and POPCNT
//   avx512   AVX-512 groups, 64 bytes a step (with BW, VBMI and BMI2), and
//            POPCNT
//
// The fast paths fixed when the program is built (SSE2 byte searches, the
// node groups' quick look) are off only in a build with UGRAPH_PLAIN (see
// fast_paths.h), which also runs no kernel but plain.
#ifndef UGRAPH_BASE_KERNELS_H_
#define UGRAPH_BASE_KERNELS_H_

#include <array>
#include <cstddef>
#include <string_view>

namespace ugraph {

// Slowest first.
enum class Kernel { kPlain, kAvx2, kAvx512 };

inline constexpr std::array<std::string_view, 3> kKernelNames = {
    "plain", "avx2", "avx512"};

constexpr std::string_view kernelName(Kernel k) {
  return kKernelNames[static_cast<std::size_t>(k)];
}

// Whether this build runs kernel on this processor; plain always.
bool kernelRuns(Kernel kernel);

// The kernel in use: the fastest this processor runs, unless forced. Read
// on every graph, so it is a variable, not a call.
extern Kernel activeKernelVariable;
inline Kernel activeKernel() { return activeKernelVariable; }

// Uses kernel for the rest of the run. REQUIRES: kernelRuns(kernel).
void forceKernel(Kernel kernel);

// What naming a kernel came to.
enum class KernelNamed { kTaken, kUnknown, kNotRun };

// Forces the kernel called name, when this processor runs it.
KernelNamed forceKernelNamed(std::string_view name);

}  // namespace ugraph

#endif  // UGRAPH_BASE_KERNELS_H_
