#include "text/name_order.h"

#include <gtest/gtest.h>

using namespace zorbi;

TEST(SameNameIgnoringCase, FoldsSingleByteLettersOnly) {
  EXPECT_TRUE(SameNameIgnoringCase("ABC.Bat", "abc.bAT"));
  EXPECT_FALSE(SameNameIgnoringCase("\x82\x60", "\x82\x80"));  // Ａ is no 'a' + trail
  EXPECT_FALSE(SameNameIgnoringCase("\x83\x41", "\x83\x61"));  // trail bytes 'A' and 'a' differ
  EXPECT_TRUE(LessIgnoringCase("a.bat", "B.bat"));
}
