#pragma once

#include "SerialSettings.h"
#include "TerminatorList.h"

#include <cstdint>
#include <string>

class DataStringSink;

// Levels of the four modem status lines the device can signal with.
struct ModemLines
{
  bool fCTS = false;
  bool fDSR = false;
  bool fRI = false;
  bool fDCD = false;
};

// Cuts received bytes and injected text into data strings, by terminators or by a pause, and
// turns changes of the modem status lines into pin data strings. It owns no thread and reads no
// clock: the communication thread feeds it and passes the millisecond tick of each pass.
class DataStringCutter
{
public:
  DataStringCutter(const SerialSettings& settings, DataStringSink& sink);

  // Thread start: the lines' present levels produce nothing; buffers are empty.
  void start(const ModemLines& lines, uint32_t dwNow);

  // One pass with bytes waiting at the port (or replayed): all of them, in order.
  void receiveBytes(const char* pBytes, size_t nBytes, uint32_t dwNow);
  // Text another program injected, taken like port bytes but in a buffer of its own.
  void injectText(const std::string& strText, uint32_t dwNow);
  // The lines' levels of this pass.
  void modemLines(const ModemLines& lines);
  // A pass without waiting bytes: in time-out mode, a silent line ends the pending data strings.
  void idle(uint32_t dwNow);

  const TerminatorList& terminators() const { return m_terminators; }

private:
  bool byTerminator() const { return m_settings.dwTerminationType == kTerminationByTerminator; }
  void announceData();
  void appendAndCut(std::string& strBuffer, const char* pBytes, size_t nBytes, bool fLogRaw);
  void handOver(std::string& strBuffer, bool fLogRaw);
  void checkLine(bool fLevel, bool& fLastLevel, bool fHighWanted, bool fLowWanted,
                 const char* pszHigh, const char* pszLow);

  const SerialSettings m_settings;
  DataStringSink& m_sink;
  TerminatorList m_terminators;
  std::string m_strReceiveBuffer;
  std::string m_strExternalBuffer;
  ModemLines m_lastLines;
  uint32_t m_dwLastReceive = 0;
};
