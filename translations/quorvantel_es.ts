<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>qv::CommandLine</name>
    <message>
        <source>Start the timer NAME (or, without a name, the selected timer).</source>
        <translation>Inicia el temporizador NAME (o, sin nombre, el temporizador seleccionado).</translation>
    </message>
    <message>
        <source>Stop the running timer.</source>
        <translation>Detiene el temporizador en marcha.</translation>
    </message>
    <message>
        <source>Stop the timer and set it back to its start time.</source>
        <translation>Detiene el temporizador y lo devuelve a su tiempo inicial.</translation>
    </message>
    <message>
        <source>Do what SPACE does: start, stop or reset, as the preferences say.</source>
        <translation>Hace lo mismo que la tecla Espacio: iniciar, detener o restablecer, según las preferencias.</translation>
    </message>
    <message>
        <source>Print the selected timer, its time left and its state (idle, counting, paused or flashing), separated by tabs.</source>
        <translation>Muestra el temporizador seleccionado, su tiempo restante y su estado (&quot;idle&quot;, &quot;counting&quot;, &quot;paused&quot; o &quot;flashing&quot;), separados por tabuladores.</translation>
    </message>
    <message>
        <source>Print the timers&apos; names, one a line.</source>
        <translation>Muestra los nombres de los temporizadores, uno por línea.</translation>
    </message>
    <message>
        <source>%1
Try &apos;quorvantel --help&apos; for more information.</source>
        <translation>%1
Pruebe &apos;quorvantel --help&apos; para más información.</translation>
    </message>
    <message>
        <source>Named countdown timers with spoken announcements and alarms.
With an option, acts on the running copy (starting the program first for --start, --stop, --reset and --toggle).</source>
        <translation>Temporizadores con nombre que dan avisos hablados y alarmas.
Con una opción, actúa sobre la instancia en ejecución (y antes inicia el programa si se usa --start, --stop, --reset o --toggle).</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Muestra esta ayuda y sale.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Muestra la versión y sale.</translation>
    </message>
    <message>
        <source>With --status: print one JSON object.</source>
        <translation>Con --status: muestra un único objeto JSON.</translation>
    </message>
    <message>
        <source>With --start: the timer to start.</source>
        <translation>Con --start: el temporizador que se iniciará.</translation>
    </message>
    <message>
        <source>%1 cannot be used together.</source>
        <translation>%1 no se pueden usar a la vez.</translation>
    </message>
    <message>
        <source>--json goes with --status.</source>
        <translation>--json solo se usa con --status.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--start takes one timer name; put a name with spaces in quotes.</source>
        <translation>--start admite un solo nombre de temporizador; ponga entre comillas los nombres con espacios.</translation>
    </message>
    <message>
        <source>The timer name is empty.</source>
        <translation>El nombre del temporizador está vacío.</translation>
    </message>
    <message>
        <source>The request could not be read.</source>
        <translation>No se pudo leer la solicitud.</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Comando desconocido &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>the running copy did not answer.</source>
        <translation>la instancia en ejecución no respondió.</translation>
    </message>
</context>
<context>
    <name>qv::FormBackground</name>
    <message>
        <source>The gradient bitmap file could not be found!</source>
        <translation>¡No se encontró el archivo BMP del fondo!</translation>
    </message>
</context>
<context>
    <name>qv::HelpWindow</name>
    <message>
        <source>Contents</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>The main window and the keyboard</source>
        <translation>La ventana principal y el teclado</translation>
    </message>
    <message>
        <source>Timer settings</source>
        <translation>Configuración del temporizador</translation>
    </message>
    <message>
        <source>Rules and announcements</source>
        <translation>Reglas y avisos</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Where your data are kept</source>
        <translation>Dónde se guardan sus datos</translation>
    </message>
    <message>
        <source>Quorvantel Help</source>
        <translation>Ayuda de Quorvantel</translation>
    </message>
    <message>
        <source>Help contents</source>
        <translation>Contenido de la ayuda</translation>
    </message>
    <message>
        <source>Help page</source>
        <translation>Página de ayuda</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>This help page is missing.</source>
        <translation>Falta esta página de ayuda.</translation>
    </message>
    <message>
        <source>The page &quot;%1&quot; was not found in the help folder &quot;%2&quot;.</source>
        <translation>No se encontró la página &quot;%1&quot; en la carpeta de ayuda &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>The help pages were not found.</source>
        <translation>No se encontraron las páginas de ayuda.</translation>
    </message>
    <message>
        <source>Quorvantel looks for its help in the folder &quot;%1&quot;, and that folder does not exist. Reinstalling Quorvantel puts the help pages back in place.</source>
        <translation>Quorvantel busca su ayuda en la carpeta &quot;%1&quot;, y esa carpeta no existe. Si reinstala Quorvantel, las páginas de ayuda volverán a su sitio.</translation>
    </message>
    <message>
        <source>Quorvantel Help - %1</source>
        <translation>Ayuda de Quorvantel - %1</translation>
    </message>
