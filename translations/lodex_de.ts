<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Archive</name>
    <message>
        <source>the file ends in the middle of an entry</source>
        <translation>die Datei endet mitten in einem Eintrag</translation>
    </message>
    <message>
        <source>the file became shorter while it was read</source>
        <translation>die Datei wurde beim Lesen kürzer</translation>
    </message>
    <message>
        <source>a text length is out of range</source>
        <translation>eine Textlänge liegt außerhalb des gültigen Bereichs</translation>
    </message>
</context>
<context>
    <name>CAboutBox</name>
    <message>
        <source>About...</source>
        <translation>Info...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CConflictDialog</name>
    <message>
        <source>A reflector with the same IP address as the one you provided already exists in the database. Please either modify the IP address to create a new entry or choose to update the original reflector.</source>
        <translation>Ein Reflektor mit derselben IP-Adresse wie der angegebene ist bereits in der Datenbank vorhanden. Ändern Sie entweder die IP-Adresse, um einen neuen Eintrag anzulegen, oder aktualisieren Sie den ursprünglichen Reflektor.</translation>
    </message>
    <message>
        <source>Resolve Conflicting Reflector</source>
        <translation>Reflektorkonflikt lösen</translation>
    </message>
    <message>
        <source>Add/Update</source>
        <translation>Hinzufügen/Aktualisieren</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CDocumentFiles</name>
    <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
</context>
<context>
    <name>CFindDialog</name>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Nur &amp;ganzes Wort</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
</context>
<context>
    <name>CLodexApp</name>
    <message>
        <source>Cannot print &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht gedruckt werden: %2</translation>
    </message>
</context>
<context>
    <name>CLodexDoc</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
</context>
<context>
    <name>CLodexView</name>
    <message>
        <source>Reflector list</source>
        <translation>Reflektorliste</translation>
    </message>
</context>
<context>
    <name>CMailSender</name>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>CMainStatusBar</name>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Feststelltaste</translation>
    </message>
    <message>
        <source>Num Lock</source>
        <translation>Num-Taste</translation>
    </message>
    <message>
        <source>Scroll Lock</source>
        <translation>Rollen-Taste</translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
<context>
    <name>CPrintPreviewDialog</name>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Breite anpassen</translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>One Page</source>
        <translation>Eine Seite</translation>
    </message>
    <message>
        <source>Two Pages</source>
        <translation>Zwei Seiten</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Erste</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Vorherige</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nächste</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Letzte</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Seitenansicht</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>CRecentFilesMenu</name>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
</context>
<context>
    <name>CReflectorDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>CReportPrinter</name>
    <message>
        <source>The printer could not print the list.</source>
        <translation>Der Drucker konnte die Liste nicht drucken.</translation>
    </message>
</context>
<context>
    <name>CShellRegistration</name>
    <message>
        <source>%1 failed on %2: %3</source>
        <translation>%1 ist bei %2 fehlgeschlagen: %3</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Cannot restore %1</source>
        <translation>%1 kann nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <source>Cannot remove %1</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>%1 already exists and was not written by Lodex; nothing was changed.</source>
        <translation>%1 ist bereits vorhanden und wurde nicht von Lodex geschrieben; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>The registration record %1 cannot be read; nothing was removed.</source>
        <translation>Das Registrierungsprotokoll %1 kann nicht gelesen werden; nichts wurde entfernt.</translation>
    </message>
</context>
<context>
    <name>CSortMenu</name>
    <message>
        <source>Sort the list by this column</source>
        <translation>Die Liste nach dieser Spalte sortieren</translation>
    </message>
    <message>
        <source>&amp;Ascending</source>
        <translation>&amp;Aufsteigend</translation>
    </message>
    <message>
        <source>Sort from A to Z</source>
        <translation>Von A bis Z sortieren</translation>
    </message>
    <message>
        <source>&amp;Descending</source>
        <translation>A&amp;bsteigend</translation>
    </message>
    <message>
        <source>Sort from Z to A</source>
        <translation>Von Z bis A sortieren</translation>
    </message>
