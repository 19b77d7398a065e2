// A message box inside the processing of a data string (the criteria alert, a port error of an
// OpenPort the expression runs) runs a message loop, and that loop delivers the data strings that
// arrived meanwhile. They must wait their turn: processed after the current one, in order, never
// nested inside it. Here the box is a fake that delivers them itself, as the loop would; the
// string processed inside would reopen the port and free the format map the outer call walks
// (the address sanitizer build catches that).
#include "pipeline/DataStringPipeline.h"

#include "pipeline/EventLog.h"
#include "KeyboardFakes.h"
#include "keyboard/KeystrokeEmitter.h"
#include "PipelineFakes.h"
#include "PipelineFixture.h"
#include "RecordingExpressionActions.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace keyboardtest;
using namespace pipelinetest;

// Reopening the port replaces the running profile by a fresh copy, as OpenPort does.
class ReopeningMainWindow : public RecordingMainWindow
{
public:
  void openPort() override
  {
    QuilbarProfile copy(*m_pRunningProfile);
    *m_pRunningProfile = copy;
  }

  QuilbarProfile* m_pRunningProfile = nullptr;
};

DataStringPipeline* g_pPipeline = nullptr;
int g_nBoxDepth = 0;
int g_nDeepest = 0;
int g_nBoxes = 0;

// The alert as a modal box: while it is open, its message loop delivers two more data strings.
void boxDeliveringMoreStrings(const char*)
{
  ++g_nBoxes;
  ++g_nBoxDepth;
  if (g_nBoxDepth > g_nDeepest)
    g_nDeepest = g_nBoxDepth;
  if (g_nBoxes == 1)
  {
    g_pPipeline->processInputString("B");
    g_pPipeline->processInputString("C");
  }
  --g_nBoxDepth;
}

class PipelineReentryTest : public PipelineFixture
{
protected:
  PipelineReentryTest()
  {
    m_mainWindow.m_pRunningProfile = &m_profile;
    m_pipeline.setMainWindow(&m_mainWindow);
    m_subscribers.m_rgSubscribers.push_back({"Receiver", true});
    g_pPipeline = &m_pipeline;
    g_nBoxDepth = g_nDeepest = g_nBoxes = 0;
    m_pfnPreviousAlert = Criteria::setExpressionAlert(boxDeliveringMoreStrings);

    DataEditFormatMap& formats = m_profile.getDataEditFormatMap();
    formats.removeAll();
    addFormat("Bad", "Input()", "<C");
    addFormat("Reopen", "Input() + OpenPort()");
  }
  ~PipelineReentryTest() override { Criteria::setExpressionAlert(m_pfnPreviousAlert); }

  Criteria::ExpressionAlert m_pfnPreviousAlert = nullptr;
  ReopeningMainWindow m_mainWindow;
};

TEST_F(PipelineReentryTest, StringsDeliveredByABoxWaitTheirTurnInOrder)
{
  m_pipeline.processInputString("A");
  EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), m_subscribers.m_rgstrDelivered);
  EXPECT_EQ(1, g_nDeepest) << "a box was shown inside another";
  EXPECT_FALSE(m_pipeline.isProcessing());
  EXPECT_EQ(0u, m_pipeline.waitingCount());
}

// Without a box the pipeline is as before: each call processes its string at once.
TEST_F(PipelineReentryTest, StringOutsideAnyProcessingIsProcessedAtOnce)
{
  m_profile.getDataEditFormatMap().remove("Bad");
  m_pipeline.processInputString("X");
  EXPECT_EQ(std::vector<std::string>{"X"}, m_subscribers.m_rgstrDelivered);
  m_pipeline.processInputString("Y");
  EXPECT_EQ((std::vector<std::string>{"X", "Y"}), m_subscribers.m_rgstrDelivered);
  EXPECT_EQ(0, g_nBoxes);
}
}  // namespace
