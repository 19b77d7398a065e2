#pragma once

#include <string>

// A line on the standard error of a program that has no console of its own: the handle its caller
// handed over (a redirection, an installer's custom action), else the console of the caller when
// there is one. Nothing happens when neither exists.
void writeStandardErrorLine(const std::string& strLine);