</context>
<context>
    <name>qv::IdleInhibit</name>
    <message>
        <source>A timer is counting down</source>
        <translation>Hay un temporizador en marcha</translation>
    </message>
</context>
<context>
    <name>qv::MessageBox</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>qv::RulePage</name>
    <message>
        <source>Enable rule</source>
        <translation>Activar regla</translation>
    </message>
    <message>
        <source>Starting from (hh:mm:ss)</source>
        <translation>A partir de (hh:mm:ss)</translation>
    </message>
    <message>
        <source>Perform the selected action</source>
        <translation>Realizar la acción elegida</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Probar sonido</translation>
    </message>
    <message>
        <source>Action to perform</source>
        <translation>Acción que realizar</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Archivo de sonido personalizado</translation>
    </message>
    <message>
        <source>Starting from hours, rule %1</source>
        <translation>Horas de inicio, regla %1</translation>
    </message>
    <message>
        <source>Starting from minutes, rule %1</source>
        <translation>Minutos de inicio, regla %1</translation>
    </message>
    <message>
        <source>Starting from seconds, rule %1</source>
        <translation>Segundos de inicio, regla %1</translation>
    </message>
    <message>
        <source>Change starting hours, rule %1</source>
        <translation>Cambiar las horas de inicio, regla %1</translation>
    </message>
    <message>
        <source>Change starting minutes, rule %1</source>
        <translation>Cambiar los minutos de inicio, regla %1</translation>
    </message>
    <message>
        <source>Change starting seconds, rule %1</source>
        <translation>Cambiar los segundos de inicio, regla %1</translation>
    </message>
    <message>
        <source>Enable rule, rule %1</source>
        <translation>Activar la regla %1</translation>
    </message>
    <message>
        <source>Perform the selected action, rule %1</source>
        <translation>Realizar la acción elegida, regla %1</translation>
    </message>
    <message>
        <source>Action to perform, rule %1</source>
        <translation>Acción que realizar, regla %1</translation>
    </message>
    <message>
        <source>Preview sound, rule %1</source>
        <translation>Probar sonido, regla %1</translation>
    </message>
    <message>
        <source>Custom sound filename, rule %1</source>
        <translation>Archivo de sonido personalizado, regla %1</translation>
    </message>
    <message>
        <source>Browse files, rule %1</source>
        <translation>Examinar archivos, regla %1</translation>
    </message>
    <message>
        <source>Only numeric values allowed!</source>
        <translation>¡Solo se permiten valores numéricos!</translation>
    </message>
    <message>
        <source>Numeric value out of range!</source>
        <translation>¡Valor numérico fuera de rango!</translation>
    </message>
</context>
<context>
    <name>qv::SessionDesktop</name>
    <message>
        <source>%1 reached zero at %2 while Quorvantel was not running</source>
        <translation>%1 llegó a cero a las %2 mientras Quorvantel no estaba en ejecución</translation>
    </message>
    <message>
        <source>%1 reached zero at %2</source>
        <translation>%1 llegó a cero a las %2</translation>
    </message>
