<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>qv::CommandLine</name>
    <message>
        <source>Start the timer NAME (or, without a name, the selected timer).</source>
        <translation>Den Timer NAME starten (ohne Namen den ausgewählten Timer).</translation>
    </message>
    <message>
        <source>Stop the running timer.</source>
        <translation>Den laufenden Timer stoppen.</translation>
    </message>
    <message>
        <source>Stop the timer and set it back to its start time.</source>
        <translation>Den Timer stoppen und auf seine Startzeit zurücksetzen.</translation>
    </message>
    <message>
        <source>Do what SPACE does: start, stop or reset, as the preferences say.</source>
        <translation>Wie die Leertaste: starten, stoppen oder zurücksetzen, je nach Programmeinstellungen.</translation>
    </message>
    <message>
        <source>Print the selected timer, its time left and its state (idle, counting, paused or flashing), separated by tabs.</source>
        <translation>Den ausgewählten Timer, seine Restzeit und seinen Zustand („idle“, „counting“, „paused“ oder „flashing“) durch Tabulatoren getrennt ausgeben.</translation>
    </message>
    <message>
        <source>Print the timers&apos; names, one a line.</source>
        <translation>Die Namen der Timer ausgeben, einen pro Zeile.</translation>
    </message>
    <message>
        <source>%1
Try &apos;quorvantel --help&apos; for more information.</source>
        <translation>%1
Weitere Informationen erhalten Sie mit „quorvantel --help“.</translation>
    </message>
    <message>
        <source>Named countdown timers with spoken announcements and alarms.
With an option, acts on the running copy (starting the program first for --start, --stop, --reset and --toggle).</source>
        <translation>Benannte Countdown-Timer mit gesprochenen Ansagen und Alarmen.
Mit einer Option wirkt das Programm auf die laufende Instanz (bei --start, --stop, --reset und --toggle wird es dazu erst gestartet).</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>With --status: print one JSON object.</source>
        <translation>Mit --status: ein einzelnes JSON-Objekt ausgeben.</translation>
    </message>
    <message>
        <source>With --start: the timer to start.</source>
        <translation>Mit --start: der zu startende Timer.</translation>
    </message>
    <message>
        <source>%1 cannot be used together.</source>
        <translation>%1 sind nicht kombinierbar.</translation>
    </message>
    <message>
        <source>--json goes with --status.</source>
        <translation>--json gilt nur mit --status.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>--start takes one timer name; put a name with spaces in quotes.</source>
        <translation>--start erwartet einen Timer-Namen; setzen Sie Namen mit Leerzeichen in Anführungszeichen.</translation>
    </message>
    <message>
        <source>The timer name is empty.</source>
        <translation>Der Timer-Name ist leer.</translation>
    </message>
    <message>
        <source>The request could not be read.</source>
        <translation>Die Anfrage konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>the running copy did not answer.</source>
        <translation>die laufende Instanz hat nicht geantwortet.</translation>
    </message>
</context>
<context>
    <name>qv::FormBackground</name>
    <message>
        <source>The gradient bitmap file could not be found!</source>
        <translation>Die Bitmap-Datei für den Farbverlauf wurde nicht gefunden!</translation>
    </message>
</context>
<context>
    <name>qv::HelpWindow</name>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>The main window and the keyboard</source>
        <translation>Das Hauptfenster und die Tastatur</translation>
    </message>
    <message>
        <source>Timer settings</source>
        <translation>Timer-Einstellungen</translation>
    </message>
    <message>
        <source>Rules and announcements</source>
        <translation>Regeln und Ansagen</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Programmeinstellungen</translation>
    </message>
    <message>
        <source>Where your data are kept</source>
        <translation>Wo Ihre Daten gespeichert werden</translation>
    </message>
    <message>
        <source>Quorvantel Help</source>
        <translation>Quorvantel-Hilfe</translation>
    </message>
    <message>
        <source>Help contents</source>
        <translation>Inhalt der Hilfe</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Hilfeseite</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorwärts</translation>
    </message>
    <message>
        <source>This help page is missing.</source>
        <translation>Diese Hilfeseite fehlt.</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was not found in the help folder &quot;%2&quot;.</source>
        <translation>Die Seite „%1“ wurde im Hilfeordner „%2“ nicht gefunden.</translation>
    </message>
    <message>
        <source>The help pages were not found.</source>
        <translation>Die Hilfeseiten wurden nicht gefunden.</translation>
    </message>
    <message>
        <source>Quorvantel looks for its help in the folder &quot;%1&quot;, and that folder does not exist. Reinstalling Quorvantel puts the help pages back in place.</source>
        <translation>Quorvantel sucht seine Hilfe im Ordner „%1“, aber dieser Ordner existiert nicht. Wenn Sie Quorvantel neu installieren, werden die Hilfeseiten wiederhergestellt.</translation>
    </message>
    <message>
        <source>Quorvantel Help - %1</source>
        <translation>Quorvantel-Hilfe – %1</translation>
    </message>
