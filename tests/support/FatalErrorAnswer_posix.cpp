#include "TestSupport.h"

namespace testsupport
{
void answerFatalErrorBoxes()
{
}
}  // namespace testsupport