</context>
<context>
    <name>CVersionInfo</name>
    <message>
        <source>Keeps the reflector lists of the Enhanced CU-SeeMe client</source>
        <translation>Verwaltet die Reflektorlisten des Enhanced-CU-SeeMe-Clients</translation>
    </message>
    <message>
        <source>Problem reports: %1</source>
        <translation>Fehlerberichte: %1</translation>
    </message>
    <message>
        <source>Copyright 2026 Quorv, GPL-3.0-or-later</source>
        <translation>Copyright 2026 Quorv, GPL-3.0-or-later</translation>
    </message>
    <message>
        <source>Enhanced CU-SeeMe is a trademark of its owner.</source>
        <translation>Enhanced CU-SeeMe ist eine Marke ihres Inhabers.</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>Das aktive Dokument drucken</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Seiten&amp;ansicht</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>Ganze Seiten anzeigen</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Seitenansicht</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>Drucker und Druckoptionen ändern</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Import a list a reflector from a text file </source>
        <translation>Eine Reflektorliste aus einer Textdatei importieren</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>E&amp;xportieren</translation>
    </message>
    <message>
        <source>Export the list of reflector for use with Enhanced CU-SeeMe</source>
        <translation>Die Reflektorliste für Enhanced CU-SeeMe exportieren</translation>
    </message>
    <message>
        <source>Sen&amp;d...</source>
        <translation>Als E-&amp;Mail senden...</translation>
    </message>
    <message>
        <source>Send the active document through electronic mail</source>
        <translation>Das aktive Dokument per E-Mail versenden</translation>
    </message>
    <message>
        <source>Send Mail</source>
        <translation>E-Mail senden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Die Anwendung beenden; fragt, ob Dokumente gespeichert werden sollen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Rückgängig	Ctrl+Z</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Die letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>&amp;Ausschneiden	Ctrl+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopieren	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>Ein&amp;fügen	Ctrl+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>&amp;Suchen...	Ctrl+F</translation>
    </message>
    <message>
        <source>Find the specified text</source>
        <translation>Den angegebenen Text suchen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find the next reflector matching the last search</source>
        <translation>Den nächsten Reflektor suchen, der zur letzten Suche passt</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>Add a reflector</source>
        <translation>Einen Reflektor hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Edit the first selected reflector</source>
        <translation>Den ersten ausgewählten Reflektor bearbeiten</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete the currently selected reflector(s)</source>
        <translation>Die ausgewählten Reflektoren löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>&amp;Enhanced CU-SeeMe</source>
        <translation>&amp;Enhanced CU-SeeMe</translation>
    </message>
    <message>
        <source>Open the Enhanced CU-SeeMe web site</source>
        <translation>Die Website von Enhanced CU-SeeMe öffnen</translation>
    </message>
    <message>
        <source>&amp;Velder&apos;s Home Page</source>
        <translation>&amp;Velders Homepage</translation>
    </message>
    <message>
        <source>Open my home page</source>
        <translation>Meine Homepage öffnen</translation>
    </message>
    <message>
        <source>&amp;About LDX...</source>
        <translation>&amp;Über LDX...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>Zum nächsten Fensterbereich wechseln</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>Zum vorherigen Fensterbereich zurückwechseln</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Sort &amp;By</source>
        <translation>Sortieren &amp;nach</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Web sites</source>
        <translation>Websites</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>&amp;Wiederherstellen	Ctrl+Y</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Die zuletzt rückgängig gemachte Aktion wiederherstellen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>Import</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>a second %1 line in one reflector (a blank line separates reflectors)</source>
        <translation>eine zweite %1-Zeile in einem Reflektor (Reflektoren werden durch eine Leerzeile getrennt)</translation>
    </message>
    <message>
        <source>%1 after %2, where Yes or No belongs</source>
        <translation>%1 nach %2, wo Yes oder No stehen muss</translation>
    </message>
    <message>
        <source>%1 does not begin with a label such as %2</source>
        <translation>%1 beginnt nicht mit einer Bezeichnung wie %2</translation>
    </message>
    <message>
        <source>%1 fields where a reflector line has %2</source>
        <translation>%1 Felder, wo eine Reflektorzeile %2 hat</translation>
    </message>
    <message>
        <source>%1 where %2Yes or %2No belongs</source>
        <translation>%1, wo %2Yes oder %2No stehen muss</translation>
    </message>
    <message>
        <source>the text is not valid UTF-16: it has an odd number of bytes</source>
        <translation>der Text ist kein gültiges UTF-16: er hat eine ungerade Anzahl von Bytes</translation>
    </message>