</context>
<context>
    <name>qv::IdleInhibit</name>
    <message>
        <source>A timer is counting down</source>
        <translation>Ein Timer zählt herunter</translation>
    </message>
</context>
<context>
    <name>qv::MessageBox</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qv::RulePage</name>
    <message>
        <source>Enable rule</source>
        <translation>Regel aktivieren</translation>
    </message>
    <message>
        <source>Starting from (hh:mm:ss)</source>
        <translation>Startet bei (hh:mm:ss)</translation>
    </message>
    <message>
        <source>Perform the selected action</source>
        <translation>Gewählte Aktion ausführen</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Klang anhören</translation>
    </message>
    <message>
        <source>Action to perform</source>
        <translation>Auszuführende Aktion</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Eigene Klangdatei</translation>
    </message>
    <message>
        <source>Starting from hours, rule %1</source>
        <translation>Stunden der Startzeit von Regel %1</translation>
    </message>
    <message>
        <source>Starting from minutes, rule %1</source>
        <translation>Minuten der Startzeit von Regel %1</translation>
    </message>
    <message>
        <source>Starting from seconds, rule %1</source>
        <translation>Sekunden der Startzeit von Regel %1</translation>
    </message>
    <message>
        <source>Change starting hours, rule %1</source>
        <translation>Stunden der Startzeit von Regel %1 ändern</translation>
    </message>
    <message>
        <source>Change starting minutes, rule %1</source>
        <translation>Minuten der Startzeit von Regel %1 ändern</translation>
    </message>
    <message>
        <source>Change starting seconds, rule %1</source>
        <translation>Sekunden der Startzeit von Regel %1 ändern</translation>
    </message>
    <message>
        <source>Enable rule, rule %1</source>
        <translation>Regel %1 aktivieren</translation>
    </message>
    <message>
        <source>Perform the selected action, rule %1</source>
        <translation>Gewählte Aktion ausführen, Regel %1</translation>
    </message>
    <message>
        <source>Action to perform, rule %1</source>
        <translation>Auszuführende Aktion, Regel %1</translation>
    </message>
    <message>
        <source>Preview sound, rule %1</source>
        <translation>Klang anhören, Regel %1</translation>
    </message>
    <message>
        <source>Custom sound filename, rule %1</source>
        <translation>Eigene Klangdatei, Regel %1</translation>
    </message>
    <message>
        <source>Browse files, rule %1</source>
        <translation>Datei wählen, Regel %1</translation>
    </message>
    <message>
        <source>Only numeric values allowed!</source>
        <translation>Nur Zahlen sind erlaubt!</translation>
    </message>
    <message>
        <source>Numeric value out of range!</source>
        <translation>Zahl außerhalb des gültigen Bereichs!</translation>
    </message>
</context>
<context>
    <name>qv::SessionDesktop</name>
    <message>
        <source>%1 reached zero at %2 while Quorvantel was not running</source>
        <translation>„%1“ ist um %2 abgelaufen, während Quorvantel nicht lief</translation>
    </message>
    <message>
        <source>%1 reached zero at %2</source>
        <translation>„%1“ ist um %2 abgelaufen</translation>
    </message>
