#include "ActionFunctions.h"

#include "base/DataConv.h"
#include "Evaluation.h"
#include "ExpressionSyntax.h"
#include "MainWindowActions.h"

#include <cstring>

namespace
{
std::string withoutQuotes(const std::string& strText)
{
  return ExpressionSyntax::trimChars(strText, "\"");
}

// The bytes as a zero-terminated text sees them.
std::string upToZero(const std::string& strBytes)
{
  return strBytes.substr(0, std::strlen(strBytes.c_str()));
}

// A time-out argument in milliseconds; 0, no digits or a negative number mean no limit.
std::uint32_t readTimeout(const std::string& strArgument)
{
  long long n = ExpressionSyntax::readInteger(strArgument);
  return n > 0 ? static_cast<std::uint32_t>(n) : 0;
}

bool isProfileNameCharacter(unsigned char c)
{
  // The Windows-1252 letters a-ring, a-umlaut, o-umlaut and their capitals.
  static const unsigned char krgNordic[] = {0xE5, 0xE4, 0xF6, 0xC5, 0xC4, 0xD6};
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
    return true;
  for (unsigned char cNordic : krgNordic)
    if (c == cNordic)
      return true;
  return false;
}
}  // namespace

bool ActionFunctions::delay(Evaluation& evaluation, const FunctionCall& call)
{
  long long nMilliseconds = ExpressionSyntax::readInteger(call.argument(0));
  if (nMilliseconds < 0)
    return evaluation.fail(ExpressionSyntax::fill("Negative argument not allowed [ %s(%s) ].",
                                                  {call.strName, call.argument(0)}));
  if (evaluation.isActive())
    evaluation.actions().sleep(static_cast<std::uint32_t>(nMilliseconds));
  return true;
}

bool ActionFunctions::runApp(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  std::string strCommand = call.argument(0);
  if (strCommand.size() >= 2 && strCommand.front() == '"' && strCommand.back() == '"')
    strCommand = strCommand.substr(1, strCommand.size() - 2);
  std::string strBytes;
  if (!DataConv::parse(strCommand, strBytes))
    return evaluation.fail(ExpressionSyntax::fill("String expression could not be parsed [ %s ].", {strCommand}));
  std::string strCommandLine = upToZero(strBytes);
  ProgramHandle hProgram = evaluation.actions().startProgram(strCommandLine);
  if (hProgram == nullptr)
    return evaluation.fail(ExpressionSyntax::fill("Failed to start program [%s].", {strCommandLine}));
  evaluation.setRunningProgram(hProgram);
  return true;
}

// Runs also without an output function (the format test dialog and the pipeline both have one;
// the syntax check alone leaves the running program alone).
bool ActionFunctions::waitForAppExit(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.mayRunActions() || evaluation.runningProgram() == nullptr)
    return true;
  evaluation.actions().waitForProgram(evaluation.runningProgram(), readTimeout(call.argument(0)));
  evaluation.clearRunningProgram();
  return true;
}

// Elapsed time is measured as an unsigned difference of tick counts, so the counter wrapping
// around during the wait does not end it early or late.
bool ActionFunctions::waitForWindow(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  ExpressionActions& actions = evaluation.actions();
  std::string strPattern = withoutQuotes(call.argument(0));
  std::uint32_t nTimeout = readTimeout(call.argument(1));
  std::uint32_t nStart = actions.tickCount();
  for (;;)
  {
    if (nTimeout != 0 && static_cast<std::uint32_t>(actions.tickCount() - nStart) >= nTimeout)
      return true;
    if (actions.findWindow(strPattern) != nullptr)
      return true;
    actions.sleep(kWindowPollInterval);
  }
}

bool ActionFunctions::setFocus(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  WindowHandle hWindow = evaluation.actions().findWindow(withoutQuotes(call.argument(0)));
  if (hWindow != nullptr)
    evaluation.actions().bringToFront(hWindow);
  return true;
}

