#include "resources/strings.h"

#include <QCoreApplication>

namespace {

// The texts the user reads are marked for translation (context "Str"); the
// others (the settings keys, the connection file's and the clipboard's
// fixed parts) are data, the same in every language.
struct Entry {
    int id;
    const char *text;
};

constexpr Entry kStrings[] = {
    //: Seven fields, one a line: the window title, the name of a new document, the same again, the file
    //: dialogs' filter, then three that are not shown (the extension and the type's identifier stay as
    //: they are), and the file type's name.
    {Str::DocumentString,
     QT_TRANSLATE_NOOP("Str", "Lodex\nReflector\nReflector\nLDX Files (*.ldx)\n.ldx\nReflector.Document\n"
                              "Reflector Document")},
    //: The twelve column titles, separated by ";"
    {Str::ColumnTitles, QT_TRANSLATE_NOOP("Str", "Country;Letters;Full Name;Short Name;IP Address;Contact Person;"
                                                 "Email;ID;Menu;Send;Receive;Running")},
    {Str::ConfirmDelete,
     QT_TRANSLATE_NOOP("Str", "Do you really want to permanently remove the selected reflector(s) ?")},
    {Str::ToolbarCaption, QT_TRANSLATE_NOOP("Str", "Toolbar")},
    {Str::Yes, QT_TRANSLATE_NOOP("Str", "Yes")},
    {Str::No, QT_TRANSLATE_NOOP("Str", "No")},
    {Str::AddButton, QT_TRANSLATE_NOOP("Str", "Add")},
    {Str::UpdateButton, QT_TRANSLATE_NOOP("Str", "Update")},
    {Str::AddCaption, QT_TRANSLATE_NOOP("Str", "Add a reflector")},
    {Str::EditCaption, QT_TRANSLATE_NOOP("Str", "Edit a reflector")},
    {Str::NotImplemented, QT_TRANSLATE_NOOP("Str", "Not yet implemented, sorry !")},
    {Str::CannotCreateFile, QT_TRANSLATE_NOOP("Str", "Cannot create the file : ' %s'")},
    {Str::VersionFormat, QT_TRANSLATE_NOOP("Str", "Version %d.%d release %d build %d\n")},
    {Str::CompanyKey, "Quorv"},
    {Str::FormatNotSupported, QT_TRANSLATE_NOOP("Str", "Format not supported !\nOperation cancelled.")},
    //: File dialog filters: a description, "|", its patterns, "|" ..., ending in "||"
    {Str::ImportFilters, QT_TRANSLATE_NOOP("Str", "INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv|Text File (*.txt)|"
                                                  "*.txt|All Files (*.*)|*.*||")},
    {Str::ExportFilters, QT_TRANSLATE_NOOP("Str", "INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv||")},
    {Str::InvalidIPAddress, QT_TRANSLATE_NOOP("Str", "Invalid IP address !\nPlease correct.")},
    {Str::FieldTooLong, QT_TRANSLATE_NOOP("Str", "This field holds at most %1 characters.\nPlease shorten it.")},
    {Str::ConflictExplanation, QT_TRANSLATE_NOOP("Str", "You can also choose to leave the original entry unchanged by "
                                                        "pressing the Cancel button.")},
    {Str::ConnectionSettings,
     "\n[Settings]\nMax Windows=8\n\n[Flow Control]\nMaxCap=28\nMinCap=10\nUseFlowControl=Yes\n\n"
     "[Connect Options]\nIWillSendVideo=Yes\nIWillRecvVideo=Yes\nIWillSendAudio=Yes\nIWillRecvAudio=Yes\n"},
    {Str::LabelCountry, "Country: "},
    {Str::LabelLetters, "\nLetters: "},
    {Str::LabelFullName, "\nFull name: "},
    {Str::LabelShortName, "\nShort name: "},
    {Str::LabelIPAddress, "\nIP address: "},
    {Str::LabelContact, "\nContact name: "},
    {Str::LabelEmail, "\nContact email: "},
    {Str::LabelConferenceID, "\nConference ID: "},
    {Str::LabelAddToMenu, "\nAdd to menu: "},
    {Str::LabelSendVideo, "\nSend video: "},
    {Str::LabelReceiveVideo, "\nReceive video: "},
    {Str::LabelRunning, "\nIs running: "},
    {Str::NoMatch, QT_TRANSLATE_NOOP("Str", "No reflector matches the criteria.")},
    {Str::PageFormat, QT_TRANSLATE_NOOP("Str", "Page %d/%d")},
    {Str::PrintFailed, QT_TRANSLATE_NOOP("Str", "Cannot print the list: %1.")},
    {Str::SavePrompt, QT_TRANSLATE_NOOP("Str", "Save changes to %1?")},
    {Str::OpenFailed, QT_TRANSLATE_NOOP("Str", "Cannot open the file \"%1\": %2.")},
    {Str::ReadFailed, QT_TRANSLATE_NOOP("Str", "The file \"%1\" is not a readable reflector list: %2.\n"
                                               "Nothing of it was loaded.")},
    {Str::SaveFailed, QT_TRANSLATE_NOOP("Str", "Cannot save the file \"%1\": %2.\nThe document was not saved.")},
    {Str::SendFailed, QT_TRANSLATE_NOOP("Str", "Cannot hand the document to the mail program: %1.")},
    {Str::ChangedOnDisk, QT_TRANSLATE_NOOP("Str", "%1 has been changed by another program since it was opened. "
                                                  "Save over it?")},
    {Str::SaveInterrupted, QT_TRANSLATE_NOOP("Str", "The save of \"%1\" was interrupted, and the file may be "
                                                    "incomplete.\nIts earlier contents were kept in \"%2\".")},
    {Str::PutBackButton, QT_TRANSLATE_NOOP("Str", "&Put Back the Earlier Contents")},
    {Str::KeepAsIsButton, QT_TRANSLATE_NOOP("Str", "&Keep the File As It Is")},
    {Str::ShowCopyButton, QT_TRANSLATE_NOOP("Str", "&Show the Copy")},
    {Str::PutBackFailed, QT_TRANSLATE_NOOP("Str", "Cannot put back the earlier contents of \"%1\": %2.\n"
                                                  "They are still kept in \"%3\".")},
    {Str::InexactName, QT_TRANSLATE_NOOP("Str", "The name \"%1\" is not valid in this system's encoding, so Lodex "
                                                "cannot tell which file it is.\n"
                                                "Rename the file, or choose another name.")},
    {Str::ImportFailed, QT_TRANSLATE_NOOP("Str", "Cannot import \"%1\": %2.\nNothing of it was imported.")},
    {Str::ImportConflicts, QT_TRANSLATE_NOOP("Str", "%1 of the %2 reflectors in %3 have an address that is already in the list.")},
    {Str::ImportReviewEach, QT_TRANSLATE_NOOP("Str", "Review each")},
    {Str::ImportKeepList, QT_TRANSLATE_NOOP("Str", "Keep the list's")},
    {Str::ImportTakeFile, QT_TRANSLATE_NOOP("Str", "Take the file's")},
    {Str::ImportSummary, QT_TRANSLATE_NOOP("Str", "%1: %2 reflectors added, %3 updated, %4 skipped.")},
    {Str::ClipboardSource, QT_TRANSLATE_NOOP("Str", "Clipboard")},
    {Str::StepAdd, QT_TRANSLATE_NOOP("Str", "Add")},
    {Str::StepEdit, QT_TRANSLATE_NOOP("Str", "Edit")},
    {Str::StepDelete, QT_TRANSLATE_NOOP("Str", "Delete")},
    {Str::StepCut, QT_TRANSLATE_NOOP("Str", "Cut")},
    {Str::StepPaste, QT_TRANSLATE_NOOP("Str", "Paste")},
    {Str::StepImport, QT_TRANSLATE_NOOP("Str", "Import")},
    {Str::RegisterFailed, QT_TRANSLATE_NOOP("Str", "Cannot make Lodex the program for .ldx files:\n%1")},
    {Str::UnregisterFailed, QT_TRANSLATE_NOOP("Str", "Cannot take back Lodex's registration for .ldx files:\n%1")},
    {Str::AppName, "Lodex"},
};

} // namespace

const char *LoadString(int id)
{
    for (const Entry &e : kStrings)
        if (e.id == id)
            return e.text;
    return "";
}

QString DocumentStringField(Str::DocumentField field)
{
    // The extension and the type's identifier are the program's, in every
    // language.
    const bool shown = field != Str::FilterExtension && field != Str::ShellTypeId;
    const QString fields =
        shown ? LoadQString(Str::DocumentString) : QString::fromUtf8(LoadString(Str::DocumentString));
    return fields.section(QLatin1Char('\n'), field, field);
}

QString LoadQString(int id)
{
    // The table keeps its texts as they were written, a few with printf's
    // %s and %d: those become %1, %2... in order, so that code fills every
    // text the same way, with QString::arg.
    QString text = QCoreApplication::translate("Str", LoadString(id));
    int number = 0;
    for (qsizetype i = text.indexOf(u'%'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'%', i + 1))
        if (text[i + 1] == u's' || text[i + 1] == u'd')
            text.replace(i + 1, 1, QString::number(++number));
    return text;
}