</context>
<context>
    <name>qv::TAboutForm</name>
    <message>
        <source>Ver %1  © %2 Brindlemoor Software</source>
        <translation>Vers. %1  © %2 Brindlemoor Software</translation>
    </message>
    <message>
        <source>About Quorvantel</source>
        <translation>Über Quorvantel</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Quorvantel-Logo</translation>
    </message>
    <message>
        <source>Visit the Quorvantel web site</source>
        <translation>Die Quorvantel-Website besuchen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>qv::TLMDLEDLabel</name>
    <message>
        <source>Time left</source>
        <translation>Restzeit</translation>
    </message>
</context>
<context>
    <name>qv::TMainForm</name>
    <message>
        <source>Active timer:</source>
        <translation>Aktiver Timer:</translation>
    </message>
    <message>
        <source>Active timer</source>
        <translation>Aktiver Timer</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Quorvantel-Logo</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>ZURÜCKSETZEN</translation>
    </message>
    <message>
        <source>Not running</source>
        <translation>Läuft nicht</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Timer settings...</source>
        <translation>&amp;Timer-Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Programmeinstellungen...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Quorvantel Help...</source>
        <translation>&amp;Quorvantel-Hilfe...</translation>
    </message>
    <message>
        <source>&amp;About Quorvantel</source>
        <translation>Ü&amp;ber Quorvantel</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>Schwerer Fehler: DB-Datensatz nicht gefunden!</translation>
    </message>
    <message>
        <source>The timer is running, are you sure you want to close the application?</source>
        <translation>Der Timer läuft. Möchten Sie die Anwendung wirklich beenden?</translation>
    </message>
    <message>
        <source>A dialog is open in Quorvantel; close it and try again.</source>
        <translation>In Quorvantel ist ein Dialog offen; bitte schließen und erneut versuchen.</translation>
    </message>
    <message>
        <source>There is no timer named &quot;%1&quot;.</source>
        <translation>Es gibt keinen Timer namens „%1“.</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOPP</translation>
    </message>
    <message>
        <source>Running...</source>
        <translation>Läuft...</translation>
    </message>
    <message>
        <source>Timer 1</source>
        <translation>Timer 1</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers were read from &quot;%3&quot;, where an earlier session saved them, and will be saved there.</source>
        <translation>%1

Die Timer-Datei „%2“ bleibt unverändert. Die Timer wurden aus „%3“ gelesen, wo eine frühere Sitzung sie gespeichert hat, und werden auch dort gespeichert.</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers will be saved to &quot;%3&quot;.</source>
        <translation>%1

Die Timer-Datei „%2“ bleibt unverändert. Die Timer werden in „%3“ gespeichert.</translation>
    </message>
</context>
<context>
    <name>qv::TPrefForm</name>
    <message>
        <source>Preferences</source>
        <translation>Programmeinstellungen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Bitmap files (*.BMP *.bmp)</source>
        <translation>Bitmap-Dateien (*.BMP *.bmp)</translation>
    </message>
    <message>
        <source>Keyboard shortcuts behaviour</source>
        <translation>Verhalten der Tastenkürzel</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop and ESC for reset</source>
        <translation>Leertaste zum Starten/Stoppen und Esc zum Zurücksetzen</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop/reset (ESC will still also work as reset)</source>
        <translation>Leertaste zum Starten/Stoppen/Zurücksetzen (Esc setzt weiterhin auch zurück)</translation>
    </message>
    <message>
        <source>Window background</source>
        <translation>Fensterhintergrund</translation>
    </message>
    <message>
        <source>Use color gradient</source>
        <translation>Farbverlauf verwenden</translation>
    </message>
    <message>
        <source>Use a tiled bitmap</source>
        <translation>Bitmap kacheln</translation>
    </message>
    <message>
        <source>Set color 1</source>
        <translation>Farbe 1 wählen</translation>
    </message>
    <message>
        <source>Set color 2</source>
        <translation>Farbe 2 wählen</translation>
    </message>
    <message>
        <source>Bitmap file</source>
        <translation>Bitmap-Datei</translation>
    </message>
    <message>
        <source>Browse files</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>LED display</source>
        <translation>LED-Anzeige</translation>
    </message>
    <message>
        <source>Set active color</source>
        <translation>Aktive Farbe wählen</translation>
    </message>
    <message>
        <source>Set inactive color</source>
        <translation>Inaktive Farbe wählen</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Beispiel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Background color 1</source>
        <translation>Hintergrundfarbe 1</translation>
    </message>
    <message>
        <source>Background color 2</source>
        <translation>Hintergrundfarbe 2</translation>
    </message>
    <message>
        <source>Active LED color</source>
        <translation>Aktive LED-Farbe</translation>
    </message>
    <message>
        <source>Inactive LED color</source>
        <translation>Inaktive LED-Farbe</translation>
    </message>
    <message>
        <source>Sample of the LED colors</source>
        <translation>Beispiel der LED-Farben</translation>
    </message>
