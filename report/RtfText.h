// Plain text made safe for an RTF stream: a name typed by the user ends up in
// the report as the characters it holds, never as RTF control words or groups.
#pragma once

#include "framework/String.h"

// Backslashes and braces are escaped, characters above 127 become \'hh (the
// stream is Windows-1252), a tab becomes \tab and other control characters
// become blanks, so that nothing can end the report's group early.
CString EscapeRtfText(LPCSTR text);