</context>
<context>
    <name>qv::TAboutForm</name>
    <message>
        <source>Ver %1  © %2 Brindlemoor Software</source>
        <translation>v. %1  © %2 Brindlemoor Software</translation>
    </message>
    <message>
        <source>About Quorvantel</source>
        <translation>Acerca de Quorvantel</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Logotipo de Quorvantel</translation>
    </message>
    <message>
        <source>Visit the Quorvantel web site</source>
        <translation>Visitar el sitio web de Quorvantel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>qv::TLMDLEDLabel</name>
    <message>
        <source>Time left</source>
        <translation>Tiempo restante</translation>
    </message>
</context>
<context>
    <name>qv::TMainForm</name>
    <message>
        <source>Active timer:</source>
        <translation>Temporizador activo:</translation>
    </message>
    <message>
        <source>Active timer</source>
        <translation>Temporizador activo</translation>
    </message>
    <message>
        <source>Quorvantel logo</source>
        <translation>Logotipo de Quorvantel</translation>
    </message>
    <message>
        <source>START</source>
        <translation>INICIAR</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>RESTABLECER</translation>
    </message>
    <message>
        <source>Not running</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source>&amp;Timer settings...</source>
        <translation>Configuración del &amp;temporizador...</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Preferencias...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Quorvantel Help...</source>
        <translation>&amp;Ayuda de Quorvantel...</translation>
    </message>
    <message>
        <source>&amp;About Quorvantel</source>
        <translation>A&amp;cerca de Quorvantel</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>¡Error fatal: no se encontró el registro en la BD!</translation>
    </message>
    <message>
        <source>The timer is running, are you sure you want to close the application?</source>
        <translation>El temporizador está en marcha. ¿Seguro que quiere cerrar la aplicación?</translation>
    </message>
    <message>
        <source>A dialog is open in Quorvantel; close it and try again.</source>
        <translation>Hay un diálogo abierto en Quorvantel; ciérrelo e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>There is no timer named &quot;%1&quot;.</source>
        <translation>No hay ningún temporizador llamado &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>DETENER</translation>
    </message>
    <message>
        <source>Running...</source>
        <translation>En marcha...</translation>
    </message>
    <message>
        <source>Timer 1</source>
        <translation>Temporizador 1</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers were read from &quot;%3&quot;, where an earlier session saved them, and will be saved there.</source>
        <translation>%1

El archivo de temporizadores &quot;%2&quot; se deja intacto. Los temporizadores se leyeron de &quot;%3&quot;, donde los guardó una sesión anterior, y se guardarán allí.</translation>
    </message>
    <message>
        <source>%1

The timer file &quot;%2&quot; is left as it is. The timers will be saved to &quot;%3&quot;.</source>
        <translation>%1

El archivo de temporizadores &quot;%2&quot; se deja intacto. Los temporizadores se guardarán en &quot;%3&quot;.</translation>
    </message>
</context>
<context>
    <name>qv::TPrefForm</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Bitmap files (*.BMP *.bmp)</source>
        <translation>Archivos BMP (*.BMP *.bmp)</translation>
    </message>
    <message>
        <source>Keyboard shortcuts behaviour</source>
        <translation>Uso de los atajos de teclado</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop and ESC for reset</source>
        <translation>Usar Espacio para iniciar/detener y Esc para restablecer</translation>
    </message>
    <message>
        <source>Use SPACE for start/stop/reset (ESC will still also work as reset)</source>
        <translation>Usar Espacio para iniciar/detener/restablecer (Esc también seguirá restableciendo)</translation>
    </message>
    <message>
        <source>Window background</source>
        <translation>Fondo de la ventana</translation>
    </message>
    <message>
        <source>Use color gradient</source>
        <translation>Usar degradado de color</translation>
    </message>
    <message>
        <source>Use a tiled bitmap</source>
        <translation>Usar imagen BMP en mosaico</translation>
    </message>
    <message>
        <source>Set color 1</source>
        <translation>Elegir color 1</translation>
    </message>
    <message>
        <source>Set color 2</source>
        <translation>Elegir color 2</translation>
    </message>
    <message>
        <source>Bitmap file</source>
        <translation>Archivo BMP</translation>
    </message>
    <message>
        <source>Browse files</source>
        <translation>Examinar archivos</translation>
    </message>
    <message>
        <source>LED display</source>
        <translation>Pantalla LED</translation>
    </message>
    <message>
        <source>Set active color</source>
        <translation>Elegir color activo</translation>
    </message>
    <message>
        <source>Set inactive color</source>
        <translation>Elegir color inactivo</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Muestra</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Background color 1</source>
        <translation>Color de fondo 1</translation>
    </message>
    <message>
        <source>Background color 2</source>
        <translation>Color de fondo 2</translation>
    </message>
    <message>
        <source>Active LED color</source>
        <translation>Color activo del LED</translation>
    </message>
    <message>
        <source>Inactive LED color</source>
        <translation>Color inactivo del LED</translation>
    </message>
    <message>
        <source>Sample of the LED colors</source>
        <translation>Muestra de los colores del LED</translation>
    </message>