</context>
<context>
    <name>qv::TSettingsForm</name>
    <message>
        <source>Timer settings</source>
        <translation>Timer-Einstellungen</translation>
    </message>
    <message>
        <source>Rule %1</source>
        <translation>Regel %1</translation>
    </message>
    <message>
        <source>Timer name</source>
        <translation>Timer-Name</translation>
    </message>
    <message>
        <source>Start from hours</source>
        <translation>Stunden der Startzeit</translation>
    </message>
    <message>
        <source>Start from minutes</source>
        <translation>Minuten der Startzeit</translation>
    </message>
    <message>
        <source>Start from seconds</source>
        <translation>Sekunden der Startzeit</translation>
    </message>
    <message>
        <source>Change start hours</source>
        <translation>Stunden der Startzeit ändern</translation>
    </message>
    <message>
        <source>Change start minutes</source>
        <translation>Minuten der Startzeit ändern</translation>
    </message>
    <message>
        <source>Change start seconds</source>
        <translation>Sekunden der Startzeit ändern</translation>
    </message>
    <message>
        <source>Quick set of the start time</source>
        <translation>Schnelleinstellung der Startzeit</translation>
    </message>
    <message>
        <source>Preview sound, general announcement</source>
        <translation>Klang anhören, allgemeine Ansage</translation>
    </message>
    <message>
        <source>Preview sound, timer expire</source>
        <translation>Klang anhören, Timer-Ablauf</translation>
    </message>
    <message>
        <source>Browse files, timer expire</source>
        <translation>Datei wählen, Timer-Ablauf</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Start from</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>Hr</source>
        <translation>Std</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>Sek</translation>
    </message>
    <message>
        <source>Loop continuously</source>
        <translation>Endlos wiederholen</translation>
    </message>
    <message>
        <source>Quick set (drag to quickly change start time)</source>
        <translation>Schnelleinstellung (ziehen, um die Startzeit zu ändern)</translation>
    </message>
    <message>
        <source>General announcement/sound</source>
        <translation>Allgemeine Ansage/Klang</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Klang anhören</translation>
    </message>
    <message>
        <source>Perform action</source>
        <translation>Aktion ausführen</translation>
    </message>
    <message>
        <source>Type of action</source>
        <translation>Art der Aktion</translation>
    </message>
    <message>
        <source>Timer expire</source>
        <translation>Timer-Ablauf</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Eigene Klangdatei</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>Schwerer Fehler: DB-Datensatz nicht gefunden!</translation>
    </message>
    <message>
        <source>You need to give the timer a name - try again!</source>
        <translation>Sie müssen dem Timer einen Namen geben – versuchen Sie es erneut!</translation>
    </message>
    <message>
        <source>You already have 100 timers defined, no more timers can be added!</source>
        <translation>Sie haben bereits 100 Timer angelegt, es können keine weiteren hinzugefügt werden!</translation>
    </message>
    <message>
        <source>New timer</source>
        <translation>Neuer Timer</translation>
    </message>
    <message>
        <source>Enter the name of the new timer:</source>
        <translation>Geben Sie den Namen des neuen Timers ein:</translation>
    </message>
    <message>
        <source>You need to give the timer a unique name - try again!</source>
        <translation>Sie müssen dem Timer einen eindeutigen Namen geben – versuchen Sie es erneut!</translation>
    </message>
    <message>
        <source>You cannot delete this timer (there must always be at least
one timer defined), would you like to rename it?</source>
        <translation>Sie können diesen Timer nicht löschen (es muss immer mindestens
ein Timer vorhanden sein). Möchten Sie ihn umbenennen?</translation>
    </message>
    <message>
        <source>New timer name</source>
        <translation>Neuer Timer-Name</translation>
    </message>
    <message>
        <source>Enter the new name of this timer:</source>
        <translation>Geben Sie den neuen Namen dieses Timers ein:</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this timer?</source>
        <translation>Möchten Sie diesen Timer wirklich löschen?</translation>
    </message>
    <message>
        <source>Audio files (*.WAV *.wav)</source>
        <translation>Audiodateien (*.WAV *.wav)</translation>
    </message>
    <message numerus="yes">
        <source>The path of this file is longer than %n characters and cannot be kept - choose another file!</source>
        <translation>
            <numerusform>Der Pfad dieser Datei ist länger als %n Zeichen und kann nicht gespeichert werden – wählen Sie eine andere Datei!</numerusform>
            <numerusform>Der Pfad dieser Datei ist länger als %n Zeichen und kann nicht gespeichert werden – wählen Sie eine andere Datei!</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerDB</name>
    <message>
        <source>The table holds no timer.</source>
        <translation>Die Tabelle enthält keinen Timer.</translation>
    </message>
    <message>
        <source>Key violation.</source>
        <translation>Schlüsselverletzung.</translation>
    </message>
