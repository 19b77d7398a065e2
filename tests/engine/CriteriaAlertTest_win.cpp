#include "engine/Criteria.h"

#include "MessageBoxAnswerer_win.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

// The Windows build tells the user about an unconvertible criterion expression in a message box,
// once for every data string tested against it.
TEST(CriteriaAlertTest, UnconvertibleExpressionShowsTheBoxEachTime)
{
  MessageBoxAnswerer answerer("Quilbar");
  Criteria criteria;
  criteria.setKindStringExpression();
  criteria.setExpression("<C");

  EXPECT_FALSE(criteria.matches("ABC"));
  EXPECT_FALSE(criteria.matches("XYZ"));
  ASSERT_TRUE(testsupport::waitUntil([&answerer] { return answerer.texts().size() >= 2; },
                                     std::chrono::seconds(20)))
    << "awaited two answered \"Quilbar\" message boxes";
  EXPECT_EQ("Invalid expression in data edit format criteria. Probably an unterminated character "
            "mnemonic like \"<*\".",
            answerer.texts()[0]);
}
