#include "KeyboardFakes.h"

namespace keyboardtest
{
std::string describeSteps(const std::vector<KeyStep>& rgSteps)
{
  std::string strText;
  for (const KeyStep& step : rgSteps)
    strText += step.describe() + "\n";
  return strText;
}
}  // namespace keyboardtest
