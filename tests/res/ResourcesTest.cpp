// The resources linked into the program: strings, menus, accelerators, toolbars,
// cursors, icons and bitmaps, read back through the Windows resource functions
// the program itself uses.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "res/dialogs-compute.h"
#include "res/dialogs-editors.h"
#include "res/dialogs-model.h"
#include "res/dialogs-pagesetup.h"
#include "res/dialogs-shell.h"
#include "res/dialogs-view.h"
#include "res/resource.h"

namespace {

HINSTANCE module() { return GetModuleHandleA(nullptr); }

std::string loadString(UINT id)
{
    char buffer[1024] = {};
    const int length = LoadStringA(module(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

// Text of the item with this command anywhere in the menu tree; empty when absent.
std::string menuText(HMENU menu, UINT command)
{
    char buffer[256] = {};
    const int length = GetMenuStringA(menu, command, buffer, sizeof buffer, MF_BYCOMMAND);
    return std::string(buffer, length > 0 ? length : 0);
}

bool hasPopup(HMENU menu, const std::string& text)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (!sub)
            continue;
        char buffer[256] = {};
        GetMenuStringA(menu, i, buffer, sizeof buffer, MF_BYPOSITION);
        if (text == buffer || hasPopup(sub, text))
            return true;
    }
    return false;
}

std::vector<UINT> itemIds(HMENU popup)
{
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        const UINT id = GetMenuItemID(popup, i);
        if (id != 0)  // separators
            ids.push_back(id);
    }
    return ids;
}

struct MenuHolder {
    explicit MenuHolder(UINT id) : menu(LoadMenuA(module(), MAKEINTRESOURCEA(id))) {}
    ~MenuHolder() { if (menu) DestroyMenu(menu); }
    HMENU menu;
};

const UINT kMenus[] = {IDR_MAINFRAME, IDR_SLOPE_TEMPLATE, IDR_GRAPH_TEMPLATE, IDR_REPORT_TEMPLATE,
                       IDR_CONTEXT_MENU, IDR_REPORT_CONTEXT_MENU};

const UINT kToolbars[] = {IDR_TOOLBAR_STANDARD, IDR_TOOLBAR_MATERIALS, IDR_TOOLBAR_GRAPH,
                          IDR_TOOLBAR_ZOOM, IDR_TOOLBAR_CONTEXT_IMAGES, IDR_TOOLBAR_GEOMETRY,
                          IDR_TOOLBAR_DISCRETE_ELEMENTS, IDR_TOOLBAR_TOOLS,
                          IDR_TOOLBAR_MENU_IMAGES, IDR_TOOLBAR_HELP_IMAGES};

struct Toolbar {
    WORD version = 0, width = 0, height = 0;
    std::vector<WORD> commands;  // 0 for a separator
};

bool readToolbar(UINT id, Toolbar& toolbar)
{
    HRSRC found = FindResourceA(module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(RT_TOOLBAR_RESOURCE));
    if (!found)
        return false;
    const DWORD size = SizeofResource(module(), found);
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module(), found)));
    if (!words || size < 8)
        return false;
    toolbar.version = words[0];
    toolbar.width = words[1];
    toolbar.height = words[2];
    const WORD count = words[3];
    if (size < 8u + 2u * count)
        return false;
    toolbar.commands.assign(words + 4, words + 4 + count);
    return true;
}

const BITMAPINFOHEADER* bitmapHeader(UINT id)
{
    HRSRC found = FindResourceA(module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found)
        return nullptr;
    return static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module(), found)));
}

}  // namespace