</context>
<context>
    <name>qv::TimerFile</name>
    <message>
        <source>Document type declarations and entities are not accepted.</source>
        <translation>Dokumenttypdeklarationen und Entitäten werden nicht akzeptiert.</translation>
    </message>
    <message>
        <source>The file holds no data packet.</source>
        <translation>Die Datei enthält kein Datenpaket.</translation>
    </message>
    <message>
        <source>ROWDATA comes before METADATA.</source>
        <translation>ROWDATA steht vor METADATA.</translation>
    </message>
    <message>
        <source>This is not a data packet: the outermost element is &quot;%1&quot;.</source>
        <translation>Dies ist kein Datenpaket: Das äußerste Element ist „%1“.</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; not found</source>
        <translation>Feld „%1“ nicht gefunden</translation>
    </message>
    <message>
        <source>The packet has more than one METADATA.</source>
        <translation>Das Paket enthält mehr als ein METADATA.</translation>
    </message>
    <message>
        <source>A FIELD has no attrname.</source>
        <translation>Ein FIELD hat kein attrname.</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; is declared twice.</source>
        <translation>Feld „%1“ ist doppelt deklariert.</translation>
    </message>
    <message>
        <source>The timer file has elements with too many attributes.</source>
        <translation>Die Timer-Datei enthält Elemente mit zu vielen Attributen.</translation>
    </message>
    <message>
        <source>Type mismatch for field &apos;%1&apos;, expecting: %2 actual: %3</source>
        <translation>Typkonflikt bei Feld „%1“, erwartet: %2, tatsächlich: %3</translation>
    </message>
    <message>
        <source>Invalid WIDTH &quot;%1&quot; for field &apos;%2&apos;</source>
        <translation>Ungültige WIDTH „%1“ für Feld „%2“</translation>
    </message>
    <message>
        <source>The packet holds more rows than a timer table can take.</source>
        <translation>Das Paket enthält mehr Zeilen, als eine Timer-Tabelle aufnehmen kann.</translation>
    </message>
    <message>
        <source>Invalid RowState &quot;%1&quot;.</source>
        <translation>Ungültiger RowState „%1“.</translation>
    </message>
    <message>
        <source>Invalid value &quot;%1&quot; for field &apos;%2&apos;.</source>
        <translation>Ungültiger Wert „%1“ für Feld „%2“.</translation>
    </message>
    <message>
        <source>The file starts with a UTF-8 mark but is not valid UTF-8.</source>
        <translation>Die Datei beginnt mit einer UTF-8-Markierung, ist aber kein gültiges UTF-8.</translation>
    </message>
    <message>
        <source>UTF-16 files are not supported.</source>
        <translation>UTF-16-Dateien werden nicht unterstützt.</translation>
    </message>
    <message>
        <source>The file declares UTF-8 but is not valid UTF-8.</source>
        <translation>Die Datei gibt UTF-8 an, ist aber kein gültiges UTF-8.</translation>
    </message>
    <message>
        <source>The encoding &quot;%1&quot; is not supported.</source>
        <translation>Die Kodierung „%1“ wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>Error in the timer file at line %1, column %2: %3</source>
        <translation>Fehler in der Timer-Datei in Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Datei „%1“ kann nicht erstellt werden. %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>Datei „%1“ kann nicht gelesen werden. %2</translation>
    </message>
    <message numerus="yes">
        <source>Elements are nested more than %n deep.</source>
        <translation>
            <numerusform>Die Elemente sind tiefer als %n Ebene verschachtelt.</numerusform>
            <numerusform>Die Elemente sind tiefer als %n Ebenen verschachtelt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The packet declares more than %n fields.</source>
        <translation>
            <numerusform>Das Paket deklariert mehr als %n Feld.</numerusform>
            <numerusform>Das Paket deklariert mehr als %n Felder.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The timer file is larger than %n MiB.</source>
        <translation>
            <numerusform>Die Timer-Datei ist größer als %n MiB.</numerusform>
            <numerusform>Die Timer-Datei ist größer als %n MiB.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerRecord</name>
    <message>
        <source>Announce the time left</source>
        <translation>Restzeit ansagen</translation>
    </message>
    <message>
        <source>Play &quot;beep&quot; sound</source>
        <translation>„Piepton“ abspielen</translation>
    </message>
    <message>
        <source>Play &quot;tick&quot; sound</source>
        <translation>„Ticken“ abspielen</translation>
    </message>
    <message>
        <source>Play custom sound</source>
        <translation>Eigenen Klang abspielen</translation>
    </message>
    <message>
        <source>Play &quot;fanfare&quot; sound</source>
        <translation>„Fanfare“ abspielen</translation>
    </message>
    <message>
        <source>Play &quot;long beep&quot; sound</source>
        <translation>„Langer Piepton“ abspielen</translation>
    </message>
    <message>
        <source>No announcement</source>
        <translation>Keine Ansage</translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation>Jede Stunde</translation>
    </message>
    <message>
        <source>Every 30 minutes</source>
        <translation>Alle 30 Minuten</translation>
    </message>
    <message>
        <source>Every 20 minutes</source>
        <translation>Alle 20 Minuten</translation>
    </message>
    <message>
        <source>Every 15 minutes</source>
        <translation>Alle 15 Minuten</translation>
    </message>
    <message>
        <source>Every 10 minutes</source>
        <translation>Alle 10 Minuten</translation>
    </message>
    <message>
        <source>Every 5 minutes</source>
        <translation>Alle 5 Minuten</translation>
    </message>
    <message>
        <source>Every other minute</source>
        <translation>Jede zweite Minute</translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation>Jede Minute</translation>
    </message>
    <message>
        <source>Every 30 seconds</source>
        <translation>Alle 30 Sekunden</translation>
    </message>
    <message>
        <source>Every 20 seconds</source>
        <translation>Alle 20 Sekunden</translation>
    </message>
    <message>
        <source>Every 15 seconds</source>
        <translation>Alle 15 Sekunden</translation>
    </message>
    <message>
        <source>Every 10 seconds</source>
        <translation>Alle 10 Sekunden</translation>
    </message>
    <message>
        <source>Every 5 seconds</source>
        <translation>Alle 5 Sekunden</translation>
    </message>
    <message>
        <source>Every other second</source>
        <translation>Jede zweite Sekunde</translation>
    </message>
    <message>
        <source>Every second</source>
        <translation>Jede Sekunde</translation>
    </message>
</context>
<context>
    <name>qv::TrayIcon</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
</context>
<context>
    <name>qv::ZeroNotification</name>
    <message>
        <source>The timer has reached 00:00:00.</source>
        <translation>Der Timer hat 00:00:00 erreicht.</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Fenster anzeigen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
</context>
<context>
    <name>qv::settings</name>
    <message>
        <source>Browse files</source>
        <translation>Datei wählen</translation>
    </message>
</context>
</TS>
