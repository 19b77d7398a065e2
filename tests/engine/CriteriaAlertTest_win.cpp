#include "engine/Criteria.h"

#include "MessageBoxAnswerer_win.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

// The Windows build tells the user about an unconvertible criterion expression in a message box,
// once for the loaded criterion however many data strings are tested against it.
TEST(CriteriaAlertTest, UnconvertibleExpressionShowsTheBoxOnce)
{
  MessageBoxAnswerer answerer("Quilbar");
  Criteria criteria;
  criteria.setKindStringExpression();
  criteria.setExpression("<C");

  EXPECT_FALSE(criteria.matches("ABC"));
  EXPECT_FALSE(criteria.matches("XYZ"));
  ASSERT_EQ(1u, answerer.texts().size()) << "one box, answered before matches() returned";
  EXPECT_EQ("Invalid expression in data edit format criteria. Probably an unterminated character "
            "mnemonic like \"<*\".",
            answerer.texts()[0]);
}
