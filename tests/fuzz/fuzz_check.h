#pragma once
// What a fuzz target asserts about the code under test: a broken property prints what broke
// and aborts, which libFuzzer reports as a crash and saves the input that caused it.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, what)                                                         \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "fuzz check failed at %s:%d: %s (%s)\n", __FILE__, __LINE__, \
                   what, #cond);                                                       \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)
