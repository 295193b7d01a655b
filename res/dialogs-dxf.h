// The DXF export dialog and the id of its option list.
#pragma once

#define IDD_DXF_EXPORT                  10008
#define IDC_DXF_EXPORT_OPTIONS          16079 // the check list of the six kinds of objects
