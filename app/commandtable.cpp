#include "app/commandtable.h"

#include <algorithm>
#include <iterator>

using C = CommandId;
using R = EnableRule;

const QList<CommandInfo> &CommandTable()
{
    static const QList<CommandInfo> commands = {
        {C::FileNew, "&New\tCtrl+N", "Create a new document", "New", "new.svg", "document-new", R::Always},
        {C::FileOpen, "&Open...\tCtrl+O", "Open an existing document", "Open", "open.svg", "document-open",
         R::Always},
        {C::FileSave, "&Save\tCtrl+S", "Save the active document", "Save", "save.svg", "document-save", R::Always},
        {C::FileSaveAs, "Save &As...", "Save the active document with a new name", "Save As", nullptr, nullptr,
         R::Always},
        {C::FilePrint, "&Print...\tCtrl+P", "Print the active document", "Print", "print.svg", "document-print",
         R::Always},
        {C::FilePrintDirect, "Print", "Print the active document", "Print", nullptr, nullptr, R::Always},
        {C::FilePrintPreview, "Print Pre&view", "Display full pages", "Print Preview", nullptr, nullptr, R::Always},
        {C::FilePrintSetup, "P&rint Setup...", "Change the printer and printing options", "Print Setup", nullptr,
         nullptr, R::Always},
        {C::FileImport, "&Import", "Import a list a reflector from a text file ", nullptr, nullptr, nullptr,
         R::Always},
        {C::FileExport, "&Export", "Export the list of reflector for use with Enhanced CU-SeeMe", nullptr, nullptr,
         nullptr, R::Always},
        {C::FileSendMail, "Sen&d...", "Send the active document through electronic mail", "Send Mail", nullptr,
         nullptr, R::Always},
        {C::AppExit, "E&xit", "Quit the application; prompts to save documents", "Exit", nullptr, nullptr,
         R::Always},
        {C::EditUndo, "&Undo\tCtrl+Z", "Undo the last action", "Undo", nullptr, nullptr, R::Always},
        {C::EditRedo, "&Redo\tCtrl+Y", "Redo the previously undone action", "Redo", nullptr, nullptr, R::Always},
        {C::EditCut, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard", "Cut", "cut.svg", "edit-cut",
         R::WithSelection},
        {C::EditCopy, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", "Copy", "copy.svg",
         "edit-copy", R::WithSelection},
        {C::EditPaste, "&Paste\tCtrl+V", "Insert Clipboard contents", "Paste", "paste.svg", "edit-paste",
         R::Always},
        {C::EditFind, "&Find...\tCtrl+F", "Find the specified text", "Find", nullptr, nullptr, R::WithRows},
        {C::EditRepeat, "Find &Next", "Find the next reflector matching the last search", nullptr, nullptr, nullptr,
         R::WithRows},
        {C::ViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar", nullptr, nullptr, R::Always},
        {C::ViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar", nullptr, nullptr,
         R::Always},
        {C::ReflectorAdd, "&Add", "Add a reflector", "Add", "add.svg", "list-add", R::Always},
        {C::ReflectorEdit, "&Edit", "Edit the first selected reflector", "Edit", nullptr, nullptr, R::WithSelection},
        {C::ReflectorDelete, "&Delete", "Delete the currently selected reflector(s)", "Delete", "delete.svg",
         "list-remove", R::WithSelection},
        {C::WebCuSeeMe, "&Enhanced CU-SeeMe", "Open the Enhanced CU-SeeMe web site", nullptr, nullptr, nullptr,
         R::Always},
        {C::WebHomePage, "&Velder's Home Page", "Open my home page", nullptr, nullptr, nullptr, R::Always},
        {C::AppAbout, "&About LDX...", "Display program information, version number and copyright", "About",
         "about.svg", "help-about", R::Always},
        {C::NextPane, "Next Pane", "Switch to the next window pane", nullptr, nullptr, nullptr, R::Always},
        {C::PrevPane, "Previous Pane", "Switch back to the previous window pane", nullptr, nullptr, nullptr,
         R::Always},
    };
    return commands;
}

const CommandInfo *FindCommand(CommandId id)
{
    for (const CommandInfo &info : CommandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}

namespace {

struct Accelerator {
    QKeyCombination keys;
    CommandId id;
};

// Enter is one key on the platform the table comes from: both Return and
// the keypad's Enter run Edit.
const Accelerator kAccelerators[] = {
    {Qt::CTRL | Qt::Key_C, C::EditCopy},
    {Qt::CTRL | Qt::Key_F, C::EditFind},
    {Qt::CTRL | Qt::Key_N, C::FileNew},
    {Qt::CTRL | Qt::Key_O, C::FileOpen},
    {Qt::CTRL | Qt::Key_P, C::FilePrint},
    {Qt::CTRL | Qt::Key_S, C::FileSave},
    {Qt::CTRL | Qt::Key_V, C::EditPaste},
    {Qt::ALT | Qt::Key_Backspace, C::EditUndo},
    {QKeyCombination(Qt::Key_Delete), C::ReflectorDelete},
    {Qt::SHIFT | Qt::Key_Delete, C::EditCut},
    {QKeyCombination(Qt::Key_F6), C::NextPane},
    {Qt::SHIFT | Qt::Key_F6, C::PrevPane},
    {QKeyCombination(Qt::Key_Insert), C::ReflectorAdd},
    {Qt::CTRL | Qt::Key_Insert, C::EditCopy},
    {Qt::SHIFT | Qt::Key_Insert, C::EditPaste},
    {QKeyCombination(Qt::Key_Return), C::ReflectorEdit},
    {QKeyCombination(Qt::Key_Enter), C::ReflectorEdit},
    {Qt::CTRL | Qt::Key_X, C::EditCut},
    {Qt::CTRL | Qt::Key_Z, C::EditUndo},
    {Qt::CTRL | Qt::Key_Y, C::EditRedo},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, C::EditRedo},
};

bool IsAccelerator(const QKeySequence &keys)
{
    return std::any_of(std::begin(kAccelerators), std::end(kAccelerators),
                       [&keys](const Accelerator &a) { return QKeySequence(a.keys) == keys; });
}

} // namespace

QList<QKeySequence> AcceleratorKeys(CommandId id)
{
    QList<QKeySequence> keys;
    for (const Accelerator &a : kAccelerators)
        if (a.id == id)
            keys << QKeySequence(a.keys);
    return keys;
}

QList<QKeySequence> StandardKeys(CommandId id)
{
    struct Standard {
        CommandId id;
        QKeySequence::StandardKey key;
        QKeyCombination usual; // where the platform names no key, as under a bare X server
    };
    static const Standard table[] = {
        {C::AppExit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {C::FileSaveAs, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
        {C::EditRepeat, QKeySequence::FindNext, QKeyCombination(Qt::Key_F3)},
    };
    QList<QKeySequence> keys;
    for (const Standard &s : table) {
        if (s.id != id)
            continue;
        keys << QKeySequence(s.usual);
        for (const QKeySequence &platform : QKeySequence::keyBindings(s.key))
            if (!keys.contains(platform) && !IsAccelerator(platform))
                keys << platform;
    }
    return keys;
}

const QList<MenuEntry> &MainMenuLayout()
{
    using M = MenuEntry;
    static const QList<MenuEntry> layout = {
        {M::Popup, "&File", {}},
        {M::Command, nullptr, C::FileNew},
        {M::Command, nullptr, C::FileOpen},
        {M::Command, nullptr, C::FileSave},
        {M::Command, nullptr, C::FileSaveAs},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::FilePrint},
        {M::Command, nullptr, C::FilePrintPreview},
        {M::Command, nullptr, C::FilePrintSetup},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::FileImport},
        {M::Command, nullptr, C::FileExport},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::FileSendMail},
        {M::Separator, nullptr, {}},
        {M::RecentFiles, nullptr, {}},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::AppExit},
        {M::EndPopup, nullptr, {}},
        {M::Popup, "&Edit", {}},
        {M::Command, nullptr, C::EditUndo},
        {M::Command, nullptr, C::EditRedo},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::EditCut},
        {M::Command, nullptr, C::EditCopy},
        {M::Command, nullptr, C::EditPaste},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::EditFind},
        {M::EndPopup, nullptr, {}},
        {M::Popup, "&View", {}},
        {M::Command, nullptr, C::ViewToolbar},
        {M::Command, nullptr, C::ViewStatusBar},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::ReflectorAdd},
        {M::Command, nullptr, C::ReflectorEdit},
        {M::Command, nullptr, C::ReflectorDelete},
        {M::EndPopup, nullptr, {}},
        {M::Popup, "&Help", {}},
        {M::Popup, "Web sites", {}},
        {M::Command, nullptr, C::WebCuSeeMe},
        {M::Command, nullptr, C::WebHomePage},
        {M::EndPopup, nullptr, {}},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::AppAbout},
        {M::EndPopup, nullptr, {}},
    };
    return layout;
}

const QList<CommandId> &ToolBarLayout()
{
    static const QList<CommandId> layout = {
        C::FileNew,      C::FileOpen,        C::FileSave,  CommandId(0), C::EditCut,
        C::EditCopy,     C::EditPaste,       CommandId(0), C::ReflectorAdd, C::ReflectorDelete,
        CommandId(0),    C::FilePrint,       C::AppAbout,
    };
    return layout;
}

const QList<CommandId> &ContextMenuLayout()
{
    static const QList<CommandId> layout = {C::ReflectorAdd, C::ReflectorEdit, C::ReflectorDelete};
    return layout;
}
