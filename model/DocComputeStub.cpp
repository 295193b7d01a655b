// Placeholder until the compute driver lands: the document's message map names
// the Compute command, which does nothing yet. Remove this file when the
// compute driver's own definition of OnCompute is in the tree.
#include "model/DocumentDependencies.h"

#ifdef CLASTOR_DOCUMENT_BUILT
void CTalusimDoc::OnCompute() {}
#endif
