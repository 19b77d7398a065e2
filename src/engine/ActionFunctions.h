#pragma once

#include <cstdint>

class Evaluation;
struct FunctionCall;

// The functions of output expressions that act on the system or the main window. Argument counts
// are checked by the caller; each function does its own argument checks and acts only when the
// evaluation is active (and, for the main window's part, when there is one).
class ActionFunctions
{
public:
  static bool delay(Evaluation& evaluation, const FunctionCall& call);
  static bool runApp(Evaluation& evaluation, const FunctionCall& call);
  static bool waitForAppExit(Evaluation& evaluation, const FunctionCall& call);
  static bool waitForWindow(Evaluation& evaluation, const FunctionCall& call);
  static bool setFocus(Evaluation& evaluation, const FunctionCall& call);
  static bool sendData(Evaluation& evaluation, const FunctionCall& call);
  static bool openPort(Evaluation& evaluation, const FunctionCall& call);
  static bool closePort(Evaluation& evaluation, const FunctionCall& call);
  static bool setProfile(Evaluation& evaluation, const FunctionCall& call);
  static bool call(Evaluation& evaluation, const FunctionCall& call);
  static bool settings(Evaluation& evaluation, const FunctionCall& call);
  static bool reboot(Evaluation& evaluation, const FunctionCall& call);
  static bool rebootForced(Evaluation& evaluation, const FunctionCall& call);

  static const std::uint32_t kWindowPollInterval = 100;
};
