// What the demo shows of the library, written as lines of a log.
#pragma once

#include <functional>
#include <string>

using DemoLog = std::function<void(const std::wstring& line)>;

// Core types, threads and message texts; returns the number of failed checks.
int RunCoreChecks(const DemoLog& log);

// Saves typed settings to a record file in the folder and to the application profile, reads both back and
// logs what came back; returns the number of failed checks.
int RunSettingsChecks(const std::wstring& folder, const DemoLog& log);
