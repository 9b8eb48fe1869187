// What the controls tests and their helper process share.
#pragma once

// Signalled by the helper when it runs without arguments.
constexpr wchar_t kOpenedEvent[] = L"PardalinControlsTestHelperOpened";
constexpr wchar_t kHelperProgram[] = L"ControlsTestHelper.exe";
