// The disc-element programs as the document reaches them: installed once by
// the program (and by tests that need them).
#pragma once

class CTalusimDoc;

void InstallDiscServices();

// New DEM Simulation on a document. A null geometry path in spheres mode asks
// the user for the geometry file.
void RunDemSimulation(CTalusimDoc* document, const char* geometryPath = nullptr);
