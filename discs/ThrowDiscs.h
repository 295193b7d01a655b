// Throw Discs on a document.
#pragma once

#include <string>

class CTalusimDoc;

// Runs the disc program once per rock; false (with the reason, also shown to
// the user unless cancelled) when the run did not finish.
bool ThrowDiscs(CTalusimDoc* document, std::string* error = nullptr);
