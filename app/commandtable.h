#pragma once

#include <QKeySequence>
#include <QList>

// Every command of the main window, with the numbers the menus, the tool
// bar and the accelerator table use for it.
enum class CommandId : int {
    FileImport = 32771,
    FileExport = 32772,
    ReflectorDelete = 32775,
    ReflectorAdd = 32776,
    ReflectorEdit = 32778,
    WebHomePage = 32780,
    WebCuSeeMe = 32781,
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrintSetup = 57606,
    FilePrint = 57607,
    FilePrintDirect = 57608,
    FilePrintPreview = 57609,
    FileSendMail = 57612,
    FileMru1 = 57616, // to FileMru1 + 3
    EditCopy = 57634,
    EditCut = 57635,
    EditFind = 57636,
    EditPaste = 57637,
    EditRepeat = 57640, // Find Next again: a key, in no menu
    EditUndo = 57643,
    EditRedo = 57644,
    AppAbout = 57664,
    AppExit = 57665,
    NextPane = 57680,
    PrevPane = 57681,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
};

// When a command with a handler is enabled. A command without a handler is
// always disabled, whatever its rule.
enum class EnableRule {
    Always,
    WithSelection, // at least one row selected
    WithRows,      // the list holds at least one row
};

struct CommandInfo {
    CommandId id;
    const char *text;      // menu text: '&' marks the mnemonic, "\t" the shortcut shown
    const char *prompt;    // status bar prompt
    const char *toolTip;   // null when the command has none
    const char *icon;      // image under :/icons, or null
    const char *themeIcon; // the icon theme's name for the same image, preferred when the theme has it
    EnableRule rule;
};

// The command table, in menu order.
const QList<CommandInfo> &CommandTable();
const CommandInfo *FindCommand(CommandId id);

// The menu item's text in the user's language, without the shortcut
// written after "\t": the menu shows the shortcut itself, and screen
// readers read the two apart.
QString MenuText(const CommandInfo &info);
// A text of the table (a prompt, a tool tip, a menu's title) in the
// user's language; empty for none.
QString CommandText(const char *text);
// The shortcut written after "\t", which the menu shows; none without one.
QKeySequence MenuKey(const CommandInfo &info);

// The accelerator table: the keys of each command.
QList<QKeySequence> AcceleratorKeys(CommandId id);

// The desktop's standard keys of a command, beside the accelerator table:
// the usual key first, then any other the platform has for it that the
// accelerator table gives to no command.
QList<QKeySequence> StandardKeys(CommandId id);

// The layouts: main menu, tool bar, list context menu.
struct MenuEntry {
    // SortBy: a submenu of the list's columns and the two directions.
    enum Kind { Popup, EndPopup, Command, Separator, RecentFiles, SortBy };
    Kind kind;
    const char *title; // Popup and SortBy only
    CommandId id;      // Command only
};
const QList<MenuEntry> &MainMenuLayout();
// Commands of the tool bar; CommandId(0) marks a separator.
const QList<CommandId> &ToolBarLayout();
const QList<CommandId> &ContextMenuLayout();