TEST(Strings, TextsAreExact)
{
    const struct { UINT id; const char* text; } cases[] = {
        {IDS_MATERIAL_CLEAN_BEDROCK, "Clean hard bedrock [default]"},
        {IDS_MATERIAL_ASPHALT, "Asphalt [default]"},
        {IDS_MATERIAL_TALUS_VEGETATION, "Talus with vegetation [default]"},
        {IDS_CALCULATING_PATHS, "Calculating paths..."},
        {IDS_BLANK, "\t"},
        {IDS_SLOPE_PROFILE, "Slope Profile"},
        {IDS_TIME_OUT, "Time-out reported during calculations.\nunable to complete calculation due to "
                       "numerical instability\nIncreasing the minimum velocity or decreasing a coefficient "
                       "of\nrestiution may correct the problem - see help for more details"},
        {IDS_SEGMENT_TOO_SHORT, "Unable to perform calculations.\nEach slope segment must have a minimum "
                                "length of %.3f\nCheck vertex %d and its neighbour"},
        {IDS_ENDS_TOO_CLOSE, "Unable to perform calculations.\nThe first and last vertices must have "
                             "x-coordinates\n that are more than %.3f [m] apart"},
        {IDS_PROMPT_TARGET_POINT, "Select location to move base point to [ esc=cancel, u=reselect base point ]"},
        {1030, "Pick the location for the arrow's head [esc=quit]"},
        {1240, "Initial horizontal velocity can be positive, negative or zero\r\n( positive to the right )"},
        {1256, "Probability depends on length of seeder is only\navailable when there are multiple "
               "line-seeders\n(and no point-seeders)"},
        {ID_INDICATOR_COORDINATES, "-888888.888, -888888.888"},
        {IDS_NO_SNAPPING, "NO SNAPPING"},
        {IDS_TOOLBAR_GEOMETRY, "Geometry"},
        {ID_DISC_THROW, "Throws the discs down the slope\nThrow Discs"},
        {IDR_SLOPE_TEMPLATE, "\nClastor\nClastor\nClastor Files (*.cla)\n.cla\nClastor.Document\nClastor Document"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(loadString(c.id), c.text) << "string " << c.id;
}

TEST(Strings, EveryPromptCodeHasTextExceptTheEmptyFieldHelps)
{
    // Prompt codes whose text lives under another string id.
    const UINT elsewhere[] = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011,
                              1012, 1013, 1014, 1015, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024,
                              1025, 1026};
    for (UINT code = IDS_PROMPT_FIRST; code <= IDS_PROMPT_LAST; ++code) {
        const bool mapped = std::find(std::begin(elsewhere), std::end(elsewhere), code) != std::end(elsewhere);
        EXPECT_EQ(loadString(code).empty(), mapped) << "prompt " << code;
    }
    for (UINT code = IDS_FIELD_HELP_FIRST; code <= IDS_FIELD_HELP_LAST; ++code)
        EXPECT_EQ(loadString(code).empty(), code >= 1244 && code <= 1249) << "field help " << code;
}

TEST(Menus, CommandsCarryTheirLabels)
{
    const struct { UINT menu; UINT command; const char* text; } cases[] = {
        {IDR_MAINFRAME, ID_APP_ABOUT, "&About Clastor..."},
        {IDR_MAINFRAME, ID_FILE_NEW, "&New\tCtrl+N"},
        {IDR_SLOPE_TEMPLATE, ID_COMPUTE, "Compute\tCtrl+T"},
        {IDR_SLOPE_TEMPLATE, ID_CLEAR_ROCK_PATHS, "Clear Rock Paths\tCtrl+R"},
        {IDR_SLOPE_TEMPLATE, ID_IMPORT_MATERIALS, "Import &Materials..."},
        {IDR_SLOPE_TEMPLATE, ID_EXPORT_MATERIALS, "Export &Materials..."},
        {IDR_SLOPE_TEMPLATE, ID_MATERIAL_WIZARD, "Material Wizard..."},
        {IDR_SLOPE_TEMPLATE, ID_HELP_VERIFY_THEORY, "Verification - Theory"},
        {IDR_SLOPE_TEMPLATE, ID_VIEW_ZOOM_IN, "Zoom &In\tF5"},
        {IDR_SLOPE_TEMPLATE, ID_VIEW_PAN_DOWN, "Pan Down"},
        {IDR_SLOPE_TEMPLATE, ID_HELP_CHECK_PRODUCT_UPDATES, "Check for &Clastor Updates"},
        {IDR_GRAPH_TEMPLATE, ID_GRAPH_SPLIT_VIEW, "Split View"},
        {IDR_GRAPH_TEMPLATE, ID_GRAPH_COPY_RAW_DATA, "Copy Raw Data"},
        {IDR_GRAPH_TEMPLATE, ID_GRAPH_CHART_IN_EXCEL, "Chart in Excel"},
        {IDR_REPORT_TEMPLATE, ID_FILE_PRINT, "&Print...          \tCtrl+P"},
        {IDR_REPORT_TEMPLATE, ID_REPORT_SAVE_RTF, "&Save as formatted text file..."},
        {IDR_REPORT_TEMPLATE, ID_MATERIAL_EDITOR, "Ma&terial Editor..."},
        {IDR_REPORT_CONTEXT_MENU, ID_EDIT_COPY, "&Copy to Clipboard\tCtrl+C"},
        {IDR_REPORT_CONTEXT_MENU, ID_REPORT_SAVE_TXT, "Save as .txt file..."},
        {IDR_CONTEXT_MENU, ID_CONTEXT_EDIT_SEEDER, "&Edit Seeder..."},
        {IDR_CONTEXT_MENU, ID_CONTEXT_EDIT_BARRIER, "Edit &Barrier..."},
    };
    for (const auto& c : cases) {
        MenuHolder m(c.menu);
        ASSERT_NE(m.menu, nullptr) << "menu " << c.menu;
        EXPECT_EQ(menuText(m.menu, c.command), c.text) << "menu " << c.menu << " command " << c.command;
    }
}

TEST(Menus, MenuBarsHaveTheHelpPopupsThatReceivePictures)
{
    for (UINT id : {IDR_MAINFRAME, IDR_SLOPE_TEMPLATE, IDR_GRAPH_TEMPLATE, IDR_REPORT_TEMPLATE}) {
        MenuHolder m(id);
        ASSERT_NE(m.menu, nullptr);
        EXPECT_TRUE(hasPopup(m.menu, "Brevantics on the &Web")) << "menu " << id;
        EXPECT_TRUE(hasPopup(m.menu, "&Manuals")) << "menu " << id;
    }
}

namespace {

// The key that an item's text gives it: the letter after its single '&' ("&&" shows an ampersand).
char mnemonic(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(toupper(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return '\0';
}

// Every item of one popup level (or menu bar) that shares its key with another
// item of the same level, then the same for every popup below it.
void collectSharedMnemonics(HMENU menu, const std::string& where, std::vector<std::string>& out)
{
    // Captions whose key is given with their text; two of them may share a key.
    static const char* const kFixed[] = {"Check for Updates &Automatically", "&About Clastor...",
                                         "Brevantics on the &Web", "&What's New ...",
                                         "&Save as formatted text file..."};
    const auto fixed = [](const std::string& text) {
        return std::find(std::begin(kFixed), std::end(kFixed), text) != std::end(kFixed);
    };
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char buffer[256] = {};
        GetMenuStringA(menu, i, buffer, sizeof buffer, MF_BYPOSITION);
        texts.emplace_back(buffer);
        if (HMENU sub = GetSubMenu(menu, i))
            collectSharedMnemonics(sub, where + " > " + buffer, out);
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const char key = mnemonic(texts[i]);
            if (key != '\0' && key == mnemonic(texts[j]) && !(fixed(texts[i]) && fixed(texts[j])))
                out.push_back(where + ": \"" + texts[i] + "\" and \"" + texts[j] + "\" share Alt+" + key);
        }
}

BOOL CALLBACK collectResourceId(HMODULE, LPCSTR, LPSTR name, LONG_PTR out)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(out)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

}  // namespace

// A key opens one item: two items of one level with the same key would make
// the second unreachable from the keyboard (the first one always wins).
TEST(Menus, NoTwoItemsOfALevelShareAKey)
{
    EXPECT_EQ(mnemonic("G&raphs"), 'R');
    EXPECT_EQ(mnemonic("&Barrier && Collector Graphs..."), 'B');
    EXPECT_EQ(mnemonic("Barrier && Collector"), '\0');
    std::vector<UINT> ids;
    EnumResourceNamesA(module(), MAKEINTRESOURCEA(4) /* RT_MENU */, collectResourceId, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GE(ids.size(), std::size(kMenus));
    for (UINT id : ids) {
        MenuHolder m(id);
        ASSERT_NE(m.menu, nullptr) << "menu " << id;
        std::vector<std::string> shared;
        collectSharedMnemonics(m.menu, "menu " + std::to_string(id), shared);
        for (const std::string& s : shared)
            ADD_FAILURE() << s;
    }
}

TEST(Menus, ContextPopupsSitAtTheirPositions)
{
    MenuHolder m(IDR_CONTEXT_MENU);
    ASSERT_NE(m.menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(m.menu), CONTEXT_POPUP_COUNT);
    const char* names[] = {"All Entities", "Collectors", "Slope", "Default", "Raker", "Angle", "Drawing",
                           "ExDrawing", "ZoomDone", "ZoomCancel", "DelBarrCol", "Move", "Reselect",
                           "SlopeDel", "MatPaint", "EditTools", "TextTools", "Deleting", "Olectra Chart",
                           "Ruler"};
    for (int i = 0; i < CONTEXT_POPUP_COUNT; ++i) {
        char buffer[64] = {};
        GetMenuStringA(m.menu, i, buffer, sizeof buffer, MF_BYPOSITION);
        EXPECT_STREQ(buffer, names[i]);
        EXPECT_NE(GetSubMenu(m.menu, i), nullptr);
    }
    auto ids = [&](int position) { return itemIds(GetSubMenu(m.menu, position)); };
    EXPECT_EQ(ids(CONTEXT_POPUP_SLOPE), (std::vector<UINT>{44055, 44077, 44056}));
    EXPECT_EQ(ids(CONTEXT_POPUP_RAKER), (std::vector<UINT>{44062, 44054}));
    EXPECT_EQ(ids(CONTEXT_POPUP_DEFAULT), (std::vector<UINT>{44004, 44026, 44005, 44028, 44089, 44132, 44135}));
    EXPECT_EQ(ids(CONTEXT_POPUP_EX_DRAWING), (std::vector<UINT>{44075, 44076, 44068, 44069, 44070, 44086}));
    EXPECT_EQ(ids(CONTEXT_POPUP_COLLECTORS),
              (std::vector<UINT>{44065, 44018, 44015, 44176, 44182, 44181, 44180, 44043, 44042, 44179, 44178}));
    EXPECT_EQ(ids(CONTEXT_POPUP_ANGLE),
              (std::vector<UINT>{44014, 44081, 44063, 44177, 44183, 44184, 44185, 44188, 44189, 44186, 44187}));
    EXPECT_EQ(ids(CONTEXT_POPUP_TEXT_TOOLS), (std::vector<UINT>{44124, 44190, 44125}));
    EXPECT_EQ(ids(CONTEXT_POPUP_DELETING), (std::vector<UINT>{44090, 44129, 44086}));
    EXPECT_EQ(ids(CONTEXT_POPUP_RULER), (std::vector<UINT>{44164}));
    HMENU chart = GetSubMenu(m.menu, CONTEXT_POPUP_CHART);
    for (UINT id : {44066u, 44165u, 44116u, 44141u, 44130u, 44167u})
        EXPECT_NE(GetMenuState(chart, id, MF_BYCOMMAND), static_cast<UINT>(-1)) << id;
}

TEST(Accelerators, ShortcutsReachTheirCommands)
{
    const struct { UINT table; BYTE flags; WORD key; WORD command; } cases[] = {
        {IDR_MAINFRAME, FCONTROL, 'T', ID_COMPUTE},
        {IDR_MAINFRAME, FCONTROL, 'R', ID_CLEAR_ROCK_PATHS},
        {IDR_MAINFRAME, FCONTROL, 'P', ID_FILE_PRINT},
        {IDR_MAINFRAME, FCONTROL, 'C', ID_EDIT_COPY},
        {IDR_MAINFRAME, 0, VK_F5, ID_VIEW_ZOOM_IN},
        {IDR_MAINFRAME, 0, VK_F4, ID_VIEW_ZOOM_OUT},
        {IDR_MAINFRAME, 0, VK_F2, ID_VIEW_ZOOM_ALL},
        {IDR_REPORT_TEMPLATE, 0, VK_UP, ID_VIEW_PAN_UP},
        {IDR_REPORT_TEMPLATE, 0, VK_DOWN, ID_VIEW_PAN_DOWN},
    };
    for (const auto& c : cases) {
        HACCEL table = LoadAcceleratorsA(module(), MAKEINTRESOURCEA(c.table));
        ASSERT_NE(table, nullptr);
        ACCEL entries[64];
        const int count = CopyAcceleratorTableA(table, entries, 64);
        bool found = false;
        for (int i = 0; i < count; ++i)
            if (entries[i].key == c.key && (entries[i].fVirt & ~FNOINVERT) == (FVIRTKEY | c.flags))
                found = entries[i].cmd == c.command;
        EXPECT_TRUE(found) << "key " << c.key << " in table " << c.table;
        DestroyAcceleratorTable(table);
    }
}

TEST(Toolbars, ButtonListsMatchTheirBitmaps)
{
    for (UINT id : kToolbars) {
        Toolbar toolbar;
        ASSERT_TRUE(readToolbar(id, toolbar)) << "toolbar " << id;
        EXPECT_EQ(toolbar.version, 1);
        EXPECT_EQ(toolbar.width, 16);
        EXPECT_EQ(toolbar.height, 15);
        const auto buttons = std::count_if(toolbar.commands.begin(), toolbar.commands.end(),
                                           [](WORD command) { return command != 0; });
        const BITMAPINFOHEADER* header = bitmapHeader(id);
        ASSERT_NE(header, nullptr) << "bitmap " << id;
        EXPECT_EQ(header->biWidth, 16 * buttons) << "toolbar " << id;
        EXPECT_EQ(header->biHeight, 15);
        // Only 16-colour strips get the user's button colours in the menus.
        EXPECT_EQ(header->biBitCount, 4) << "toolbar " << id;
    }
    Toolbar materials;
    ASSERT_TRUE(readToolbar(IDR_TOOLBAR_MATERIALS, materials));
    EXPECT_NE(std::find(materials.commands.begin(), materials.commands.end(), ID_MATERIAL_COMBO_PLACEHOLDER),
              materials.commands.end());
}

TEST(Toolbars, EveryButtonCommandIsOnSomeMenu)
{
    // A button shares its command with a menu item; a command on no menu would
    // be a picture nobody sees and a button no menu explains.
    std::vector<HMENU> menus;
    for (UINT id : kMenus)
        menus.push_back(LoadMenuA(module(), MAKEINTRESOURCEA(id)));
    for (UINT id : kToolbars) {
        Toolbar toolbar;
        ASSERT_TRUE(readToolbar(id, toolbar));
        for (WORD command : toolbar.commands) {
            if (command == 0 || command == ID_MATERIAL_COMBO_PLACEHOLDER)
                continue;
            const bool onMenu = std::any_of(menus.begin(), menus.end(), [&](HMENU menu) {
                return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
            });
            EXPECT_TRUE(onMenu) << "command " << command << " of toolbar " << id;
        }
    }
    for (HMENU menu : menus)
        DestroyMenu(menu);
}

TEST(Images, CursorsIconsAndBitmapsLoad)
{
    for (UINT id : {IDC_CURSOR_PICK_POINT, IDC_CURSOR_ZOOM_DYNAMIC, IDC_CURSOR_PAN, IDC_CURSOR_SELECT,
                    IDC_CURSOR_SNAP_ON, IDC_CURSOR_SNAP_OFF}) {
        HCURSOR cursor = LoadCursorA(module(), MAKEINTRESOURCEA(id));
        ASSERT_NE(cursor, nullptr) << "cursor " << id;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        if (id != IDC_CURSOR_ZOOM_DYNAMIC) {  // the lens points with its centre
            EXPECT_EQ(info.xHotspot, 15u) << "cursor " << id;
            EXPECT_EQ(info.yHotspot, 15u) << "cursor " << id;
        }
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
    for (UINT id : {IDR_MAINFRAME, IDI_DOCUMENT, IDI_REPORT, IDI_GRID_LINES, IDI_GRID_CROSSES, IDI_GRID_DOTS,
                    IDI_BOOK, IDI_PORTRAIT, IDI_LANDSCAPE}) {
        EXPECT_NE(LoadIconA(module(), MAKEINTRESOURCEA(id)), nullptr) << "icon " << id;
        EXPECT_NE(LoadImageA(module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0), nullptr) << "small icon " << id;
    }
    const BITMAPINFOHEADER* checkboxes = bitmapHeader(IDB_CHECKBOXES);
    ASSERT_NE(checkboxes, nullptr);
    EXPECT_EQ(checkboxes->biWidth, 12 * 16);
    EXPECT_EQ(checkboxes->biHeight, 16);
    EXPECT_EQ(checkboxes->biBitCount, 4);
    HBITMAP splash = LoadBitmapA(module(), MAKEINTRESOURCEA(IDB_SPLASH));
    ASSERT_NE(splash, nullptr);
    BITMAP splashInfo = {};
    GetObjectA(splash, sizeof splashInfo, &splashInfo);
    EXPECT_GT(splashInfo.bmWidth, 0);
    DeleteObject(splash);
    for (UINT id : {IDB_MANUALS, IDB_WEB}) {
        const BITMAPINFOHEADER* header = bitmapHeader(id);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, 16);
        EXPECT_EQ(header->biHeight, 15);
        EXPECT_EQ(header->biBitCount, 4);
    }
}

TEST(PreviewBar, HoldsTheFiveButtonsInOrder)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 100, nullptr, nullptr, module(), nullptr);
    ASSERT_NE(parent, nullptr);
    HWND bar = CreateDialogParamA(module(), MAKEINTRESOURCEA(IDD_PREVIEW_BAR), parent,
                                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(bar, nullptr);
    const struct { int id; const char* text; } buttons[] = {
        {AFX_ID_PREVIEW_PRINT, "&Print..."},   {ID_FILE_PAGE_SETUP, "Page Set&up..."},
        {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
        {AFX_ID_PREVIEW_CLOSE, "&Close"}};
    int previousLeft = -1;
    for (const auto& b : buttons) {
        HWND button = GetDlgItem(bar, b.id);
        ASSERT_NE(button, nullptr) << b.text;
        char text[64] = {};
        GetWindowTextA(button, text, sizeof text);
        EXPECT_STREQ(text, b.text);
        RECT rect;
        GetWindowRect(button, &rect);
        EXPECT_GT(rect.left, previousLeft) << b.text;
        previousLeft = rect.left;
    }
    DestroyWindow(bar);
    DestroyWindow(parent);
}

namespace {

INT_PTR CALLBACK quietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

BOOL CALLBACK collectDialogName(HMODULE, LPCSTR, LPSTR name, LONG_PTR out)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<UINT>*>(out)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// What a label, check box, radio button or group box draws: its text without the mnemonic marks.
std::string shownText(const char* text)
{
    std::string shown;
    for (const char* p = text; *p; ++p) {
        if (*p == '&' && *++p == '\0')
            break;
        shown += *p;    // "&&" shows one '&'
    }
    return shown;
}

struct DialogControl {
    HWND hwnd;
    std::string cls, text;
    LONG style;
    RECT rect;   // in the dialog's client coordinates
    bool isLabel() const { return _stricmp(cls.c_str(), "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT; }
    bool isButton(LONG kind) const { return _stricmp(cls.c_str(), "Button") == 0 && (style & BS_TYPEMASK) == kind; }
    bool isCheckOrRadio() const
    {
        return isButton(BS_CHECKBOX) || isButton(BS_AUTOCHECKBOX) || isButton(BS_RADIOBUTTON) ||
               isButton(BS_AUTORADIOBUTTON) || isButton(BS_3STATE) || isButton(BS_AUTO3STATE);
    }
    bool isGroupBox() const { return isButton(BS_GROUPBOX); }
    bool isField() const
    {
        return _stricmp(cls.c_str(), "Edit") == 0 || _stricmp(cls.c_str(), "ComboBox") == 0 ||
               _stricmp(cls.c_str(), "msctls_updown32") == 0;
    }
};

std::vector<DialogControl> shownControls(HWND dialog)
{
    std::vector<DialogControl> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        char cls[64] = {}, text[512] = {};
        GetClassNameA(child, cls, sizeof cls);
        GetWindowTextA(child, text, sizeof text);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        controls.push_back({child, cls, text, GetWindowLongA(child, GWL_STYLE), r});
    }
    return controls;
}

// Everything about one dialog's texts that a user would see as wrong: a
// one-line label, check box, radio button or group-box title cut short; a
// label beside a field broken over two lines; the text a label draws running
// into another control.
std::vector<std::string> labelFaults(HWND dialog)
{
    std::vector<std::string> faults;
    HDC dc = GetDC(dialog);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    const auto extent = [&](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    };
    // The check box or radio circle and the gap before its text.
    const int boxWidth = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    const std::vector<DialogControl> controls = shownControls(dialog);
    for (const DialogControl& c : controls) {
        if (c.text.empty())
            continue;
        const std::string shown = shownText(c.text.c_str());
        const SIZE size = extent(shown);
        const int width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
        if (c.isLabel()) {
            if (height < 2 * size.cy) {
                if (size.cx > width)
                    faults.push_back("\"" + shown + "\" is clipped (" + std::to_string(size.cx - width) +
                                     " pixels too wide)");
            } else if (shown.find('\n') == std::string::npos && size.cx > width) {
                // Room for more lines: the text wraps. Beside a field it must not.
                for (const DialogControl& f : controls)
                    if (f.isField() && f.rect.top < c.rect.top + size.cy && f.rect.bottom > c.rect.top) {
                        faults.push_back("\"" + shown + "\" wraps beside a field");
                        break;
                    }
            }
            // The part of the label that holds text, as it is aligned.
            RECT drawn = c.rect;
            const int used = std::min<int>(size.cx, width);
            const LONG align = c.style & SS_TYPEMASK;
            if (align == SS_LEFT)
                drawn.right = drawn.left + used;
            else if (align == SS_RIGHT)
                drawn.left = drawn.right - used;
            else
                drawn.left += (width - used) / 2, drawn.right = drawn.left + used;
            drawn.bottom = std::min<LONG>(drawn.bottom, drawn.top + size.cy);
            for (const DialogControl& other : controls) {
                RECT overlap;
                if (&other != &c && !other.isGroupBox() && IntersectRect(&overlap, &drawn, &other.rect))
                    faults.push_back("\"" + shown + "\" runs into the " + other.cls + " \"" + other.text + "\"");
            }
        } else if (_stricmp(c.cls.c_str(), "Edit") == 0 && !(c.style & ES_MULTILINE)) {
            // A field shows the whole of the widest value it is given.
            RECT client;
            GetClientRect(c.hwnd, &client);
            const DWORD margins = static_cast<DWORD>(SendMessageA(c.hwnd, EM_GETMARGINS, 0, 0));
            const int room = client.right - LOWORD(margins) - HIWORD(margins);
            if (size.cx > room)
                faults.push_back("the field showing \"" + c.text + "\" is " + std::to_string(size.cx - room) +
                                 " pixels too narrow");
        } else if (c.isCheckOrRadio() && !(c.style & (BS_MULTILINE | BS_PUSHLIKE | BS_ICON | BS_BITMAP))) {
            if (boxWidth + size.cx > width)
                faults.push_back("\"" + shown + "\" is clipped (" + std::to_string(boxWidth + size.cx - width) +
                                 " pixels too wide)");
        } else if (c.isGroupBox()) {
            // The title sits inside the frame, a little in from each side.
            if (size.cx + 2 * 8 > width)
                faults.push_back("group \"" + shown + "\" is too narrow for its title");
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(dialog, dc);
    return faults;
}

// Texts the program puts into labels while a dialog opens: the longest of each.
struct RuntimeText {
    UINT dialog;
    int control;   // 0: the caption
    const char* text;
};

const RuntimeText kRuntimeTexts[] = {
    {IDD_INITIAL_CONDITIONS, IDC_IC_VX_LABEL, "Horizontal velocity [ft/s]"},
    {IDD_INITIAL_CONDITIONS, IDC_IC_VY_LABEL, "Vertical velocity [ft/s]"},
    {IDD_INITIAL_CONDITIONS, IDC_IC_MASS_LABEL, "Mass [Kg]"},
    {IDD_BARRIER_EDITOR, IDC_BE_CAPACITY_UNIT, "[lb ft^2/s^2]"},
    {IDD_PROJECT_SETTINGS, IDC_PS_K_UNIT, "[ft/s]"},
    {IDD_PROJECT_SETTINGS, IDC_PS_CUTOFF_UNIT, "[ft/s]"},
    {IDD_PROJECT_SETTINGS, IDC_PS_C_UNIT, "[Kg]"},
    {IDD_WORKING, IDC_WORKING_MESSAGE, "Click Cancel to cancel the operation"},
    {IDD_VIEW_LIMITS, IDC_LIMITS_MIN_X, "-300000.000"},
    {IDD_VIEW_LIMITS, IDC_LIMITS_MAX_Y, "-300000.000"},
    {IDD_PAGE_SETUP, IDC_PAGE_PAPER_HEIGHT, "29.700000"},
    {IDD_PAGE_SETUP, IDC_PAGE_PAPER_WIDTH, "11.693333"},
};

}  // namespace

// Labels show their whole text, on one line where they stand beside a field,
// and no text runs into another control; the labels whose text the program
// sets are checked with the longest text they get.
TEST(Dialogs, OneLineLabelsShowTheirWholeText)
{
    // The program's own controls, as plain windows: only their place matters here.
    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = module();
    plain.lpszClassName = "MFCGridCtrl";
    RegisterClassA(&plain);
    LoadLibraryA("comctl32.dll");
    std::vector<UINT> ids;
    EnumResourceNamesA(module(), MAKEINTRESOURCEA(5) /* RT_DIALOG */, collectDialogName, reinterpret_cast<LONG_PTR>(&ids));
    ASSERT_GT(ids.size(), 20u);
    // Bars (child dialogs) need a parent.
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, module(), nullptr);
    for (UINT id : ids) {
        HWND dialog = CreateDialogParamA(module(), MAKEINTRESOURCEA(id), parent, quietDialogProc, 0);
        if (dialog == nullptr) {
            ADD_FAILURE() << "dialog " << id << " cannot be created";
            continue;
        }
        for (const RuntimeText& t : kRuntimeTexts)
            if (t.dialog == id)
                SetDlgItemTextA(dialog, t.control, t.text);
        for (const std::string& fault : labelFaults(dialog))
            ADD_FAILURE() << "dialog " << id << ": " << fault;
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}

// The statistics report is read in its window as it is laid out: none of its
// lines (the rule of asterisks, the tab-aligned values) breaks in two.
TEST(Dialogs, StatisticsReportLinesDoNotWrap)
{
    HWND dialog = CreateDialogParamA(module(), MAKEINTRESOURCEA(IDD_DISTRIBUTION_STATISTICS), nullptr,
                                     quietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    const char* const lines[] = {
        "***********************************************",
        "Unable to determine a fitted Distribution!!!",
        "Standard Deviation:\t\t-1.23456789e+006",
        "Beta Parameter a:\t\t-1.23456789e+006",
        "Number of data points:\t1000000",
        "Minimum:\t\t\t-1.23456789e+006",
        "Barrier Capacity ( 1.23456789e+006 ) Exceeded",
        "1000000\t99.99%\t\t-1.23456789e+006",
    };
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    SetDlgItemTextA(dialog, IDC_STATISTICS_TEXT, text.c_str());
    // The text's own lines, plus the empty one after the last line break.
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_STATISTICS_TEXT, EM_GETLINECOUNT, 0, 0),
              static_cast<LRESULT>(std::size(lines) + 1));
    DestroyWindow(dialog);
}