</context>
<context>
    <name>qv::TSettingsForm</name>
    <message>
        <source>Timer settings</source>
        <translation>Configuración del temporizador</translation>
    </message>
    <message>
        <source>Rule %1</source>
        <translation>Regla %1</translation>
    </message>
    <message>
        <source>Timer name</source>
        <translation>Nombre del temporizador</translation>
    </message>
    <message>
        <source>Start from hours</source>
        <translation>Horas del tiempo inicial</translation>
    </message>
    <message>
        <source>Start from minutes</source>
        <translation>Minutos del tiempo inicial</translation>
    </message>
    <message>
        <source>Start from seconds</source>
        <translation>Segundos del tiempo inicial</translation>
    </message>
    <message>
        <source>Change start hours</source>
        <translation>Cambiar las horas del tiempo inicial</translation>
    </message>
    <message>
        <source>Change start minutes</source>
        <translation>Cambiar los minutos del tiempo inicial</translation>
    </message>
    <message>
        <source>Change start seconds</source>
        <translation>Cambiar los segundos del tiempo inicial</translation>
    </message>
    <message>
        <source>Quick set of the start time</source>
        <translation>Ajuste rápido del tiempo inicial</translation>
    </message>
    <message>
        <source>Preview sound, general announcement</source>
        <translation>Probar sonido, aviso general</translation>
    </message>
    <message>
        <source>Preview sound, timer expire</source>
        <translation>Probar sonido, fin del temporizador</translation>
    </message>
    <message>
        <source>Browse files, timer expire</source>
        <translation>Examinar archivos, fin del temporizador</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nuevo</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Start from</source>
        <translation>Empezar desde</translation>
    </message>
    <message>
        <source>Hr</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>Seg</translation>
    </message>
    <message>
        <source>Loop continuously</source>
        <translation>Repetir en bucle</translation>
    </message>
    <message>
        <source>Quick set (drag to quickly change start time)</source>
        <translation>Ajuste rápido (arrastre para cambiar el tiempo inicial)</translation>
    </message>
    <message>
        <source>General announcement/sound</source>
        <translation>Aviso/sonido general</translation>
    </message>
    <message>
        <source>Preview sound</source>
        <translation>Probar sonido</translation>
    </message>
    <message>
        <source>Perform action</source>
        <translation>Realizar la acción</translation>
    </message>
    <message>
        <source>Type of action</source>
        <translation>Tipo de acción</translation>
    </message>
    <message>
        <source>Timer expire</source>
        <translation>Fin del temporizador</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>Custom sound filename</source>
        <translation>Archivo de sonido personalizado</translation>
    </message>
    <message>
        <source>Fatal error, DB record not found!</source>
        <translation>¡Error fatal: no se encontró el registro en la BD!</translation>
    </message>
    <message>
        <source>You need to give the timer a name - try again!</source>
        <translation>¡Debe ponerle un nombre al temporizador! Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>You already have 100 timers defined, no more timers can be added!</source>
        <translation>Ya tiene 100 temporizadores definidos; ¡no se pueden añadir más!</translation>
    </message>
    <message>
        <source>New timer</source>
        <translation>Nuevo temporizador</translation>
    </message>
    <message>
        <source>Enter the name of the new timer:</source>
        <translation>Escriba el nombre del nuevo temporizador:</translation>
    </message>
    <message>
        <source>You need to give the timer a unique name - try again!</source>
        <translation>¡Debe ponerle un nombre único al temporizador! Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>You cannot delete this timer (there must always be at least
one timer defined), would you like to rename it?</source>
        <translation>No puede eliminar este temporizador (siempre debe haber al menos
un temporizador definido). ¿Quiere cambiarle el nombre?</translation>
    </message>
    <message>
        <source>New timer name</source>
        <translation>Nuevo nombre del temporizador</translation>
    </message>
    <message>
        <source>Enter the new name of this timer:</source>
        <translation>Escriba el nuevo nombre de este temporizador:</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this timer?</source>
        <translation>¿Seguro que quiere eliminar este temporizador?</translation>
    </message>
    <message>
        <source>Audio files (*.WAV *.wav)</source>
        <translation>Archivos de audio (*.WAV *.wav)</translation>
    </message>
    <message numerus="yes">
        <source>The path of this file is longer than %n characters and cannot be kept - choose another file!</source>
        <translation>
            <numerusform>La ruta de este archivo tiene más de %n carácter y no se puede guardar. ¡Elija otro archivo!</numerusform>
            <numerusform>La ruta de este archivo tiene más de %n caracteres y no se puede guardar. ¡Elija otro archivo!</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerDB</name>
    <message>
        <source>The table holds no timer.</source>
        <translation>La tabla no contiene ningún temporizador.</translation>
    </message>
    <message>
        <source>Key violation.</source>
        <translation>Violación de clave.</translation>
    </message>
