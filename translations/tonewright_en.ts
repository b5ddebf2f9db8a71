<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>core::DialogService</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ja</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>mainwindow::Tagger</name>
    <message>
        <source>Normal</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Dateiname -&gt; ID3-TAG</source>
        <translation>Filename -&gt; ID3-TAG</translation>
    </message>
    <message>
        <source>ID3-TAG -&gt; Dateiname</source>
        <translation>ID3-TAG -&gt; Filename</translation>
    </message>
    <message>
        <source>Trennzeichen:</source>
        <translation>Separator:</translation>
    </message>
    <message>
        <source>&lt; Neu   </source>
        <translation>&lt; New   </translation>
    </message>
    <message>
        <source>Interpret</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>Titel</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Nummer</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Die ersten            Zeichen vom Dateinamen ignorieren</source>
        <translation>Ignore first            characters from file name</translation>
    </message>
    <message>
        <source>nur auf MP3s ohne Tags anwenden</source>
        <translation>only apply to MP3s without Tags</translation>
    </message>
    <message>
        <source>Alle Dateien im Ordner zu einem MP3 Album zusammenführen</source>
        <translation>Merge all files in current folder into one big MP3 album file</translation>
    </message>
    <message>
        <source>Reihenfolge per Drag &amp;&amp; Drop ändern bzw. Playlist erstellen</source>
        <translation>Change order via Drag &amp;&amp; Drop and rename files</translation>
    </message>
    <message>
        <source>ALLE Dateien werden als Playliste zusammengestellt</source>
        <translation>ALL files are put together as a playlist</translation>
    </message>
    <message>
        <source>Alle Dateien</source>
        <translation>Select all files</translation>
    </message>
    <message>
        <source>S T A R T</source>
        <translation>S T A R T</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Vorhandene TAGs entfernen</source>
        <translation>Remove existing TAGs</translation>
    </message>
    <message>
        <source>ID3 v1.11 Tag</source>
        <translation>ID3 v1.11 tag</translation>
    </message>
    <message>
        <source>ID3 v2.30 Tag</source>
        <translation>ID3 v2.30 tag</translation>
    </message>
    <message>
        <source>beide Tags</source>
        <translation>both tags</translation>
    </message>
    <message>
        <source>nur Cover Grafiken</source>
        <translation>cover pictures only</translation>
    </message>
    <message>
        <source>Gehaltene Tags (siehe auch Option NORMAL) wirklich auf alle ausgewählte Dateien anwenden ?   </source>
        <translation>Really apply the held tags (see also the option DEFAULT) to all selected files ?   </translation>
    </message>
    <message>
        <source>in Arbeit...</source>
        <translation>working...</translation>
    </message>
    <message>
        <source>TAG speichern</source>
        <translation>Save TAG</translation>
    </message>
    <message>
        <source>TAG entfernen</source>
        <translation>Remove TAG</translation>
    </message>
    <message>
        <source>TAGs bearbeiten</source>
        <translation>Edit TAGs</translation>
    </message>
    <message>
        <source>TAGs entfernen</source>
        <translation>Remove TAGs</translation>
    </message>
    <message>
        <source>TAGs Übernehmen</source>
        <translation>Save TAGs</translation>
    </message>
    <message>
        <source>TAG Übernehmen</source>
        <translation>Save TAG  Data to file</translation>
    </message>
    <message>
        <source>TAG schreiben...</source>
        <translation>Writing TAG...</translation>
    </message>
    <message>
        <source>TAGs bearbeiten...</source>
        <translation>Editing TAGs...</translation>
    </message>
    <message>
        <source>TAG Schreiben...</source>
        <translation>Writing TAG...</translation>
    </message>
    <message>
        <source>Gehaltene Tags wirklich auf alle ausgewählte Dateien anwenden ?   </source>
        <translation>Really apply the held tags to all selected files ?   </translation>
    </message>
    <message>
        <source>Laufzeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Doppelklick: Kommentar im Textfenster bearbeiten</source>
        <translation>Double click: edit the comment in the text window</translation>
    </message>
    <message>
        <source>Jahr</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Alles halten + Nummerieren</source>
        <translation>Hold everything + number</translation>
    </message>
    <message>
        <source>Halten</source>
        <translation>Hold</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>_</source>
        <translation>_</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Anfangsbuchstaben GROSS</source>
        <translation>Capitalise the first letters</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>mehr</source>
        <translation>more</translation>
    </message>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Original-Interpret</source>
        <translation>Original artist</translation>
    </message>
    <message>
        <source>Untertitel</source>
        <translation>Subtitle</translation>
    </message>
    <message>
        <source>Komponist</source>
        <translation>Composer</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>Kodiert von</source>
        <translation>Encoded by</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Songtext</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Weitere Frames</source>
        <translation>Other frames</translation>
    </message>
    <message>
        <source>Angezeigte Liste im aktuellen Pfad speichern</source>
        <translation>Save the list shown in the current folder</translation>
    </message>
    <message>
        <source>Liste im Sammelordner sichern</source>
        <translation>Keep the list in the collection folder</translation>
    </message>
    <message>
        <source>Ausgewählte Datei(en) löschen...</source>
        <translation>Delete selected file(s)...</translation>
    </message>
    <message>
        <source>Einzelne Datei umbenennen...</source>
        <translation>Rename single file...</translation>
    </message>
    <message>
        <source>MP3 abspielen (Doppelklick)</source>
        <translation>Play MP3 (double click)</translation>
    </message>
    <message>
        <source>MP3 stoppen (Klick)</source>
        <translation>Stop MP3 (click)</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Info...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Auf alle ausgewählten Dateien anwenden ?    </source>
        <translation>Apply to all selected files ?    </translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>kbps</source>
        <translation>kbps</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Album-Tag auflisten</source>
        <translation>List the album tag</translation>
    </message>
    <message>
        <source>Jahr-Tag auflisten</source>
        <translation>List the year tag</translation>
    </message>
    <message>
        <source>Kommentar-Tag auflisten</source>
        <translation>List the comment tag</translation>
    </message>
    <message>
        <source>Titellänge auflisten</source>
        <translation>List the track length</translation>
    </message>
    <message>
        <source>TAGS einlesen</source>
        <translation>Read TAG list</translation>
    </message>
    <message>
        <source>Ordner neu einlesen</source>
        <translation>Read the folder again</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>Rekursiv</source>
        <translation>recursive</translation>
    </message>
    <message>
        <source>TAG(s) entfernen</source>
        <translation>Remove TAG(s)</translation>
    </message>
    <message>
        <source>Unterstriche durch Spaces ersetzen</source>
        <translation>Replace underscores with blanks</translation>
    </message>
    <message>
        <source>S T A R T E N</source>
        <translation>S T A R T</translation>
    </message>
    <message>
        <source>TAGS einlesen</source>
        <comment>again</comment>
        <translation>Re-read TAG list</translation>
    </message>
    <message>
        <source>Diese Dateien konnten nicht geschrieben werden, ihre Tags sind unverändert:</source>
        <translation>These files could not be written; their tags are unchanged:</translation>
    </message>
    <message>
        <source>... und %1 weitere</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>Beim Speichern ginge verloren:</source>
        <translation>Saving would lose:</translation>
    </message>
    <message>
        <source>Trotzdem speichern?</source>
        <translation>Save anyway?</translation>
    </message>
    <message>
        <source>Tags aus Dateinamen</source>
        <translation>Tags from file names</translation>
    </message>
    <message>
        <source>Dateinamen aus Tags</source>
        <translation>File names from tags</translation>
    </message>
    <message>
        <source>Zusammenfügen</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ausgewählte Dateien wirklich in den Papierkorb verschieben ?   </source>
        <translation>Really move all selected files to the trash ?   </translation>
    </message>
    <message>
        <source>Diese Dateien können nicht in den Papierkorb verschoben werden, ihr Laufwerk hat keinen:

