// Which fast paths the program is built with. Each has a plain twin that
// gives the same results; a build with UGRAPH_PLAIN defined (the "plain"
// preset) uses the twins alone, so that the test suite runs them too.
//   UGRAPH_SSE2: byte searches and the node groups' quick look, 16 bytes
//   at a time (every x86-64 processor has SSE2).
//   UGRAPH_DIGIT_KERNELS: the kernels that read node groups of one-digit
//   numbers (digit_groups.h), AVX2 and AVX-512, built in when GCC's or
//   Clang's target attributes can build them; which runs, with POPCNT,
//   is chosen at run time (kernels.h).
#ifndef UGRAPH_BASE_FAST_PATHS_H_
#define UGRAPH_BASE_FAST_PATHS_H_

#if defined(__SSE2__) && !defined(UGRAPH_PLAIN)
#define UGRAPH_SSE2 1
#else
#define UGRAPH_SSE2 0
#endif

#if defined(__x86_64__) && defined(__GNUC__) && !defined(UGRAPH_PLAIN)
#define UGRAPH_DIGIT_KERNELS 1
#else
#define UGRAPH_DIGIT_KERNELS 0
#endif

#endif  // UGRAPH_BASE_FAST_PATHS_H_