</context>
<context>
    <name>LdxFile</name>
    <message>
        <source>an entry refers to another object instead of holding a record</source>
        <translation>ein Eintrag verweist auf ein anderes Objekt, statt einen Datensatz zu enthalten</translation>
    </message>
    <message>
        <source>an entry refers to an unknown class</source>
        <translation>ein Eintrag verweist auf eine unbekannte Klasse</translation>
    </message>
    <message>
        <source>the class name is too long</source>
        <translation>der Klassenname ist zu lang</translation>
    </message>
    <message>
        <source>the file does not hold reflectors</source>
        <translation>die Datei enthält keine Reflektoren</translation>
    </message>
    <message>
        <source>the file was written by an unknown version (schema %1)</source>
        <translation>die Datei wurde von einer unbekannten Version geschrieben (Schema %1)</translation>
    </message>
    <message>
        <source>the record count %1 is more than the file can hold</source>
        <translation>die Anzahl der Datensätze (%1) ist größer, als die Datei fassen kann</translation>
    </message>
    <message>
        <source> for the file&apos;s %1 records (%2 MB needed, %3 MB available)</source>
        <translation> für die %1 Einträge der Datei (%2 MB nötig, %3 MB verfügbar)</translation>
    </message>
</context>
<context>
    <name>OutOfMemory</name>
    <message>
        <source>there is not enough memory</source>
        <translation>es ist nicht genügend Speicher vorhanden</translation>
    </message>
</context>
<context>
    <name>PrintJobs</name>
    <message>
        <source>Printing...</source>
        <translation>Wird gedruckt...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cannot create the file &apos;%1&apos;: %2</source>
        <translation>Die Datei „%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the file &apos;%1&apos;: %2</source>
        <translation>Die Datei „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The printer &apos;%1&apos; cannot be used.</source>
        <translation>Der Drucker „%1“ kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>Print Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>There is no default printer.</source>
        <translation>Es gibt keinen Standarddrucker.</translation>
    </message>
    <message>
        <source>There is no printer named &apos;%1&apos;.</source>
        <translation>Es gibt keinen Drucker namens „%1“.</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
</context>
<context>
    <name>ReflectorForm</name>
    <message>
        <source>&amp;Full name</source>
        <translation>&amp;Vollständiger Name</translation>
    </message>
    <message>
        <source>&amp;Short name</source>
        <translation>&amp;Kurzname</translation>
    </message>
    <message>
        <source>&amp;IP Address</source>
        <translation>&amp;IP-Adresse</translation>
    </message>
    <message>
        <source>&amp;Conference ID</source>
        <translation>Konferenz-I&amp;D</translation>
    </message>
    <message>
        <source>C&amp;ountry</source>
        <translation>&amp;Land</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>E&amp;mail</source>
        <translation>E-&amp;Mail</translation>
    </message>
    <message>
        <source>&amp;Add to Menu</source>
        <translation>Ins Men&amp;ü aufnehmen</translation>
    </message>
    <message>
        <source>S&amp;end video</source>
        <translation>Video &amp;senden</translation>
    </message>
    <message>
        <source>&amp;Receive video</source>
        <translation>Video &amp;empfangen</translation>
    </message>
    <message>
        <source>&amp;The reflector is actually running</source>
        <translation>Der &amp;Reflektor ist tatsächlich in Betrieb</translation>
    </message>
    <message>
        <source>Reflector</source>
        <translation>Reflektor</translation>
    </message>
    <message>
        <source>Contact person</source>
        <translation>Kontaktperson</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>the file is too large (%1 bytes, at most %2)</source>
        <translation>die Datei ist zu groß (%1 Byte, höchstens %2)</translation>
    </message>
    <message>
        <source>the file changed while it was read</source>
        <translation>die Datei wurde beim Lesen geändert</translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>the contents could not be written</source>
        <translation>der Inhalt konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the file is being written by another program</source>
        <translation>die Datei wird gerade von einem anderen Programm geschrieben</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the file keeps being replaced by another program</source>
        <translation>die Datei wird fortwährend von einem anderen Programm ersetzt</translation>
    </message>
    <message>
        <source>cannot keep a copy of the file in %1: %2</source>
        <translation>in %1 kann keine Kopie der Datei aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>; the previous contents are kept in %1</source>
        <translation>; der vorherige Inhalt wird in %1 aufbewahrt</translation>
    </message>
    <message>
        <source>the file has been changed by another program</source>
        <translation>die Datei wurde von einem anderen Programm geändert</translation>
    </message>
