// The texts of prompt codes (what the current interaction mode expects of the
// user, and the hints of dialog fields), and the parsing of typed points.
#pragma once

#include "framework/String.h"

// The text of a prompt code; empty for codes without one.
CString GetPromptText(int code);

// Reads "x,y" (or "x;y", or "x y") typed on the command line. Both numbers are
// read whole, in the usual forms ("12.5", "-3", "1e3", ".5"); anything else in
// the text makes it no point and the result FALSE, with x and y unchanged.
BOOL ParsePoint(const char* text, double& x, double& y);
