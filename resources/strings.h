#pragma once

#include <QString>

// The program's own texts, by number. Numbers group the texts as the menus,
// dialogs and messages use them; code asks for a text by its number so that
// every message box and label reads from this one table.
namespace Str {
enum Id {
    DocumentString = 128,   // "Lodex\nReflector\n..." seven fields
    ColumnTitles = 129,
    ConfirmDelete = 130,
    ToolbarCaption = 131,
    Yes = 132,
    No = 133,
    AddButton = 134,
    UpdateButton = 135,
    AddCaption = 136,
    EditCaption = 137,
    NotImplemented = 138,
    CannotCreateFile = 139,
    VersionFormat = 140,
    CompanyKey = 141,
    FormatNotSupported = 142,
    ImportFilters = 143,
    ExportFilters = 144,
    InvalidIPAddress = 145,
    FieldTooLong = 146,     // the field's limit (%1)
    ConflictExplanation = 147,
    ConnectionSettings = 149,
    LabelCountry = 151,
    LabelLetters = 152,
    LabelFullName = 153,
    LabelShortName = 154,
    LabelIPAddress = 155,
    LabelContact = 156,
    LabelEmail = 157,
    LabelConferenceID = 158,
    LabelAddToMenu = 159,
    LabelSendVideo = 160,
    LabelReceiveVideo = 161,
    LabelRunning = 162,
    NoMatch = 163,
    PageFormat = 175,
    PrintFailed = 176,      // the reason (%1)

    // File commands of the main window: reports with a file name (%1) and
    // a reason (%2), filled in with QString::arg.
    SavePrompt = 300,
    OpenFailed = 301,
    ReadFailed = 302,
    SaveFailed = 303,
    SendFailed = 304,

    // Import and Paste: the source (%1) and what is wrong (%2); the
    // question when addresses are taken and its three answers; the counts.
    ImportFailed = 305,
    ImportConflicts = 306,
    ImportReviewEach = 307,
    ImportKeepList = 308,
    ImportTakeFile = 309,
    ImportSummary = 310,
    ClipboardSource = 311,

    // Saving over changes and interrupted saves: file (%1), then a reason
    // or the copy's path (%2).
    ChangedOnDisk = 320,
    SaveInterrupted = 321,
    PutBackButton = 322,
    KeepAsIsButton = 323,
    ShowCopyButton = 324,
    PutBackFailed = 325,
    InexactName = 326,

    // The commands as Undo and Redo name them in the Edit menu.
    StepAdd = 330,
    StepEdit = 331,
    StepDelete = 332,
    StepCut = 333,
    StepPaste = 334,
    StepImport = 335,

    // The desktop registration (-Register, -Unregister): what went wrong (%1).
    RegisterFailed = 340,
    UnregisterFailed = 341,
    AppName = 57344,
};

// The fields of the document string, in order.
enum DocumentField {
    WindowTitle,    // "Lodex"
    DocumentName,   // the title of a document not saved yet
    NewFileType,
    FilterName,     // "LDX Files (*.ldx)"
    FilterExtension, // ".ldx"
    ShellTypeId,
    ShellTypeName,
};
}

// The text of string `id` as the table holds it, or an empty string when
// there is none: for data, which is the same in every language.
const char *LoadString(int id);
// The same, for widgets and messages: in the user's language, with its
// placeholders numbered (%1, %2...) for QString::arg, whichever way the
// table writes them.
QString LoadQString(int id);

// One field of the document string.
QString DocumentStringField(Str::DocumentField field);
