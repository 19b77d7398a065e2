#pragma once

#include "KeyboardFakes.h"
#include "PipelineFakes.h"
#include "RecordingExpressionActions.h"
#include "keyboard/KeystrokeEmitter.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "settings/QuilbarProfile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pipelinetest
{
// What the pipeline acts and types through: expression actions and keystrokes recorded, a fake
// foreground window and caps lock, and the profile's key translations in m_keyMap.
class TypingFixture : public ::testing::Test
{
protected:
  TypingFixture()
  {
    m_keyboardSettings.pmapKeyTranslator = &m_keyMap;
    m_emitter.setSettings(m_keyboardSettings);
  }

  RecordingExpressionActions m_actions;
  keyboardtest::RecordingKeyEventSink m_sink;
  keyboardtest::FakeForegroundWindow m_foreground;
  keyboardtest::FakeCapsLockState m_caps;
  KeyTranslatorMap m_keyMap;
  KeyboardOutputSettings m_keyboardSettings;
  KeystrokeEmitter m_emitter{m_sink, m_foreground, m_caps};
};

// The pipeline running m_profile, its subscribers, monitors and profile switches recorded, its
// event log on a clock that stands still.
class PipelineFixture : public TypingFixture
{
protected:
  PipelineFixture() { m_pipeline.setRunningProfile(&m_profile); }

  // A format after those there are, whose only criterion is a string expression at position 1
  // (none: it matches everything).
  void addFormat(const std::string& strName, const std::string& strOutput, const std::string& strPattern = "")
  {
    auto pFormat = std::make_unique<DataEditFormat>();
    pFormat->setName(strName);
    pFormat->setOrder(m_profile.getDataEditFormatMap().getCount());
    pFormat->setOutput(strOutput);
    if (!strPattern.empty())
    {
      auto pCriteria = std::make_unique<Criteria>();
      pCriteria->setKindStringExpression();
      pCriteria->setStartPosition(1);
      pCriteria->setExpression(strPattern);
      pFormat->getCriteriaMap().add(std::move(pCriteria));
    }
    ASSERT_TRUE(m_profile.getDataEditFormatMap().add(strName, std::move(pFormat)));
  }

  RecordingSubscribers m_subscribers;
  FixedLogClock m_clock;
  RecordingMonitorSink m_monitors;
  EventLog m_log{m_clock, &m_monitors};
  RecordingProfileSwitcher m_profiles;
  QuilbarProfile m_profile;
  DataStringPipeline m_pipeline{m_actions, m_emitter, m_foreground, m_subscribers, m_log, m_profiles};
};
}  // namespace pipelinetest
