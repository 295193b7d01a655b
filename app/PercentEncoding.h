// Percent-encoding of text for a web address or a mail link.
#pragma once

#include "framework/String.h"

// ASCII letters and digits, and the characters of 'plainPunctuation', stand as
// they are; every other byte becomes "%" and two upper-case hex digits.
CString PercentEncode(LPCSTR text, LPCSTR plainPunctuation);