%1

Endgültig löschen ?   </source>
        <translation>These files cannot be moved to the trash, their drive has none:

%1

Delete them for good ?   </translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Die Playlist &quot;%1&quot; gibt es schon. Ersetzen ?   </source>
        <translation>The playlist &quot;%1&quot; exists already. Replace it ?   </translation>
    </message>
    <message>
        <source>Die Playlist &quot;%1&quot; konnte nicht geschrieben werden.</source>
        <translation>The playlist &quot;%1&quot; could not be written.</translation>
    </message>
    <message>
        <source>Tags entfernen</source>
        <translation>Remove tags</translation>
    </message>
    <message>
        <source>Es gibt nichts rückgängig zu machen.</source>
        <translation>There is nothing to undo.</translation>
    </message>
    <message>
        <source>Rückgängig gemacht: %1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>Seit dem Lauf geändert, daher nicht angetastet:</source>
        <translation>Changed since the run, so left alone:</translation>
    </message>
    <message>
        <source>Nicht wiederhergestellt (der Name ist vergeben oder die Datei nicht beschreibbar):</source>
        <translation>Not restored (the name is taken or the file cannot be written):</translation>
    </message>
    <message>
        <source>Abgebrochen: %1 von %2 Dateien bearbeitet, die übrigen sind unverändert.</source>
        <translation>Cancelled: %1 of %2 files done, the others are unchanged.</translation>
    </message>