</context>
<context>
    <name>Str</name>
    <message>
        <source>Lodex
Reflector
Reflector
LDX Files (*.ldx)
.ldx
Reflector.Document
Reflector Document</source>
        <extracomment>Seven fields, one a line: the window title, the name of a new document, the same again, the file dialogs&apos; filter, then three that are not shown (the extension and the type&apos;s identifier stay as they are), and the file type&apos;s name.</extracomment>
        <translation>Lodex
Reflektor
Reflektor
LDX-Dateien (*.ldx)
.ldx
Reflector.Document
Reflektor-Dokument</translation>
    </message>
    <message>
        <source>Country;Letters;Full Name;Short Name;IP Address;Contact Person;Email;ID;Menu;Send;Receive;Running</source>
        <extracomment>The twelve column titles, separated by &quot;;&quot;</extracomment>
        <translation>Land;Kürzel;Vollständiger Name;Kurzname;IP-Adresse;Kontaktperson;E-Mail;ID;Menü;Senden;Empfangen;In Betrieb</translation>
    </message>
    <message>
        <source>Do you really want to permanently remove the selected reflector(s) ?</source>
        <translation>Wollen Sie die ausgewählten Reflektoren wirklich endgültig entfernen?</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Add a reflector</source>
        <translation>Reflektor hinzufügen</translation>
    </message>
    <message>
        <source>Edit a reflector</source>
        <translation>Reflektor bearbeiten</translation>
    </message>
    <message>
        <source>Not yet implemented, sorry !</source>
        <translation>Leider noch nicht verfügbar!</translation>
    </message>
    <message>
        <source>Cannot create the file : &apos; %s&apos;</source>
        <translation>Die Datei „%s“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Version %d.%d release %d build %d
</source>
        <translation>Version %d.%d, Ausgabe %d, Build %d
</translation>
    </message>
    <message>
        <source>Format not supported !
Operation cancelled.</source>
        <translation>Format wird nicht unterstützt!
Vorgang abgebrochen.</translation>
    </message>
    <message>
        <source>INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*.*)|*.*||</source>
        <extracomment>File dialog filters: a description, &quot;|&quot;, its patterns, &quot;|&quot; ..., ending in &quot;||&quot;</extracomment>
        <translation>INI-Datei (*.ini)|*.ini|CSV-Datei (*.csv)|*.csv|Textdatei (*.txt)|*.txt|Alle Dateien (*.*)|*.*||</translation>
    </message>
    <message>
        <source>INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv||</source>
        <translation>INI-Datei (*.ini)|*.ini|CSV-Datei (*.csv)|*.csv||</translation>
    </message>
    <message>
        <source>Invalid IP address !
Please correct.</source>
        <translation>Ungültige IP-Adresse!
Bitte korrigieren.</translation>
    </message>
    <message>
        <source>You can also choose to leave the original entry unchanged by pressing the Cancel button.</source>
        <translation>Sie können den ursprünglichen Eintrag auch unverändert lassen, indem Sie auf „Abbrechen“ klicken.</translation>
    </message>
    <message>
        <source>No reflector matches the criteria.</source>
        <translation>Kein Reflektor entspricht den Suchkriterien.</translation>
    </message>
    <message>
        <source>Page %d/%d</source>
        <translation>Seite %d/%d</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Cannot open the file &quot;%1&quot;: %2.</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a readable reflector list: %2.
