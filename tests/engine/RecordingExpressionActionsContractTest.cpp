#include "ExpressionActionsContract.h"
#include "RecordingExpressionActions.h"

namespace
{
class RecordingEnvironment
{
public:
  ExpressionActions& actions() { return m_actions; }
  void addWindow(const std::string& strTitle) { m_actions.m_rgWindows.push_back({strTitle, 0}); }
  std::string scratchPath(const std::string& strName) { return "scratch/" + strName; }
  std::string unwritablePath()
  {
    m_actions.m_setUnwritable.insert("missing/x");
    return "missing/x";
  }
  std::string unstartableCommand()
  {
    m_actions.m_setUnstartable.insert("no-such-program");
    return "no-such-program";
  }
  std::string quickCommand() { return "quick"; }

private:
  RecordingExpressionActions m_actions;
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Recording, ExpressionActionsContractTest, RecordingEnvironment);
