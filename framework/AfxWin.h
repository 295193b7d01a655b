// The window layer of the class library in one include: windows and message
// maps, GDI, menus, the application, documents and views, frames, dialogs
// with data exchange, common dialogs, controls and threads.
#pragma once

#include "framework/Afx.h"

#include "framework/AfxRes.h"
#include "framework/CmdTarget.h"
#include "framework/CommonControls.h"
#include "framework/DataExchange.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/Frame.h"
#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/OleData.h"
#include "framework/Preview.h"
#include "framework/Rect.h"
#include "framework/ResourceException.h"
#include "framework/RichEdit.h"
#include "framework/StdControls.h"
#include "framework/Sync.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
