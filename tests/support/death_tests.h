// Death tests run their statement in a child process. Where there is none to start (the web
// build: a page, or node, runs one WebAssembly instance), GoogleTest has no EXPECT_EXIT; a test
// that comes to one there is skipped, saying why, instead of failing to build or passing
// without having run.
#ifndef VELKOR_TESTS_SUPPORT_DEATH_TESTS_H
#define VELKOR_TESTS_SUPPORT_DEATH_TESTS_H

#include <gtest/gtest.h>

#if !GTEST_HAS_DEATH_TEST
#define EXPECT_EXIT(statement, predicate, matcher) \
  GTEST_SKIP() << "a death test needs a child process (fork), which this build cannot start"
#endif

#endif
