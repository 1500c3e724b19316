#include "bench/ktf/KtfFuzzer.h"
#include "platform/QorUtils/QorUtilsTestHooks.h"
#include <gtest/gtest.h>

// The short form of the parser's fuzz run (tools/bench fuzz runs a million inputs): mutated
// real-looking bodies never crash the parser, leave no UTF-8 buffer behind, and every result
// writes back to a body that parses to the same items.
TEST(KtfFuzz, MutatedBodiesParseSoundly)
{
    int buffersBefore = QorUtilsTest_GetOutstandingBuffers();
    ktfbench::KtfFuzzer fuzzer(4242);
    ktfbench::KtfFuzzResult r = fuzzer.Run(5000);
    EXPECT_EQ(5000u, r.inputs);
    EXPECT_EQ(0u, r.failures) << r.firstFailure;
    // The mutations still reach the item code for most inputs, not just the parser's errors.
    EXPECT_GT(r.parsedAsKtf, r.inputs / 2);
    EXPECT_GT(r.items, r.inputs);
    EXPECT_EQ(buffersBefore, QorUtilsTest_GetOutstandingBuffers());
}
