#include "resources/strings.h"

namespace {

struct Entry {
    int id;
    const char *text;
};

constexpr Entry kStrings[] = {
    {Str::DocumentString,
     "Lodex\nReflector\nReflector\nLDX Files (*.ldx)\n.ldx\nReflector.Document\nReflector Document"},
    {Str::ColumnTitles,
     "Country;Letters;Full Name;Short Name;IP Address;Contact Person;Email;ID;Menu;Send;Receive;Running"},
    {Str::ConfirmDelete, "Do you really want to permanently remove the selected reflector(s) ?"},
    {Str::ToolbarCaption, "Toolbar"},
    {Str::Yes, "Yes"},
    {Str::No, "No"},
    {Str::AddButton, "Add"},
    {Str::UpdateButton, "Update"},
    {Str::AddCaption, "Add a reflector"},
    {Str::EditCaption, "Edit a reflector"},
    {Str::NotImplemented, "Not yet implemented, sorry !"},
    {Str::CannotCreateFile, "Cannot create the file : ' %s'"},
    {Str::VersionFormat, "Version %d.%d release %d build %d\n"},
    {Str::CompanyKey, "Quorv"},
    {Str::FormatNotSupported, "Format not supported !\nOperation cancelled."},
    {Str::ImportFilters,
     "INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*.*)|*.*||"},
    {Str::ExportFilters, "INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv||"},
    {Str::InvalidIPAddress, "Invalid IP address !\nPlease correct."},
    {Str::ConflictExplanation,
     "You can also choose to leave the original entry unchanged by pressing the Cancel button."},
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
    {Str::NoMatch, "No reflector matches the criteria."},
    {Str::PageFormat, "Page %d/%d"},
    {Str::SavePrompt, "Save changes to %1?"},
    {Str::OpenFailed, "Cannot open the file \"%1\": %2."},
    {Str::ReadFailed, "The file \"%1\" is not a readable reflector list: %2.\nNothing of it was loaded."},
    {Str::SaveFailed, "Cannot save the file \"%1\": %2.\nThe document was not saved."},
    {Str::SendFailed, "Cannot hand the document to the mail program: %1."},
    {Str::ChangedOnDisk, "%1 has been changed by another program since it was opened. Save over it?"},
    {Str::SaveInterrupted,
     "The save of \"%1\" was interrupted, and the file may be incomplete.\n"
     "Its earlier contents were kept in \"%2\"."},
    {Str::PutBackButton, "&Put Back the Earlier Contents"},
    {Str::KeepAsIsButton, "&Keep the File As It Is"},
    {Str::ShowCopyButton, "&Show the Copy"},
    {Str::PutBackFailed, "Cannot put back the earlier contents of \"%1\": %2.\nThey are still kept in \"%3\"."},
    {Str::InexactName,
     "The name \"%1\" is not valid in this system's encoding, so Lodex cannot tell which file it is.\n"
     "Rename the file, or choose another name."},
    {Str::ImportFailed, "Cannot import \"%1\": %2.\nNothing of it was imported."},
    {Str::ImportConflicts, "%1 of the %2 reflectors in %3 have an address that is already in the list."},
    {Str::ImportReviewEach, "Review each"},
    {Str::ImportKeepList, "Keep the list's"},
    {Str::ImportTakeFile, "Take the file's"},
    {Str::ImportSummary, "%1: %2 reflectors added, %3 updated, %4 skipped."},
    {Str::ClipboardSource, "Clipboard"},
    {Str::StepAdd, "Add"},
    {Str::StepEdit, "Edit"},
    {Str::StepDelete, "Delete"},
    {Str::StepCut, "Cut"},
    {Str::StepPaste, "Paste"},
    {Str::StepImport, "Import"},
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
    return LoadQString(Str::DocumentString).section(QLatin1Char('\n'), field, field);
}

QString LoadQString(int id)
{
    // The table keeps its texts as they were written, a few with printf's
    // %s and %d: those become %1, %2... in order, so that code fills every
    // text the same way, with QString::arg.
    QString text = QString::fromUtf8(LoadString(id));
    int number = 0;
    for (qsizetype i = text.indexOf(u'%'); i >= 0 && i + 1 < text.size(); i = text.indexOf(u'%', i + 1))
        if (text[i + 1] == u's' || text[i + 1] == u'd')
            text.replace(i + 1, 1, QString::number(++number));
    return text;
}
