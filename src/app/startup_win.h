#pragma once

#include <string>

#include "app/startup_decision.h"

// The decision for this start, asked of the real files and keyboard.
StartupMode ChooseStartupMode(const std::wstring& commandLine);

// The whole start-up sequence; returns the process exit code.
int RunLauncher(const std::wstring& commandLine, int showCommand);
