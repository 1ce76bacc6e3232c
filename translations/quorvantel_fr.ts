<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>qv::CommandLine</name>
    <message>
        <source>Start the timer NAME (or, without a name, the selected timer).</source>
        <translation>Démarrer le minuteur NAME (ou, sans nom, le minuteur sélectionné).</translation>
    </message>
    <message>
        <source>Stop the running timer.</source>
        <translation>Arrêter le minuteur en cours.</translation>
    </message>
    <message>
        <source>Stop the timer and set it back to its start time.</source>
        <translation>Arrêter le minuteur et le remettre à son temps de départ.</translation>
    </message>
    <message>
        <source>Do what SPACE does: start, stop or reset, as the preferences say.</source>
        <translation>Comme la touche Espace&#xa0;: démarrer, arrêter ou réinitialiser, selon les préférences.</translation>
    </message>
    <message>
        <source>Print the selected timer, its time left and its state (idle, counting, paused or flashing), separated by tabs.</source>
        <translation>Afficher le minuteur sélectionné, son temps restant et son état («&#xa0;idle&#xa0;», «&#xa0;counting&#xa0;», «&#xa0;paused&#xa0;» ou «&#xa0;flashing&#xa0;»), séparés par des tabulations.</translation>
    </message>
    <message>
        <source>Print the timers&apos; names, one a line.</source>
        <translation>Afficher les noms des minuteurs, un par ligne.</translation>
    </message>
    <message>
        <source>%1
Try &apos;quorvantel --help&apos; for more information.</source>
        <translation>%1
Essayez «&#xa0;quorvantel --help&#xa0;» pour plus d&apos;informations.</translation>
    </message>
    <message>
        <source>Named countdown timers with spoken announcements and alarms.
With an option, acts on the running copy (starting the program first for --start, --stop, --reset and --toggle).</source>
        <translation>Minuteurs nommés avec annonces vocales et alarmes.
Avec une option, agit sur l&apos;instance en cours (en lançant d&apos;abord le programme pour --start, --stop, --reset et --toggle).</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>With --status: print one JSON object.</source>
        <translation>Avec --status&#xa0;: afficher un seul objet JSON.</translation>
    </message>
    <message>
        <source>With --start: the timer to start.</source>
        <translation>Avec --start&#xa0;: le minuteur à démarrer.</translation>
    </message>
    <message>
        <source>%1 cannot be used together.</source>
        <translation>Les options %1 ne peuvent pas être combinées.</translation>
    </message>
    <message>
        <source>--json goes with --status.</source>
        <translation>--json s&apos;utilise avec --status.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>--start takes one timer name; put a name with spaces in quotes.</source>
        <translation>--start prend un seul nom de minuteur&#xa0;; mettez un nom avec espaces entre guillemets.</translation>
    </message>
    <message>
        <source>The timer name is empty.</source>
        <translation>Le nom du minuteur est vide.</translation>
    </message>
    <message>
        <source>The request could not be read.</source>
        <translation>Impossible de lire la requête.</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Commande inconnue «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>the running copy did not answer.</source>
        <translation>l&apos;instance en cours n&apos;a pas répondu.</translation>
    </message>
</context>
<context>
    <name>qv::FormBackground</name>
    <message>
        <source>The gradient bitmap file could not be found!</source>
        <translation>Le fichier bitmap du fond est introuvable&#xa0;!</translation>
    </message>
</context>
<context>
    <name>qv::HelpWindow</name>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>The main window and the keyboard</source>
        <translation>La fenêtre principale et le clavier</translation>
    </message>
    <message>
        <source>Timer settings</source>
        <translation>Paramètres du minuteur</translation>
    </message>
    <message>
        <source>Rules and announcements</source>
        <translation>Règles et annonces</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Where your data are kept</source>
        <translation>Où sont conservées vos données</translation>
    </message>
    <message>
        <source>Quorvantel Help</source>
        <translation>Aide de Quorvantel</translation>
    </message>
    <message>
        <source>Help contents</source>
        <translation>Sommaire de l&apos;aide</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Page d&apos;aide</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>This help page is missing.</source>
        <translation>Cette page d&apos;aide est introuvable.</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was not found in the help folder &quot;%2&quot;.</source>
        <translation>La page «&#xa0;%1&#xa0;» est introuvable dans le dossier d&apos;aide «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>The help pages were not found.</source>
        <translation>Les pages d&apos;aide sont introuvables.</translation>
    </message>
    <message>
        <source>Quorvantel looks for its help in the folder &quot;%1&quot;, and that folder does not exist. Reinstalling Quorvantel puts the help pages back in place.</source>
        <translation>Quorvantel cherche son aide dans le dossier «&#xa0;%1&#xa0;», mais ce dossier n&apos;existe pas. Réinstallez Quorvantel pour remettre les pages d&apos;aide en place.</translation>
    </message>
    <message>
        <source>Quorvantel Help - %1</source>
        <translation>Aide de Quorvantel - %1</translation>
    </message>
</context>
<context>
    <name>qv::IdleInhibit</name>
    <message>
        <source>A timer is counting down</source>
        <translation>Un compte à rebours est en cours</translation>
    </message>
</context>
<context>
    <name>qv::MessageBox</name>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>qv::RulePage</name>
    <message>
        <source>Enable rule</source>
        <translation>Activer la règle</translation>
    </message>
    <message>
        <source>Starting from (hh:mm:ss)</source>
        <translation>À partir de (hh:mm:ss)</translation>
    </message>
    <message>
        <source>Perform the selected action</source>
        <translation>Effectuer l&apos;action sélectionnée</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Écouter le son</translation>
    </message>
    <message>
        <source>Action to perform</source>
        <translation>Action à effectuer</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Fichier son personnalisé</translation>
    </message>
    <message>
        <source>Starting from hours, rule %1</source>
        <translation>Heures de début, règle %1</translation>
    </message>
    <message>
        <source>Starting from minutes, rule %1</source>
        <translation>Minutes de début, règle %1</translation>
    </message>
    <message>
        <source>Starting from seconds, rule %1</source>
        <translation>Secondes de début, règle %1</translation>
    </message>
    <message>
        <source>Change starting hours, rule %1</source>
        <translation>Modifier les heures de début, règle %1</translation>
    </message>
    <message>
        <source>Change starting minutes, rule %1</source>
        <translation>Modifier les minutes de début, règle %1</translation>
    </message>
    <message>
        <source>Change starting seconds, rule %1</source>
        <translation>Modifier les secondes de début, règle %1</translation>
    </message>
    <message>
        <source>Enable rule, rule %1</source>
        <translation>Activer la règle %1</translation>
    </message>
    <message>
        <source>Perform the selected action, rule %1</source>
        <translation>Effectuer l&apos;action sélectionnée, règle %1</translation>
    </message>
    <message>
        <source>Action to perform, rule %1</source>
        <translation>Action à effectuer, règle %1</translation>
    </message>
    <message>
        <source>Preview sound, rule %1</source>
        <translation>Écouter le son, règle %1</translation>
    </message>
    <message>
        <source>Custom sound filename, rule %1</source>
        <translation>Fichier son personnalisé, règle %1</translation>
    </message>
    <message>
        <source>Browse files, rule %1</source>
        <translation>Parcourir les fichiers, règle %1</translation>
    </message>
    <message>
        <source>Only numeric values allowed!</source>
        <translation>Valeurs numériques uniquement&#xa0;!</translation>
    </message>
    <message>
        <source>Numeric value out of range!</source>
        <translation>Valeur numérique hors limites&#xa0;!</translation>
    </message>
</context>
<context>
    <name>qv::SessionDesktop</name>
    <message>
        <source>%1 reached zero at %2 while Quorvantel was not running</source>
        <translation>%1 a atteint zéro à %2 alors que Quorvantel était fermé</translation>
    </message>
    <message>
        <source>%1 reached zero at %2</source>
        <translation>%1 a atteint zéro à %2</translation>
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
        <translation>À propos de Quorvantel</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Logo de Quorvantel</translation>
    </message>
    <message>
        <source>Visit the Quorvantel web site</source>
        <translation>Visiter le site web de Quorvantel</translation>
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
        <translation>Temps restant</translation>
    </message>
</context>
<context>
    <name>qv::TMainForm</name>
    <message>
        <source>Active timer:</source>
        <translation>Minuteur actif&#xa0;:</translation>
    </message>
    <message>
        <source>Active timer</source>
        <translation>Minuteur actif</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Logo de Quorvantel</translation>
    </message>
    <message>
        <source>START</source>
        <translation>DÉMARRER</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RÉINITIALISER</translation>
    </message>
    <message>
        <source>Not running</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Paramètres</translation>
    </message>
    <message>
        <source>&amp;Timer settings...</source>
        <translation>Paramètres du &amp;minuteur...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Quorvantel Help...</source>
        <translation>Aide de &amp;Quorvantel...</translation>
    </message>
    <message>
        <source>&amp;About Quorvantel</source>
        <translation>À &amp;propos de Quorvantel</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>Erreur fatale&#xa0;: enregistrement de la base introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>The timer is running, are you sure you want to close the application?</source>
        <translation>Le minuteur est en cours, voulez-vous vraiment fermer l&apos;application&#xa0;?</translation>
    </message>
    <message>
        <source>A dialog is open in Quorvantel; close it and try again.</source>
        <translation>Une boîte de dialogue est ouverte dans Quorvantel&#xa0;; fermez-la et réessayez.</translation>
    </message>
    <message>
        <source>There is no timer named &quot;%1&quot;.</source>
        <translation>Il n&apos;y a aucun minuteur nommé «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>ARRÊTER</translation>
    </message>
    <message>
        <source>Running...</source>
        <translation>En cours...</translation>
    </message>
    <message>
        <source>Timer 1</source>
        <translation>Minuteur 1</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers were read from &quot;%3&quot;, where an earlier session saved them, and will be saved there.</source>
        <translation>%1

Le fichier des minuteurs «&#xa0;%2&#xa0;» n&apos;est pas modifié. Les minuteurs ont été lus depuis «&#xa0;%3&#xa0;», où une session précédente les avait enregistrés, et y seront enregistrés.</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers will be saved to &quot;%3&quot;.</source>
        <translation>%1

Le fichier des minuteurs «&#xa0;%2&#xa0;» n&apos;est pas modifié. Les minuteurs seront enregistrés dans «&#xa0;%3&#xa0;».</translation>
    </message>
</context>
<context>
    <name>qv::TPrefForm</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Bitmap files (*.BMP *.bmp)</source>
        <translation>Fichiers bitmap (*.BMP *.bmp)</translation>
    </message>
    <message>
        <source>Keyboard shortcuts behaviour</source>
        <translation>Comportement des raccourcis clavier</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop and ESC for reset</source>
        <translation>Espace pour démarrer/arrêter, Échap pour réinitialiser</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop/reset (ESC will still also work as reset)</source>
        <translation>Espace pour démarrer/arrêter/réinitialiser (Échap réinitialise aussi)</translation>
    </message>
    <message>
        <source>Window background</source>
        <translation>Fond de la fenêtre</translation>
    </message>
    <message>
        <source>Use color gradient</source>
        <translation>Dégradé de couleurs</translation>
    </message>
    <message>
        <source>Use a tiled bitmap</source>
        <translation>Image en mosaïque</translation>
    </message>
    <message>
        <source>Set color 1</source>
        <translation>Couleur 1</translation>
    </message>
    <message>
        <source>Set color 2</source>
        <translation>Couleur 2</translation>
    </message>
    <message>
        <source>Bitmap file</source>
        <translation>Fichier bitmap</translation>
    </message>
    <message>
        <source>Browse files</source>
        <translation>Parcourir les fichiers</translation>
    </message>
    <message>
        <source>LED display</source>
        <translation>Afficheur LED</translation>
    </message>
    <message>
        <source>Set active color</source>
        <translation>Couleur active</translation>
    </message>
    <message>
        <source>Set inactive color</source>
        <translation>Couleur inactive</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Background color 1</source>
        <translation>Couleur de fond 1</translation>
    </message>
    <message>
        <source>Background color 2</source>
        <translation>Couleur de fond 2</translation>
    </message>
    <message>
        <source>Active LED color</source>
        <translation>Couleur des LED actives</translation>
    </message>
    <message>
        <source>Inactive LED color</source>
        <translation>Couleur des LED inactives</translation>
    </message>
    <message>
        <source>Sample of the LED colors</source>
        <translation>Aperçu des couleurs des LED</translation>
    </message>
</context>
<context>
    <name>qv::TSettingsForm</name>
    <message>
        <source>Timer settings</source>
        <translation>Paramètres du minuteur</translation>
    </message>
    <message>
        <source>Rule %1</source>
        <translation>Règle %1</translation>
    </message>
    <message>
        <source>Timer name</source>
        <translation>Nom du minuteur</translation>
    </message>
    <message>
        <source>Start from hours</source>
        <translation>Heures de départ</translation>
    </message>
    <message>
        <source>Start from minutes</source>
        <translation>Minutes de départ</translation>
    </message>
    <message>
        <source>Start from seconds</source>
        <translation>Secondes de départ</translation>
    </message>
    <message>
        <source>Change start hours</source>
        <translation>Modifier les heures de départ</translation>
    </message>
    <message>
        <source>Change start minutes</source>
        <translation>Modifier les minutes de départ</translation>
    </message>
    <message>
        <source>Change start seconds</source>
        <translation>Modifier les secondes de départ</translation>
    </message>
    <message>
        <source>Quick set of the start time</source>
        <translation>Réglage rapide du temps de départ</translation>
    </message>
    <message>
        <source>Preview sound, general announcement</source>
        <translation>Écouter le son, annonce générale</translation>
    </message>
    <message>
        <source>Preview sound, timer expire</source>
        <translation>Écouter le son, fin du minuteur</translation>
    </message>
    <message>
        <source>Browse files, timer expire</source>
        <translation>Parcourir les fichiers, fin du minuteur</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Start from</source>
        <translation>Temps de départ</translation>
    </message>
    <message>
        <source>Hr</source>
        <translation>h</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>min</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Loop continuously</source>
        <translation>Répéter en boucle</translation>
    </message>
    <message>
        <source>Quick set (drag to quickly change start time)</source>
        <translation>Réglage rapide (glissez pour changer le temps de départ)</translation>
    </message>
    <message>
        <source>General announcement/sound</source>
        <translation>Annonce générale/son</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Écouter le son</translation>
    </message>
    <message>
        <source>Perform action</source>
        <translation>Effectuer l&apos;action</translation>
    </message>
    <message>
        <source>Type of action</source>
        <translation>Type d&apos;action</translation>
    </message>
    <message>
        <source>Timer expire</source>
        <translation>Fin du minuteur</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Fichier son personnalisé</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>Erreur fatale&#xa0;: enregistrement de la base introuvable&#xa0;!</translation>
    </message>
    <message>
        <source>You need to give the timer a name - try again!</source>
        <translation>Vous devez donner un nom au minuteur. Réessayez&#xa0;!</translation>
    </message>
    <message>
        <source>You already have 100 timers defined, no more timers can be added!</source>
        <translation>Vous avez déjà 100 minuteurs, impossible d&apos;en ajouter d&apos;autres&#xa0;!</translation>
    </message>
    <message>
        <source>New timer</source>
        <translation>Nouveau minuteur</translation>
    </message>
    <message>
        <source>Enter the name of the new timer:</source>
        <translation>Saisissez le nom du nouveau minuteur&#xa0;:</translation>
    </message>
    <message>
        <source>You need to give the timer a unique name - try again!</source>
        <translation>Vous devez donner au minuteur un nom unique. Réessayez&#xa0;!</translation>
    </message>
    <message>
        <source>You cannot delete this timer (there must always be at least
one timer defined), would you like to rename it?</source>
        <translation>Vous ne pouvez pas supprimer ce minuteur (il doit toujours en rester
au moins un). Voulez-vous le renommer&#xa0;?</translation>
    </message>
    <message>
        <source>New timer name</source>
        <translation>Nouveau nom du minuteur</translation>
    </message>
    <message>
        <source>Enter the new name of this timer:</source>
        <translation>Saisissez le nouveau nom de ce minuteur&#xa0;:</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this timer?</source>
        <translation>Voulez-vous vraiment supprimer ce minuteur&#xa0;?</translation>
    </message>
    <message>
        <source>Audio files (*.WAV *.wav)</source>
        <translation>Fichiers audio (*.WAV *.wav)</translation>
    </message>
    <message numerus="yes">
        <source>The path of this file is longer than %n characters and cannot be kept - choose another file!</source>
        <translation>
            <numerusform>Le chemin de ce fichier dépasse %n caractère et ne peut pas être conservé. Choisissez un autre fichier&#xa0;!</numerusform>
            <numerusform>Le chemin de ce fichier dépasse %n caractères et ne peut pas être conservé. Choisissez un autre fichier&#xa0;!</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerDB</name>
    <message>
        <source>The table holds no timer.</source>
        <translation>La table ne contient aucun minuteur.</translation>
    </message>
    <message>
        <source>Key violation.</source>
        <translation>Violation de clé.</translation>
    </message>
</context>
<context>
    <name>qv::TimerFile</name>
    <message>
        <source>Document type declarations and entities are not accepted.</source>
        <translation>Les déclarations de type de document et les entités ne sont pas acceptées.</translation>
    </message>
    <message>
        <source>The file holds no data packet.</source>
        <translation>Le fichier ne contient aucun paquet de données.</translation>
    </message>
    <message>
        <source>ROWDATA comes before METADATA.</source>
        <translation>ROWDATA apparaît avant METADATA.</translation>
    </message>
    <message>
        <source>This is not a data packet: the outermost element is &quot;%1&quot;.</source>
        <translation>Ce n&apos;est pas un paquet de données&#xa0;: l&apos;élément racine est «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; not found</source>
        <translation>Champ «&#xa0;%1&#xa0;» introuvable</translation>
    </message>
    <message>
        <source>The packet has more than one METADATA.</source>
        <translation>Le paquet contient plus d&apos;un METADATA.</translation>
    </message>
    <message>
        <source>A FIELD has no attrname.</source>
        <translation>Un FIELD n&apos;a pas d&apos;attrname.</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; is declared twice.</source>
        <translation>Le champ «&#xa0;%1&#xa0;» est déclaré deux fois.</translation>
    </message>
    <message>
        <source>The timer file has elements with too many attributes.</source>
        <translation>Le fichier des minuteurs contient des éléments ayant trop d&apos;attributs.</translation>
    </message>
    <message>
        <source>Type mismatch for field &apos;%1&apos;, expecting: %2 actual: %3</source>
        <translation>Type incorrect pour le champ «&#xa0;%1&#xa0;», attendu&#xa0;: %2, obtenu&#xa0;: %3</translation>
    </message>
    <message>
        <source>Invalid WIDTH &quot;%1&quot; for field &apos;%2&apos;</source>
        <translation>WIDTH «&#xa0;%1&#xa0;» non valide pour le champ «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>The packet holds more rows than a timer table can take.</source>
        <translation>Le paquet contient trop de lignes pour une table de minuteurs.</translation>
    </message>
    <message>
        <source>Invalid RowState &quot;%1&quot;.</source>
        <translation>RowState «&#xa0;%1&#xa0;» non valide.</translation>
    </message>
    <message>
        <source>Invalid value &quot;%1&quot; for field &apos;%2&apos;.</source>
        <translation>Valeur «&#xa0;%1&#xa0;» non valide pour le champ «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>The file starts with a UTF-8 mark but is not valid UTF-8.</source>
        <translation>Le fichier commence par une marque UTF-8 mais n&apos;est pas en UTF-8 valide.</translation>
    </message>
    <message>
        <source>UTF-16 files are not supported.</source>
        <translation>Les fichiers UTF-16 ne sont pas pris en charge.</translation>
    </message>
    <message>
        <source>The file declares UTF-8 but is not valid UTF-8.</source>
        <translation>Le fichier se déclare en UTF-8 mais n&apos;est pas en UTF-8 valide.</translation>
    </message>
    <message>
        <source>The encoding &quot;%1&quot; is not supported.</source>
        <translation>L&apos;encodage «&#xa0;%1&#xa0;» n&apos;est pas pris en charge.</translation>
    </message>
    <message>
        <source>Error in the timer file at line %1, column %2: %3</source>
        <translation>Erreur dans le fichier des minuteurs à la ligne %1, colonne %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Impossible de créer le fichier «&#xa0;%1&#xa0;». %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;ouvrir le fichier «&#xa0;%1&#xa0;». %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>Impossible de lire le fichier «&#xa0;%1&#xa0;». %2</translation>
    </message>
    <message numerus="yes">
        <source>Elements are nested more than %n deep.</source>
        <translation>
            <numerusform>Les éléments sont imbriqués sur plus de %n niveau.</numerusform>
            <numerusform>Les éléments sont imbriqués sur plus de %n niveaux.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The packet declares more than %n fields.</source>
        <translation>
            <numerusform>Le paquet déclare plus de %n champ.</numerusform>
            <numerusform>Le paquet déclare plus de %n champs.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The timer file is larger than %n MiB.</source>
        <translation>
            <numerusform>Le fichier des minuteurs dépasse %n MiB.</numerusform>
            <numerusform>Le fichier des minuteurs dépasse %n MiB.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerRecord</name>
    <message>
        <source>Announce the time left</source>
        <translation>Annoncer le temps restant</translation>
    </message>
    <message>
        <source>Play &quot;beep&quot; sound</source>
        <translation>Jouer le son «&#xa0;bip&#xa0;»</translation>
    </message>
    <message>
        <source>Play &quot;tick&quot; sound</source>
        <translation>Jouer le son «&#xa0;tic&#xa0;»</translation>
    </message>
    <message>
        <source>Play custom sound</source>
        <translation>Jouer un son personnalisé</translation>
    </message>
    <message>
        <source>Play &quot;fanfare&quot; sound</source>
        <translation>Jouer le son «&#xa0;fanfare&#xa0;»</translation>
    </message>
    <message>
        <source>Play &quot;long beep&quot; sound</source>
        <translation>Jouer le son «&#xa0;bip long&#xa0;»</translation>
    </message>
    <message>
        <source>No announcement</source>
        <translation>Aucune annonce</translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation>Toutes les heures</translation>
    </message>
    <message>
        <source>Every 30 minutes</source>
        <translation>Toutes les 30 minutes</translation>
    </message>
    <message>
        <source>Every 20 minutes</source>
        <translation>Toutes les 20 minutes</translation>
    </message>
    <message>
        <source>Every 15 minutes</source>
        <translation>Toutes les 15 minutes</translation>
    </message>
    <message>
        <source>Every 10 minutes</source>
        <translation>Toutes les 10 minutes</translation>
    </message>
    <message>
        <source>Every 5 minutes</source>
        <translation>Toutes les 5 minutes</translation>
    </message>
    <message>
        <source>Every other minute</source>
        <translation>Toutes les 2 minutes</translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation>Toutes les minutes</translation>
    </message>
    <message>
        <source>Every 30 seconds</source>
        <translation>Toutes les 30 secondes</translation>
    </message>
    <message>
        <source>Every 20 seconds</source>
        <translation>Toutes les 20 secondes</translation>
    </message>
    <message>
        <source>Every 15 seconds</source>
        <translation>Toutes les 15 secondes</translation>
    </message>
    <message>
        <source>Every 10 seconds</source>
        <translation>Toutes les 10 secondes</translation>
    </message>
    <message>
        <source>Every 5 seconds</source>
        <translation>Toutes les 5 secondes</translation>
    </message>
    <message>
        <source>Every other second</source>
        <translation>Toutes les 2 secondes</translation>
    </message>
    <message>
        <source>Every second</source>
        <translation>Toutes les secondes</translation>
    </message>
</context>
<context>
    <name>qv::TrayIcon</name>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Afficher la fenêtre</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>qv::ZeroNotification</name>
    <message>
        <source>The timer has reached 00:00:00.</source>
        <translation>Le minuteur a atteint 00:00:00.</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Afficher la fenêtre</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>qv::settings</name>
    <message>
        <source>Browse files</source>
        <translation>Parcourir les fichiers</translation>
    </message>
</context>
</TS>
