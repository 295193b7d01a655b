#pragma once
// The kinds of model objects the DXF export offers, in the order of the rows
// of its dialog, and how they are found in the drawing database.

#include <windows.h>

class CREGDatabase;

enum DxfExportRow
{
    DXF_EXPORT_SLOPE,
    DXF_EXPORT_BARRIERS,
    DXF_EXPORT_COLLECTORS,
    DXF_EXPORT_SEEDERS,
    DXF_EXPORT_SELECTED_PATHS,
    DXF_EXPORT_ALL_PATHS,
    DXF_EXPORT_ROWS
};

// 1 for each row the drawing has objects of; the slope is always offered.
void GetDxfExportOffers(const CREGDatabase& db, BOOL offers[DXF_EXPORT_ROWS]);

// Empties the set, then marks into it the entities of every checked row; an
// entity of two checked rows is in the set (and so in the file) once.
void MarkDxfExportEntities(CREGDatabase& db, int set, const BOOL checked[DXF_EXPORT_ROWS]);