bool ActionFunctions::sendData(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  std::string strText = withoutQuotes(call.argument(0));
  std::string strBytes;
  if (!DataConv::parse(strText, strBytes))
    return evaluation.fail(
      ExpressionSyntax::fill("String in constant expression could not be parsed [ %s ].", {strText}));
  evaluation.actions().putOnClipboard(upToZero(strBytes));
  if (evaluation.mainWindow() != nullptr)
    evaluation.mainWindow()->sendClipboardContents();
  return true;
}

bool ActionFunctions::openPort(Evaluation& evaluation, const FunctionCall&)
{
  if (evaluation.isActive() && evaluation.mainWindow() != nullptr)
    evaluation.mainWindow()->openPort();
  return true;
}

bool ActionFunctions::closePort(Evaluation& evaluation, const FunctionCall&)
{
  if (evaluation.isActive() && evaluation.mainWindow() != nullptr)
    evaluation.mainWindow()->closePort();
  return true;
}

// The name is checked also in the syntax check; an empty name passes and requests nothing.
bool ActionFunctions::setProfile(Evaluation& evaluation, const FunctionCall& call)
{
  std::string strName = withoutQuotes(call.argument(0));
  for (char c : strName)
    if (!isProfileNameCharacter(static_cast<unsigned char>(c)))
      return evaluation.fail("Only letters and digits may be used as a profile name.");
  if (evaluation.isActive() && evaluation.mainWindow() != nullptr && !strName.empty())
    evaluation.mainWindow()->setPendingProfile(strName);
  return true;
}

// The data goes to the program through the input file and its answer comes back through the
// output file. A program that outlives the wait produces nothing and is no error; the running
// program is cleared in every case once the wait is over, also when the answer cannot be read.
bool ActionFunctions::call(Evaluation& evaluation, const FunctionCall& call)
{
  if (!evaluation.isActive())
    return true;
  std::string strProgram = ExpressionSyntax::trimBlanksAndQuotes(call.argument(0));
  std::string strInputFile = ExpressionSyntax::trimBlanksAndQuotes(call.argument(1));
  std::string strOutputFile = ExpressionSyntax::trimBlanksAndQuotes(call.argument(2));
  ExpressionActions& actions = evaluation.actions();
  if (!actions.writeFile(strInputFile, upToZero(evaluation.data())))
    return evaluation.fail(ExpressionSyntax::fill("Failed to write input data to file [%s].", {strInputFile}));
  ProgramHandle hProgram = actions.startProgram(upToZero(strProgram));
  if (hProgram == nullptr)
    return evaluation.fail(ExpressionSyntax::fill("Failed to start program [%s].", {strProgram}));
  evaluation.setRunningProgram(hProgram);
  bool fEnded = actions.waitForProgram(hProgram, evaluation.callTimeout());
  evaluation.clearRunningProgram();
  if (!fEnded)
    return true;
  std::string strAnswer;
  if (!actions.readFile(strOutputFile, strAnswer))
    return evaluation.fail(ExpressionSyntax::fill("Failed to read output data from file [%s].", {strOutputFile}));
  evaluation.output(upToZero(strAnswer));
  return true;
}

bool ActionFunctions::settings(Evaluation& evaluation, const FunctionCall&)
{
  if (!evaluation.isActive())
    return true;
  if (evaluation.mainWindow() == nullptr)
  {
    evaluation.output("<No settings available right now>");
    return true;
  }
  ProfilePortSettings settings = evaluation.mainWindow()->getCurrentProfileSettings();
  evaluation.output(ExpressionSyntax::fill("%s,%s,%s,%s,%s,%s",
                                           {settings.strName, settings.strPort, settings.strSpeed,
                                            settings.strData, settings.strParity, settings.strStop}));
  return true;
}

bool ActionFunctions::reboot(Evaluation& evaluation, const FunctionCall&)
{
  if (evaluation.isActive())
    evaluation.actions().restartSystem(false);
  return true;
}

bool ActionFunctions::rebootForced(Evaluation& evaluation, const FunctionCall&)
{
  if (evaluation.isActive())
    evaluation.actions().restartSystem(true);
  return true;
}
