#include "HelpRequest.h"

const char HelpRequest::kszHelpFileName[] = "Quilbar.chm";
const char HelpRequest::kszViewerMissing[] =
    "The HTML help viewer (hhctrl.ocx) could not be loaded, so help cannot be shown on this computer.";

HelpRequest HelpRequest::forContext(int nContextId)
{
  HelpRequest request;
  request.kind = Kind::kContext;
  request.dwContext = static_cast<uint32_t>(nContextId);
  return request;
}

unsigned HelpRequest::command() const
{
  switch (kind)
  {
  case Kind::kContext:
    return kHelpContext;
  case Kind::kQuit:
    return kCloseAll;
  default:
    return kDisplayTopic;
  }
}

std::string HelpRequest::target(const std::string& strHelpFile) const
{
  if (kind == Kind::kIndex && !strTopic.empty())
    return strHelpFile + "::/" + strTopic;
  return strHelpFile;
}

std::string HelpRequest::helpFileBeside(const std::string& strProgramPath)
{
  size_t nSlash = strProgramPath.find_last_of("\\/");
  if (strProgramPath.empty() || nSlash == std::string::npos)
    return kszHelpFileName;
  return strProgramPath.substr(0, nSlash) + "\\" + kszHelpFileName;
}

std::string HelpRequest::missingFileMessage(const std::string& strHelpFile)
{
  return "The help file " + strHelpFile + " could not be found. Help cannot be shown until it is installed beside the program.";
}
