#include "app/commandtable.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

using C = CommandId;
using R = EnableRule;

// The texts are translated where they are shown (context "Command").
const QList<CommandInfo> &CommandTable()
{
    static const QList<CommandInfo> commands = {
        {C::FileNew, QT_TRANSLATE_NOOP("Command", "&New\tCtrl+N"),
         QT_TRANSLATE_NOOP("Command", "Create a new document"), QT_TRANSLATE_NOOP("Command", "New"), "new.svg",
         "document-new", R::Always},
        {C::FileOpen, QT_TRANSLATE_NOOP("Command", "&Open...\tCtrl+O"),
         QT_TRANSLATE_NOOP("Command", "Open an existing document"), QT_TRANSLATE_NOOP("Command", "Open"), "open.svg",
         "document-open", R::Always},
        {C::FileSave, QT_TRANSLATE_NOOP("Command", "&Save\tCtrl+S"),
         QT_TRANSLATE_NOOP("Command", "Save the active document"), QT_TRANSLATE_NOOP("Command", "Save"), "save.svg",
         "document-save", R::Always},
        {C::FileSaveAs, QT_TRANSLATE_NOOP("Command", "Save &As..."),
         QT_TRANSLATE_NOOP("Command", "Save the active document with a new name"),
         QT_TRANSLATE_NOOP("Command", "Save As"), nullptr, nullptr, R::Always},
        {C::FilePrint, QT_TRANSLATE_NOOP("Command", "&Print...\tCtrl+P"),
         QT_TRANSLATE_NOOP("Command", "Print the active document"), QT_TRANSLATE_NOOP("Command", "Print"), "print.svg",
         "document-print", R::Always},
        {C::FilePrintDirect, QT_TRANSLATE_NOOP("Command", "Print"),
         QT_TRANSLATE_NOOP("Command", "Print the active document"), QT_TRANSLATE_NOOP("Command", "Print"), nullptr,
         nullptr, R::Always},
        {C::FilePrintPreview, QT_TRANSLATE_NOOP("Command", "Print Pre&view"),
         QT_TRANSLATE_NOOP("Command", "Display full pages"), QT_TRANSLATE_NOOP("Command", "Print Preview"), nullptr,
         nullptr, R::Always},
        {C::FilePrintSetup, QT_TRANSLATE_NOOP("Command", "P&rint Setup..."),
         QT_TRANSLATE_NOOP("Command", "Change the printer and printing options"),
         QT_TRANSLATE_NOOP("Command", "Print Setup"), nullptr, nullptr, R::Always},
        {C::FileImport, QT_TRANSLATE_NOOP("Command", "&Import"),
         QT_TRANSLATE_NOOP("Command", "Import a list a reflector from a text file "), nullptr, nullptr, nullptr,
         R::Always},
        {C::FileExport, QT_TRANSLATE_NOOP("Command", "&Export"),
         QT_TRANSLATE_NOOP("Command", "Export the list of reflector for use with Enhanced CU-SeeMe"), nullptr, nullptr,
         nullptr, R::Always},
        {C::FileSendMail, QT_TRANSLATE_NOOP("Command", "Sen&d..."),
         QT_TRANSLATE_NOOP("Command", "Send the active document through electronic mail"),
         QT_TRANSLATE_NOOP("Command", "Send Mail"), nullptr, nullptr, R::Always},
        {C::AppExit, QT_TRANSLATE_NOOP("Command", "E&xit"),
         QT_TRANSLATE_NOOP("Command", "Quit the application; prompts to save documents"),
         QT_TRANSLATE_NOOP("Command", "Exit"), nullptr, nullptr, R::Always},
        {C::EditUndo, QT_TRANSLATE_NOOP("Command", "&Undo\tCtrl+Z"),
         QT_TRANSLATE_NOOP("Command", "Undo the last action"), QT_TRANSLATE_NOOP("Command", "Undo"), nullptr, nullptr,
         R::Always},
        {C::EditRedo, QT_TRANSLATE_NOOP("Command", "&Redo\tCtrl+Y"),
         QT_TRANSLATE_NOOP("Command", "Redo the previously undone action"), QT_TRANSLATE_NOOP("Command", "Redo"),
         nullptr, nullptr, R::Always},
        {C::EditCut, QT_TRANSLATE_NOOP("Command", "Cu&t\tCtrl+X"),
         QT_TRANSLATE_NOOP("Command", "Cut the selection and put it on the Clipboard"),
         QT_TRANSLATE_NOOP("Command", "Cut"), "cut.svg", "edit-cut", R::WithSelection},
        {C::EditCopy, QT_TRANSLATE_NOOP("Command", "&Copy\tCtrl+C"),
         QT_TRANSLATE_NOOP("Command", "Copy the selection and put it on the Clipboard"),
         QT_TRANSLATE_NOOP("Command", "Copy"), "copy.svg", "edit-copy", R::WithSelection},
        {C::EditPaste, QT_TRANSLATE_NOOP("Command", "&Paste\tCtrl+V"),
         QT_TRANSLATE_NOOP("Command", "Insert Clipboard contents"), QT_TRANSLATE_NOOP("Command", "Paste"), "paste.svg",
         "edit-paste", R::Always},
        {C::EditFind, QT_TRANSLATE_NOOP("Command", "&Find...\tCtrl+F"),
         QT_TRANSLATE_NOOP("Command", "Find the specified text"), QT_TRANSLATE_NOOP("Command", "Find"), nullptr,
         nullptr, R::WithRows},
        {C::EditRepeat, QT_TRANSLATE_NOOP("Command", "Find &Next"),
         QT_TRANSLATE_NOOP("Command", "Find the next reflector matching the last search"), nullptr, nullptr, nullptr,
         R::WithRows},
        {C::ViewToolbar, QT_TRANSLATE_NOOP("Command", "&Toolbar"),
         QT_TRANSLATE_NOOP("Command", "Show or hide the toolbar"), QT_TRANSLATE_NOOP("Command", "Toggle ToolBar"),
         nullptr, nullptr, R::Always},
        {C::ViewStatusBar, QT_TRANSLATE_NOOP("Command", "&Status Bar"),
         QT_TRANSLATE_NOOP("Command", "Show or hide the status bar"), QT_TRANSLATE_NOOP("Command", "Toggle StatusBar"),
         nullptr, nullptr, R::Always},
        {C::ReflectorAdd, QT_TRANSLATE_NOOP("Command", "&Add"), QT_TRANSLATE_NOOP("Command", "Add a reflector"),
         QT_TRANSLATE_NOOP("Command", "Add"), "add.svg", "list-add", R::Always},
        {C::ReflectorEdit, QT_TRANSLATE_NOOP("Command", "&Edit"),
         QT_TRANSLATE_NOOP("Command", "Edit the first selected reflector"), QT_TRANSLATE_NOOP("Command", "Edit"),
         nullptr, nullptr, R::WithSelection},
        {C::ReflectorDelete, QT_TRANSLATE_NOOP("Command", "&Delete"),
         QT_TRANSLATE_NOOP("Command", "Delete the currently selected reflector(s)"),
         QT_TRANSLATE_NOOP("Command", "Delete"), "delete.svg", "list-remove", R::WithSelection},
        {C::WebCuSeeMe, QT_TRANSLATE_NOOP("Command", "&Enhanced CU-SeeMe"),
         QT_TRANSLATE_NOOP("Command", "Open the Enhanced CU-SeeMe web site"), nullptr, nullptr, nullptr, R::Always},
        {C::WebHomePage, QT_TRANSLATE_NOOP("Command", "&Velder's Home Page"),
         QT_TRANSLATE_NOOP("Command", "Open my home page"), nullptr, nullptr, nullptr, R::Always},
        {C::AppAbout, QT_TRANSLATE_NOOP("Command", "&About LDX..."),
         QT_TRANSLATE_NOOP("Command", "Display program information, version number and copyright"),
         QT_TRANSLATE_NOOP("Command", "About"), "about.svg", "help-about", R::Always},
        {C::NextPane, QT_TRANSLATE_NOOP("Command", "Next Pane"),
         QT_TRANSLATE_NOOP("Command", "Switch to the next window pane"), nullptr, nullptr, nullptr, R::Always},
        {C::PrevPane, QT_TRANSLATE_NOOP("Command", "Previous Pane"),
         QT_TRANSLATE_NOOP("Command", "Switch back to the previous window pane"), nullptr, nullptr, nullptr, R::Always},
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

QString MenuText(const CommandInfo &info)
{
    return CommandText(info.text).section(QLatin1Char('\t'), 0, 0);
}

QString CommandText(const char *text)
{
    return text ? QCoreApplication::translate("Command", text) : QString();
}

QKeySequence MenuKey(const CommandInfo &info)
{
    return QKeySequence(QString::fromUtf8(info.text).section(QLatin1Char('\t'), 1), QKeySequence::PortableText);
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
        {C::FileNew, QKeySequence::New, Qt::CTRL | Qt::Key_N},
        {C::FileOpen, QKeySequence::Open, Qt::CTRL | Qt::Key_O},
        {C::FileSave, QKeySequence::Save, Qt::CTRL | Qt::Key_S},
        {C::FilePrint, QKeySequence::Print, Qt::CTRL | Qt::Key_P},
        {C::AppExit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
        {C::FileSaveAs, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
        {C::EditUndo, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z},
        {C::EditCut, QKeySequence::Cut, Qt::CTRL | Qt::Key_X},
        {C::EditCopy, QKeySequence::Copy, Qt::CTRL | Qt::Key_C},
        {C::EditPaste, QKeySequence::Paste, Qt::CTRL | Qt::Key_V},
        {C::EditFind, QKeySequence::Find, Qt::CTRL | Qt::Key_F},
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
        {M::Popup, QT_TRANSLATE_NOOP("Command", "&File"), {}},
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
        {M::Popup, QT_TRANSLATE_NOOP("Command", "&Edit"), {}},
        {M::Command, nullptr, C::EditUndo},
        {M::Command, nullptr, C::EditRedo},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::EditCut},
        {M::Command, nullptr, C::EditCopy},
        {M::Command, nullptr, C::EditPaste},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::EditFind},
        {M::EndPopup, nullptr, {}},
        {M::Popup, QT_TRANSLATE_NOOP("Command", "&View"), {}},
        {M::Command, nullptr, C::ViewToolbar},
        {M::Command, nullptr, C::ViewStatusBar},
        {M::Separator, nullptr, {}},
        {M::Command, nullptr, C::ReflectorAdd},
        {M::Command, nullptr, C::ReflectorEdit},
        {M::Command, nullptr, C::ReflectorDelete},
        {M::Separator, nullptr, {}},
        {M::SortBy, QT_TRANSLATE_NOOP("Command", "Sort &By"), {}},
        {M::EndPopup, nullptr, {}},
        {M::Popup, QT_TRANSLATE_NOOP("Command", "&Help"), {}},
        {M::Popup, QT_TRANSLATE_NOOP("Command", "Web sites"), {}},
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