</context>
<context>
    <name>qv::TimerFile</name>
    <message>
        <source>Document type declarations and entities are not accepted.</source>
        <translation>No se aceptan declaraciones de tipo de documento ni entidades.</translation>
    </message>
    <message>
        <source>The file holds no data packet.</source>
        <translation>El archivo no contiene ningún paquete de datos.</translation>
    </message>
    <message>
        <source>ROWDATA comes before METADATA.</source>
        <translation>ROWDATA aparece antes que METADATA.</translation>
    </message>
    <message>
        <source>This is not a data packet: the outermost element is &quot;%1&quot;.</source>
        <translation>No es un paquete de datos: el elemento más externo es &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; not found</source>
        <translation>No se encontró el campo &apos;%1&apos;</translation>
    </message>
    <message>
        <source>The packet has more than one METADATA.</source>
        <translation>El paquete tiene más de un METADATA.</translation>
    </message>
    <message>
        <source>A FIELD has no attrname.</source>
        <translation>Un FIELD no tiene attrname.</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; is declared twice.</source>
        <translation>El campo &apos;%1&apos; está declarado dos veces.</translation>
    </message>
    <message>
        <source>The timer file has elements with too many attributes.</source>
        <translation>El archivo de temporizadores tiene elementos con demasiados atributos.</translation>
    </message>
    <message>
        <source>Type mismatch for field &apos;%1&apos;, expecting: %2 actual: %3</source>
        <translation>Tipo incorrecto en el campo &apos;%1&apos;: se esperaba %2, pero es %3</translation>
    </message>
    <message>
        <source>Invalid WIDTH &quot;%1&quot; for field &apos;%2&apos;</source>
        <translation>WIDTH &quot;%1&quot; no válido para el campo &apos;%2&apos;</translation>
    </message>
    <message>
        <source>The packet holds more rows than a timer table can take.</source>
        <translation>El paquete contiene más filas de las que admite una tabla de temporizadores.</translation>
    </message>
    <message>
        <source>Invalid RowState &quot;%1&quot;.</source>
        <translation>RowState &quot;%1&quot; no válido.</translation>
    </message>
    <message>
        <source>Invalid value &quot;%1&quot; for field &apos;%2&apos;.</source>
        <translation>Valor &quot;%1&quot; no válido para el campo &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>The file starts with a UTF-8 mark but is not valid UTF-8.</source>
        <translation>El archivo empieza con una marca UTF-8, pero no es UTF-8 válido.</translation>
    </message>
    <message>
        <source>UTF-16 files are not supported.</source>
        <translation>No se admiten archivos UTF-16.</translation>
    </message>
    <message>
        <source>The file declares UTF-8 but is not valid UTF-8.</source>
        <translation>El archivo declara UTF-8, pero no es UTF-8 válido.</translation>
    </message>
    <message>
        <source>The encoding &quot;%1&quot; is not supported.</source>
        <translation>No se admite la codificación &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Error in the timer file at line %1, column %2: %3</source>
        <translation>Error en el archivo de temporizadores, línea %1, columna %2: %3</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>No se puede crear el archivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>No se puede abrir el archivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>No se puede leer el archivo &quot;%1&quot;. %2</translation>
    </message>
    <message numerus="yes">
        <source>Elements are nested more than %n deep.</source>
        <translation>
            <numerusform>Los elementos están anidados en más de %n nivel.</numerusform>
            <numerusform>Los elementos están anidados en más de %n niveles.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The packet declares more than %n fields.</source>
        <translation>
            <numerusform>El paquete declara más de %n campo.</numerusform>
            <numerusform>El paquete declara más de %n campos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The timer file is larger than %n MiB.</source>
        <translation>
            <numerusform>El archivo de temporizadores ocupa más de %n MiB.</numerusform>
            <numerusform>El archivo de temporizadores ocupa más de %n MiB.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qv::TimerRecord</name>
    <message>
        <source>Announce the time left</source>
        <translation>Anunciar el tiempo restante</translation>
    </message>
    <message>
        <source>Play &quot;beep&quot; sound</source>
        <translation>Reproducir sonido &quot;pitido&quot;</translation>
    </message>
    <message>
        <source>Play &quot;tick&quot; sound</source>
        <translation>Reproducir sonido &quot;tic&quot;</translation>
    </message>
    <message>
        <source>Play custom sound</source>
        <translation>Reproducir sonido personalizado</translation>
    </message>
    <message>
        <source>Play &quot;fanfare&quot; sound</source>
        <translation>Reproducir sonido &quot;fanfarria&quot;</translation>
    </message>
    <message>
        <source>Play &quot;long beep&quot; sound</source>
        <translation>Reproducir sonido &quot;pitido largo&quot;</translation>
    </message>
    <message>
        <source>No announcement</source>
        <translation>Sin aviso</translation>
    </message>
    <message>
        <source>Every hour</source>
        <translation>Cada hora</translation>
    </message>
    <message>
        <source>Every 30 minutes</source>
        <translation>Cada 30 minutos</translation>
    </message>
    <message>
        <source>Every 20 minutes</source>
        <translation>Cada 20 minutos</translation>
    </message>
    <message>
        <source>Every 15 minutes</source>
        <translation>Cada 15 minutos</translation>
    </message>
    <message>
        <source>Every 10 minutes</source>
        <translation>Cada 10 minutos</translation>
    </message>
    <message>
        <source>Every 5 minutes</source>
        <translation>Cada 5 minutos</translation>
    </message>
    <message>
        <source>Every other minute</source>
        <translation>Cada 2 minutos</translation>
    </message>
    <message>
        <source>Every minute</source>
        <translation>Cada minuto</translation>
    </message>
    <message>
        <source>Every 30 seconds</source>
        <translation>Cada 30 segundos</translation>
    </message>
    <message>
        <source>Every 20 seconds</source>
        <translation>Cada 20 segundos</translation>
    </message>
    <message>
        <source>Every 15 seconds</source>
        <translation>Cada 15 segundos</translation>
    </message>
    <message>
        <source>Every 10 seconds</source>
        <translation>Cada 10 segundos</translation>
    </message>
    <message>
        <source>Every 5 seconds</source>
        <translation>Cada 5 segundos</translation>
    </message>
    <message>
        <source>Every other second</source>
        <translation>Cada 2 segundos</translation>
    </message>
    <message>
        <source>Every second</source>
        <translation>Cada segundo</translation>
    </message>
</context>
<context>
    <name>qv::TrayIcon</name>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Mostrar ventana</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
</context>
<context>
    <name>qv::ZeroNotification</name>
    <message>
        <source>The timer has reached 00:00:00.</source>
        <translation>El temporizador llegó a 00:00:00.</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Mostrar ventana</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
</context>
<context>
    <name>qv::settings</name>
    <message>
        <source>Browse files</source>
        <translation>Examinar archivos</translation>
    </message>
</context>
</TS>
