#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DataStringPipeline;
class EventLog;

// What the main window does with WM_DATASTRING: takes the data strings the communication thread
// handed to it and runs each through the pipeline, in order. Any program on the desktop can post
// that message; one whose lParam is no string handed to this window is ignored (nothing is read
// or freed) and logged as the event "Data String Message Refused" when event output is wanted.
void handleDataStringMessage(HWND hwnd, LPARAM lParam, DataStringPipeline& pipeline, EventLog& log);
// The taking half of it: the data strings, oldest first, for a caller that passes them on another
// way (the main window's hold for a locked window); a refused lParam is logged the same way.
std::vector<std::string> takeDataStringMessage(HWND hwnd, LPARAM lParam, EventLog& log);