Nothing of it was loaded.</source>
        <translation>Die Datei „%1“ ist keine lesbare Reflektorliste: %2.
Nichts davon wurde geladen.</translation>
    </message>
    <message>
        <source>Cannot save the file &quot;%1&quot;: %2.
The document was not saved.</source>
        <translation>Die Datei „%1“ kann nicht gespeichert werden: %2.
Das Dokument wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>Cannot hand the document to the mail program: %1.</source>
        <translation>Das Dokument kann nicht an das E-Mail-Programm übergeben werden: %1.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since it was opened. Save over it?</source>
        <translation>%1 wurde seit dem Öffnen von einem anderen Programm geändert. Trotzdem überschreiben?</translation>
    </message>
    <message>
        <source>The save of &quot;%1&quot; was interrupted, and the file may be incomplete.
Its earlier contents were kept in &quot;%2&quot;.</source>
        <translation>Das Speichern von „%1“ wurde unterbrochen; die Datei ist möglicherweise unvollständig.
Ihr früherer Inhalt wurde in „%2“ aufbewahrt.</translation>
    </message>
    <message>
        <source>&amp;Put Back the Earlier Contents</source>
        <translation>Früheren Inhalt &amp;zurückholen</translation>
    </message>
    <message>
        <source>&amp;Keep the File As It Is</source>
        <translation>Datei &amp;so belassen</translation>
    </message>
    <message>
        <source>&amp;Show the Copy</source>
        <translation>&amp;Kopie zeigen</translation>
    </message>
    <message>
        <source>Cannot put back the earlier contents of &quot;%1&quot;: %2.
They are still kept in &quot;%3&quot;.</source>
        <translation>Der frühere Inhalt von „%1“ kann nicht zurückgeholt werden: %2.
Er wird weiterhin in „%3“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is not valid in this system&apos;s encoding, so Lodex cannot tell which file it is.
Rename the file, or choose another name.</source>
        <translation>Der Name „%1“ ist in der Zeichenkodierung dieses Systems ungültig, daher kann Lodex nicht feststellen, welche Datei gemeint ist.
Benennen Sie die Datei um oder wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Cannot import &quot;%1&quot;: %2.
Nothing of it was imported.</source>
        <translation>„%1“ kann nicht importiert werden: %2.
Nichts davon wurde importiert.</translation>
    </message>
    <message>
        <source>%1 of the %2 reflectors in %3 have an address that is already in the list.</source>
        <translation>%1 der %2 Reflektoren in %3 haben eine Adresse, die bereits in der Liste steht.</translation>
    </message>
    <message>
        <source>Review each</source>
        <translation>Einzeln prüfen</translation>
    </message>
    <message>
        <source>Keep the list&apos;s</source>
        <translation>Die der Liste behalten</translation>
    </message>
    <message>
        <source>Take the file&apos;s</source>
        <translation>Die der Datei übernehmen</translation>
    </message>
    <message>
        <source>%1: %2 reflectors added, %3 updated, %4 skipped.</source>
        <translation>%1: %2 Reflektoren hinzugefügt, %3 aktualisiert, %4 übersprungen.</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Cannot make Lodex the program for .ldx files:
%1</source>
        <translation>Lodex kann nicht zum Programm für .ldx-Dateien gemacht werden:
%1</translation>
    </message>
    <message>
        <source>Cannot take back Lodex&apos;s registration for .ldx files:
%1</source>
        <translation>Die Registrierung von Lodex für .ldx-Dateien kann nicht zurückgenommen werden:
%1</translation>
    </message>
    <message>
        <source>This field holds at most %1 characters.
Please shorten it.</source>
        <translation>Dieses Feld fasst höchstens %1 Zeichen.
Bitte kürzen Sie den Text.</translation>
    </message>
    <message>
        <source>Cannot print the list: %1.</source>
        <translation>Die Liste kann nicht gedruckt werden: %1.</translation>
    </message>
</context>
</TS>
