// The document's own file formats as the document reaches them: installed by
// the program at start (and by every test program and bench that opens or
// saves a document), so that the model needs nothing of this folder.
#pragma once

void InstallDocumentFormats();
