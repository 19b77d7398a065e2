#pragma once

#include <cstdint>
#include <string>

// A request for the program's help and what the HTML help viewer is asked to do with it.
struct HelpRequest
{
  enum class Kind
  {
    kContents,  // the help window with its default topic
    kContext,   // the topic mapped to a context number
    kIndex,     // a named topic, or the default topic when none is named
    kQuit,      // close every help window
  };
  // The viewer's commands (the HH_ numbers of the HTML help interface).
  enum Command : unsigned
  {
    kDisplayTopic = 0x0000,
    kHelpContext = 0x000F,
    kCloseAll = 0x0012,
  };

  Kind kind = Kind::kContents;
  uint32_t dwContext = 0;
  std::string strTopic;

  // The topic of a window: its help context is the id of its dialog template.
  static HelpRequest forContext(int nContextId);

  unsigned command() const;
  // "<file>::/<topic>" for a named topic, else the help file alone.
  std::string target(const std::string& strHelpFile) const;

  static const char kszHelpFileName[];  // "Quilbar.chm"
  // "<folder of the program>\Quilbar.chm"; the name alone when the program's path is unknown.
  static std::string helpFileBeside(const std::string& strProgramPath);
  static std::string missingFileMessage(const std::string& strHelpFile);
  static const char kszViewerMissing[];
};