</context>
<context>
    <name>texts::RunTexts</name>
    <message>
        <source>der Tag ist beschädigt und würde ersetzt</source>
        <translation>the tag is damaged and would be replaced</translation>
    </message>
    <message>
        <source>Tracknummer außerhalb 0..255</source>
        <translation>track number out of range</translation>
    </message>
    <message>
        <source>Speichern abgelehnt: ginge verloren: %1</source>
        <translation>a save was refused: it would lose %1</translation>
    </message>
    <message>
        <source>Datenträger voll</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>schreibgeschützt</source>
        <translation>read-only</translation>
    </message>
    <message>
        <source>die Datei ist verschwunden</source>
        <translation>the file vanished</translation>
    </message>
    <message>
        <source>der ID3v2.%1-Tag, der nicht lesbar ist: %2</source>
        <translation>the ID3v2.%1 tag, which cannot be read: %2</translation>
    </message>
    <message>
        <source>die beschädigten Bytes des ID3v2.%1-Tags: %2</source>
        <translation>the damaged bytes of the ID3v2.%1 tag: %2</translation>
    </message>
    <message>
        <source>der Rahmen %1: %2</source>
        <translation>%2</translation>
    </message>
    <message>
        <source>erledigt</source>
        <translation>done</translation>
    </message>
    <message>
        <source>ausgelassen</source>
        <translation>skipped</translation>
    </message>
    <message>
        <source>kann nicht geschrieben werden</source>
        <translation>cannot be written</translation>
    </message>
    <message>
        <source>Zieldatei existiert bereits</source>
        <translation>target exists</translation>
    </message>
    <message>
        <source>Name nicht verwendbar</source>
        <translation>name not usable</translation>
    </message>
    <message>
        <source>kann nicht gelesen werden</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>nicht aufgenommen (mehr als 101 Dateien)</source>
        <translation>left out (more than 101 files)</translation>
    </message>
    <message>
        <source>nicht bearbeitet: abgebrochen</source>
        <translation>not done: cancelled</translation>
    </message>
    <message>
        <source>Diese Dateien konnten nicht geändert werden:</source>
        <translation>These files could not be changed:</translation>
    </message>
    <message>
        <source>... und %1 weitere</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>Der Albumname ist als Dateiname nicht verwendbar.</source>
        <translation>The album name cannot be used as a file name.</translation>
    </message>
    <message>
        <source>Eine Datei namens %1 existiert bereits.</source>
        <translation>A file named %1 exists already.</translation>
    </message>
    <message>
        <source>Das Album liegt unter %1; keine andere Datei wurde geändert.</source>
        <translation>The album is kept as %1; no other file was changed.</translation>
    </message>
    <message>
        <source>Das Album konnte keine Tags erhalten.</source>
        <translation>The album could not be tagged.</translation>
    </message>
    <message>
        <source>(--force speichert trotzdem)</source>
        <translation>(--force saves anyway)</translation>
    </message>
    <message>
        <source>; die Datei ist unverändert</source>
        <translation>; the file is unchanged</translation>
    </message>
</context>
<context>
    <name>windows::frmCover</name>
    <message>
        <source>Bild / Cover Art auswählen</source>
        <translation>Choose picture / cover art</translation>
    </message>
    <message>
        <source>Das Bild ist nicht mehr vorhanden.</source>
        <translation>The picture no longer exists.</translation>
    </message>
    <message>
        <source>Cover Art</source>
        <translation>Cover Art</translation>
    </message>
    <message>
        <source>No Cover Image</source>
        <translation>No Cover Image</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Bild laden...</source>
        <translation>Load picture...</translation>
    </message>
    <message>
        <source>Bild löschen...</source>
        <translation>Delete picture...</translation>
    </message>
    <message>
        <source>Bild exportieren</source>
        <translation>Export picture</translation>
    </message>
    <message>
        <source>Bild als Ordner-Icon</source>
        <translation>Picture as folder icon</translation>
    </message>
</context>
<context>
    <name>windows::frmPicSelect</name>
    <message>
        <source>Bild auswählen</source>
        <translation>Choose picture</translation>
    </message>
    <message>
        <source>Ü B E R N E H M E N</source>
        <translation>A C C E P T</translation>
    </message>
    <message>
        <source>A B B R E C H E N</source>
        <translation>C A N C E L</translation>
    </message>
</context>
<context>
    <name>windows::frmProgress</name>
    <message>
        <source>Fortschritt</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>windows::frmRename</name>
    <message>
        <source>Bitte einen Dateinamen eingeben.</source>
        <translation>Please enter a file name.</translation>
    </message>
    <message>
        <source>Ein Dateiname darf kein &quot;/&quot; enthalten.</source>
        <translation>A file name cannot contain &quot;/&quot;.</translation>
    </message>
    <message>
        <source>Umbenennen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Die Datei gibt es nicht mehr.</source>
        <translation>The file no longer exists.</translation>
    </message>
    <message>
        <source>Eine Datei namens &quot;%1.mp3&quot; gibt es in diesem Ordner schon.</source>
        <translation>A file named &quot;%1.mp3&quot; already exists in this folder.</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht umbenannt werden: %1</source>
        <translation>The file could not be renamed: %1</translation>
    </message>
</context>
<context>
    <name>windows::frmText</name>
    <message>
        <source>TextEdit</source>
        <translation>TextEdit</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Alles kopieren</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Alles markieren</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Immer im Vordergrund</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Textdateien (*.txt);;Alle Dateien (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Die Datei konnte nicht gespeichert werden:
</source>
        <translation>The file could not be saved:
</translation>
    </message>
</context>
</TS>
