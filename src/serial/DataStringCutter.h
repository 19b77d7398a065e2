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
  // The longest data string, in characters (a zero byte counts as the six of "[NULL]"). Far above
  // any real scan; a device that never sends its terminator, a terminator setting that never
  // matches or a stream of zero bytes would otherwise grow a buffer until memory runs out and
  // every queued string is lost. A longer data string is handed over in pieces of this length.
  static constexpr size_t kcchMaxDataString = 64 * 1024;

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
  // In time-out mode with characters waiting: the tick at which their pause ends them (the pass
  // that comes at or after it hands them over). False when no pause can end anything.
  bool pauseDeadline(uint32_t& dwDue) const;

  const TerminatorList& terminators() const { return m_terminators; }
  // Injected text still waiting for its terminator, taken out of the cutter.
  std::string takeExternalBuffer();
  // Characters waiting in the two buffers.
  size_t bufferedLength() const { return m_strReceiveBuffer.size() + m_strExternalBuffer.size(); }

private:
  bool byTerminator() const { return m_settings.dwTerminationType == kTerminationByTerminator; }
  void announceData();
  void appendAndCut(std::string& strBuffer, bool& fAfterCut, const char* pBytes, size_t nBytes,
                    bool fLogRaw);
  void cutAtTerminator(std::string& strBuffer, bool& fAfterCut, bool fLogRaw);
  static size_t zeroRun(const char* pBytes, size_t nBytes, size_t nMax);
  bool cutAtLengthLimit(std::string& strBuffer, bool fLogRaw);
  void handOver(std::string& strBuffer, bool fLogRaw);
  void checkLine(bool fLevel, bool& fLastLevel, bool fHighWanted, bool fLowWanted,
                 const char* pszHigh, const char* pszLow);

  const SerialSettings m_settings;
  DataStringSink& m_sink;
  TerminatorList m_terminators;
  // Bytes after which a terminator may be complete: the zero byte (it becomes "[NULL]") and the
  // last byte of each terminator. Runs of other bytes are appended without looking.
  std::string m_strMayEnd;
  size_t m_cchLongestTerminator = 0;
  std::string m_strReceiveBuffer;
  std::string m_strExternalBuffer;
  // The buffer begins with characters kept at a length cut.
  bool m_fReceiveAfterCut = false;
  bool m_fExternalAfterCut = false;
  ModemLines m_lastLines;
  uint32_t m_dwLastReceive = 0;
};
