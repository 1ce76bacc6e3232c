<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>qv::CommandLine</name>
    <message>
        <source>Start the timer NAME (or, without a name, the selected timer).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the running timer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the timer and set it back to its start time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do what SPACE does: start, stop or reset, as the preferences say.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the selected timer, its time left and its state (idle, counting, paused or flashing), separated by tabs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the timers&apos; names, one a line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Try &apos;quorvantel --help&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Named countdown timers with spoken announcements and alarms.
With an option, acts on the running copy (starting the program first for --start, --stop, --reset and --toggle).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --status: print one JSON object.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --start: the timer to start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be used together.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--json goes with --status.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--start takes one timer name; put a name with spaces in quotes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timer name is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the running copy did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::FormBackground</name>
    <message>
        <source>The gradient bitmap file could not be found!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::HelpWindow</name>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The main window and the keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rules and announcements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where your data are kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvantel Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This help page is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was not found in the help folder &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help pages were not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvantel looks for its help in the folder &quot;%1&quot;, and that folder does not exist. Reinstalling Quorvantel puts the help pages back in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvantel Help - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::IdleInhibit</name>
    <message>
        <source>A timer is counting down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::MessageBox</name>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::RulePage</name>
    <message>
        <source>Enable rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting from (hh:mm:ss)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perform the selected action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action to perform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting from hours, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting from minutes, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting from seconds, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change starting hours, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change starting minutes, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change starting seconds, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable rule, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perform the selected action, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action to perform, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview sound, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom sound filename, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse files, rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only numeric values allowed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numeric value out of range!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::SessionDesktop</name>
    <message>
        <source>%1 reached zero at %2 while Quorvantel was not running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 reached zero at %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TAboutForm</name>
    <message>
        <source>Ver %1  © %2 Brindlemoor Software</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quorvantel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit the Quorvantel web site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TLMDLEDLabel</name>
    <message>
        <source>Time left</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TMainForm</name>
    <message>
        <source>Active timer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>START</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RESET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Timer settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quorvantel Help...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quorvantel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timer is running, are you sure you want to close the application?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A dialog is open in Quorvantel; close it and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no timer named &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STOP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Running...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers were read from &quot;%3&quot;, where an earlier session saved them, and will be saved there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers will be saved to &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TPrefForm</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap files (*.BMP *.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts behaviour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use SPACE for start/stop and ESC for reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use SPACE for start/stop/reset (ESC will still also work as reset)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use color gradient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a tiled bitmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set color 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set color 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitmap file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set active color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set inactive color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background color 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background color 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active LED color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inactive LED color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample of the LED colors</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TSettingsForm</name>
    <message>
        <source>Timer settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rule %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change start hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change start minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change start seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick set of the start time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview sound, general announcement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview sound, timer expire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse files, timer expire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hr</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop continuously</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick set (drag to quickly change start time)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General announcement/sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Perform action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type of action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timer expire</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Action</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You need to give the timer a name - try again!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You already have 100 timers defined, no more timers can be added!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name of the new timer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You need to give the timer a unique name - try again!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You cannot delete this timer (there must always be at least
one timer defined), would you like to rename it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New timer name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the new name of this timer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete this timer?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audio files (*.WAV *.wav)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>The path of this file is longer than %n characters and cannot be kept - choose another file!</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerDB</name>
    <message>
        <source>The table holds no timer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key violation.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TimerFile</name>
    <message>
        <source>Document type declarations and entities are not accepted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds no data packet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROWDATA comes before METADATA.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is not a data packet: the outermost element is &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The packet has more than one METADATA.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A FIELD has no attrname.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; is declared twice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timer file has elements with too many attributes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type mismatch for field &apos;%1&apos;, expecting: %2 actual: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid WIDTH &quot;%1&quot; for field &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The packet holds more rows than a timer table can take.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid RowState &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid value &quot;%1&quot; for field &apos;%2&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file starts with a UTF-8 mark but is not valid UTF-8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UTF-16 files are not supported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file declares UTF-8 but is not valid UTF-8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The encoding &quot;%1&quot; is not supported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error in the timer file at line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TimerRecord</name>
    <message>
        <source>Announce the time left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &quot;beep&quot; sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &quot;tick&quot; sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play custom sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &quot;fanfare&quot; sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play &quot;long beep&quot; sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No announcement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 20 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 15 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 10 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 5 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every other minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 30 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 20 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 15 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 10 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every 5 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every other second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every second</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::TrayIcon</name>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::ZeroNotification</name>
    <message>
        <source>The timer has reached 00:00:00.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qv::settings</name>
    <message>
        <source>Browse files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
