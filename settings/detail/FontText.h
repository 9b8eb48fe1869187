// The text form of a font in profile records: fourteen comma-separated decimal numbers (the point size in
// tenths, then LOGFONTW's numeric fields in order) and the face name.
#pragma once

#include "core/PardalinApi.h"

#include <string>

namespace pardalin::detail
{
std::wstring FormatFontText(int pointSize, const LOGFONTW& font);

// Reads fields in order and stops at the first that does not match; fields after it keep their values. The
// face name runs over characters from space to "z" and is cut to what LOGFONTW holds.
void ParseFontText(const wchar_t* text, int& pointSize, LOGFONTW& font);
} // namespace pardalin::detail
