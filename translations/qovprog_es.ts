<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BoardConnection</name>
    <message>
        <source>Opening Port</source>
        <translation>Abriendo el puerto</translation>
    </message>
    <message>
        <source>Checking for QOV</source>
        <translation>Buscando el QOV</translation>
    </message>
    <message>
        <source>QOV Not Found</source>
        <translation>QOV no encontrado</translation>
    </message>
    <message>
        <source>Err: Incorrect QOV Version</source>
        <translation>Error: versión del QOV incorrecta</translation>
    </message>
    <message>
        <source>Found QOV</source>
        <translation>QOV encontrado</translation>
    </message>
    <message>
        <source>Closing Port</source>
        <translation>Cerrando el puerto</translation>
    </message>
    <message>
        <source>Unable to aquire the QOV Firmware Version</source>
        <translation>No se pudo obtener la versión del firmware del QOV</translation>
    </message>
    <message>
        <source>Unable to retrieve QOV version</source>
        <translation>No se pudo obtener la versión del QOV</translation>
    </message>
</context>
<context>
    <name>CheckConnectionWindow</name>
    <message>
        <source>Check Connection</source>
        <translation>Comprobar la conexión</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Run Again</source>
        <translation>Repetir</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation>Comprobando...</translation>
    </message>
    <message>
        <source>Every step is OK</source>
        <translation>Todos los pasos están bien</translation>
    </message>
    <message>
        <source>A step failed: see its fix</source>
        <translation>Un paso ha fallado: vea su solución</translation>
    </message>
    <message>
        <source>passed</source>
        <extracomment>a step&apos;s state, said by screen readers</extracomment>
        <translation>correcto</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallido</translation>
    </message>
    <message>
        <source>not tried</source>
        <translation>no realizado</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>a step&apos;s state for screen readers, then its line</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Fix: %1</source>
        <translation>Solución: %1</translation>
    </message>
</context>
<context>
    <name>CliMessageBoxes</name>
    <message>
        <source>%1 on %2</source>
        <comment>a message, then where: &quot;QOV Not Found on /dev/ttyUSB0 (COM 1)&quot;</comment>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>Run &apos;qovctl doctor&apos; to find out why.</source>
        <translation>Ejecute &apos;qovctl doctor&apos; para averiguar por qué.</translation>
    </message>
</context>
<context>
    <name>CodeListWindow</name>
    <message>
        <source>Xbox DVD Remote IR Codes</source>
        <translation>Códigos IR del mando DVD de la Xbox</translation>
    </message>
    <message>
        <source>Drag the code to the appropriate box in the main window.</source>
        <translation>Arrastre el código a la casilla correspondiente de la ventana principal.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: qovprog [DEBUG]
The window of the QOV Programming Software: reads and writes the settings of a
QOV infrared receiver board through a serial or USB programmer.

  DEBUG      write a trace of every exchange with the board to
             debugLog_&lt;date&gt;_&lt;time&gt;.txt in the current folder
  --help     print this help and exit
  --version  print the version and exit

Environment:
  QOV_SIMULATOR=1   use the built-in simulated board
  QOV_PORT_DIR=DIR  COM n is DIR/COMn (a link to any serial device)
  QOV_USB_MANUAL=1  choose the USB programmer&apos;s port by hand

The command line tool for scripts is qovctl.
</source>
        <translation>Uso: qovprog [DEBUG]
La ventana de QOV Programming Software: lee y escribe los ajustes de una placa
receptora de infrarrojos QOV mediante un programador serie o USB.

  DEBUG      escribir una traza de cada intercambio con la placa en
             debugLog_&lt;fecha&gt;_&lt;hora&gt;.txt en la carpeta actual
  --help     mostrar esta ayuda y salir
  --version  mostrar la versión y salir

Entorno:
  QOV_SIMULATOR=1   usar la placa simulada integrada
  QOV_PORT_DIR=DIR  COM n es DIR/COMn (un enlace a cualquier dispositivo serie)
  QOV_USB_MANUAL=1  elegir a mano el puerto del programador USB

La herramienta de línea de órdenes para scripts es qovctl.
</translation>
    </message>
    <message>
        <source>qovprog: unknown argument &apos;%1&apos;
Usage: qovprog [DEBUG]
Try &apos;qovprog --help&apos; for more.
</source>
        <translation>qovprog: argumento desconocido &apos;%1&apos;
Uso: qovprog [DEBUG]
Pruebe &apos;qovprog --help&apos; para más información.
</translation>
    </message>
</context>
<context>
    <name>DebugLog</name>
    <message>
        <source>Cannot create the debug log %1 in the folder %2: %3</source>
        <translation>No se puede crear la traza de depuración %1 en la carpeta %2: %3</translation>
    </message>
    <message>
        <source>Cannot replace the link %1</source>
        <translation>No se puede reemplazar el enlace %1</translation>
    </message>
</context>
<context>
    <name>DebugToolsMenu</name>
    <message>
        <source>Enable COM</source>
        <translation>Activar COM</translation>
    </message>
    <message>
        <source>Get XOK</source>
        <translation>Pedir XOK</translation>
    </message>
    <message>
        <source>Check QOV</source>
        <translation>Comprobar QOV</translation>
    </message>
    <message>
        <source>Disable COM</source>
        <translation>Desactivar COM</translation>
    </message>
    <message>
        <source>GetXOK Returned: </source>
        <translation>GetXOK devolvió: </translation>
    </message>
    <message>
        <source>CheckQOV Returned: </source>
        <translation>CheckQOV devolvió: </translation>
    </message>
    <message>
        <source>Tools &gt; Debug Tools &gt; Enable COM holds it; choose Disable COM there to free it.</source>
        <translation>Herramientas &gt; Herramientas de depuración &gt; Activar COM lo tiene abierto; elija Desactivar COM allí para liberarlo.</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>USB Programmer Cable not found</source>
        <translation>No se encontró el cable programador USB</translation>
    </message>
    <message>
        <source>Unable to open COM %1</source>
        <translation>No se puede abrir COM %1</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>QOV (v2.5) is setup for Type &apos;A&apos; Programmer (Serial), remove jumper on back of QOV - Contact us for help.</source>
        <translation>El QOV (v2.5) está configurado para el programador tipo &apos;A&apos; (serie): quite el puente de la parte trasera del QOV - contacte con nosotros si necesita ayuda.</translation>
    </message>
    <message>
        <source>QOV (v2.5) is setup for Type &apos;B&apos; Programmer (USB), place jumper on back of QOV - Contact us for help.</source>
        <translation>El QOV (v2.5) está configurado para el programador tipo &apos;B&apos; (USB): ponga el puente en la parte trasera del QOV - contacte con nosotros si necesita ayuda.</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>No coinciden los tipos</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>the stored preferences cannot be used</source>
        <translation>las preferencias guardadas no se pueden usar</translation>
    </message>
    <message>
        <source>the check writes nothing</source>
        <translation>la comprobación no escribe nada</translation>
    </message>
    <message>
        <source>To see that the board keeps what it is sent: qovctl write PROFILE, then qovctl verify PROFILE</source>
        <translation>Para ver que la placa guarda lo que se le envía: qovctl write PERFIL, después qovctl verify PERFIL</translation>
    </message>
    <message>
        <source>To see that the board keeps what it is sent: Write All, then Read Values (the fields come back as written)</source>
        <translation>Para ver que la placa guarda lo que se le envía: &quot;Escribir todo&quot;, después &quot;Leer valores&quot; (los campos vuelven tal como se escribieron)</translation>
    </message>
    <message>
        <source>%1. %2: not tried (%3)</source>
        <translation>%1. %2: no realizado (%3)</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <extracomment>a step&apos;s line, then what to do to learn what the step could not</extracomment>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>%1. %2: OK - %3</source>
        <extracomment>number, step name, what was found</extracomment>
        <translation>%1. %2: OK - %3</translation>
    </message>
    <message>
        <source>%1. %2: FAILED - %3. Fix: %4</source>
        <translation>%1. %2: FALLO - %3. Solución: %4</translation>
    </message>
    <message>
        <source>%1. %2: FAILED - %3</source>
        <translation>%1. %2: FALLO - %3</translation>
    </message>
    <message>
        <source>%1. %2: not tried - %3</source>
        <translation>%1. %2: no realizado - %3</translation>
    </message>
    <message>
        <source>not tried: %1</source>
        <translation>no realizado: %1</translation>
    </message>
</context>
<context>
    <name>DoctorBoardChecks</name>
    <message>
        <source>Check the cable to the QOV. Outside the Xbox the programmer powers it: check the programmer type (--programmer serial|usb) or try --force-power; installed in the Xbox, switch the Xbox on and use --self-powered</source>
        <translation>Compruebe el cable al QOV. Fuera de la Xbox lo alimenta el programador: compruebe el tipo de programador (--programmer serial|usb) o pruebe --force-power; si está instalado en la Xbox, encienda la Xbox y use --self-powered</translation>
    </message>
    <message>
        <source>Check the cable to the QOV. Outside the Xbox the programmer powers it: check Settings &gt; Programmer Type or try Settings &gt; &quot;Force QOV Programmer To Provide Power To QOV&quot;; installed in the Xbox, switch the Xbox on and choose Settings &gt; &quot;QOV Is Installed In Xbox (self powered)&quot;</source>
        <translation>Compruebe el cable al QOV. Fuera de la Xbox lo alimenta el programador: compruebe Configuración &gt; Tipo de programador o pruebe Configuración &gt; &quot;Alimentar siempre el QOV desde el programador&quot;; si está instalado en la Xbox, encienda la Xbox y elija Configuración &gt; &quot;El QOV está instalado en la Xbox (alimentación propia)&quot;</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (qovctl ports lists the serial ports) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Compruebe que el puerto es el del programador (qovctl ports lista los puertos serie) y que la placa es un QOV; la línea va a 2400 baudios</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (Settings &gt; Com Port) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Compruebe que el puerto es el del programador (Configuración &gt; Puerto COM) y que la placa es un QOV; la línea va a 2400 baudios</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and its power to the QOV (--programmer serial|usb, or try --force-power), then run qovctl doctor again; if it stays late, save a trace with --debug-log FILE and contact us</source>
        <translation>Compruebe el cable del programador y la alimentación que da al QOV (--programmer serial|usb, o pruebe --force-power) y vuelva a ejecutar qovctl doctor; si el saludo sigue llegando tarde, guarde una traza con --debug-log ARCHIVO y contacte con nosotros</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and its power to the QOV (Settings &gt; Programmer Type, or try Settings &gt; &quot;Force QOV Programmer To Provide Power To QOV&quot;), then choose Run Again; if it stays late, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Compruebe el cable del programador y la alimentación que da al QOV (Configuración &gt; Tipo de programador, o pruebe Configuración &gt; &quot;Alimentar siempre el QOV desde el programador&quot;) y elija después &quot;Repetir&quot;; si el saludo sigue llegando tarde, inicie qovprog DEBUG para guardar una traza y contacte con nosotros</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and run qovctl doctor again; if it stays, save a trace with --debug-log FILE and contact us</source>
        <translation>Desenchufe el programador, vuelva a enchufarlo y ejecute de nuevo qovctl doctor; si el fallo sigue, guarde una traza con --debug-log ARCHIVO y contacte con nosotros</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and choose Run Again; if it stays, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Desenchufe el programador, vuelva a enchufarlo y elija &quot;Repetir&quot;; si el fallo sigue, inicie qovprog DEBUG para guardar una traza y contacte con nosotros</translation>
    </message>
    <message>
        <source>Connect the programmer straight to the computer (no hub, no network or Bluetooth serial link in between) and check its cable, then run qovctl doctor again; if the answers stay late, save a trace with --debug-log FILE and contact us</source>
        <translation>Conecte el programador directamente al ordenador (sin hub ni enlace serie por red o Bluetooth de por medio) y compruebe su cable; después vuelva a ejecutar qovctl doctor; si las respuestas siguen llegando tarde, guarde una traza con --debug-log ARCHIVO y contacte con nosotros</translation>
    </message>
    <message>
        <source>Connect the programmer straight to the computer (no hub, no network or Bluetooth serial link in between) and check its cable, then choose Run Again; if the answers stay late, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Conecte el programador directamente al ordenador (sin hub ni enlace serie por red o Bluetooth de por medio) y compruebe su cable; después elija &quot;Repetir&quot;; si las respuestas siguen llegando tarde, inicie qovprog DEBUG para guardar una traza y contacte con nosotros</translation>
    </message>
    <message>
        <source>If no program uses the port, remove the lock file %1 (it names no process)</source>
        <translation>Si ningún programa usa el puerto, borre el archivo de bloqueo %1 (no indica ningún proceso)</translation>
    </message>
    <message>
        <source>the port did not open</source>
        <translation>el puerto no se abrió</translation>
    </message>
    <message>
        <source>opened %1 and cycled the power line (RTS)</source>
        <translation>se abrió %1 y se reinició la línea de alimentación (RTS)</translation>
    </message>
    <message>
        <source>the port</source>
        <translation>el puerto</translation>
    </message>
    <message>
        <source>no board answered</source>
        <translation>no respondió ninguna placa</translation>
    </message>
    <message>
        <source>location %1 reads %2</source>
        <translation>la posición %1 contiene %2</translation>
    </message>
    <message>
        <source>location %1 answered %2 ms after it was asked, later than the 200 ms the program waits</source>
        <translation>la posición %1 respondió %2 ms después de la pregunta, más tarde que los 200 ms que espera el programa</translation>
    </message>
    <message>
        <source>location %1 answered with extra bytes</source>
        <translation>la posición %1 respondió con bytes de más</translation>
    </message>
    <message>
        <source>no answer when reading location %1</source>
        <translation>sin respuesta al leer la posición %1</translation>
    </message>
    <message>
        <source>lost the connection to the programmer: %1</source>
        <translation>se perdió la conexión con el programador: %1</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and plug, then run qovctl doctor again</source>
        <translation>Compruebe el cable y el conector del programador y vuelva a ejecutar qovctl doctor</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and plug, then choose Run Again</source>
        <translation>Compruebe el cable y el conector del programador y elija después &quot;Repetir&quot;</translation>
    </message>
    <message>
        <source>the connection was lost</source>
        <translation>se perdió la conexión</translation>
    </message>
    <message>
        <source>the board greeted &quot;XOK&quot; after the power cycle</source>
        <translation>la placa saludó con &quot;XOK&quot; tras reiniciar la alimentación</translation>
    </message>
    <message>
        <source>the board is set up for the other programmer</source>
        <translation>la placa está configurada para el otro programador</translation>
    </message>
    <message>
        <source>the board sent &quot;%1&quot; (%2): not a QOV, or the wrong speed</source>
        <translation>la placa envió &quot;%1&quot; (%2): no es un QOV, o la velocidad es incorrecta</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (qovctl ports) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Compruebe que el puerto es el del programador (qovctl ports) y que la placa es un QOV; la línea va a 2400 baudios</translation>
    </message>
    <message>
        <source>the greeting was not a QOV&apos;s</source>
        <translation>el saludo no era el de un QOV</translation>
    </message>
    <message>
        <source>no greeting, as a board powered by the Xbox need not send one (--self-powered)</source>
        <translation>sin saludo, pues una placa alimentada por la Xbox no tiene por qué enviarlo (--self-powered)</translation>
    </message>
    <message>
        <source>the board greeted &quot;XOK&quot; %1 ms after the power cycle, after the program stopped waiting (%2 ms)</source>
        <translation>la placa saludó con &quot;XOK&quot; %1 ms tras reiniciar la alimentación, cuando el programa ya había dejado de esperar (%2 ms)</translation>
    </message>
    <message>
        <source>nothing came in time after the power cycle, then the line carried &quot;%1&quot; (%2): no QOV&apos;s greeting or answer</source>
        <translation>tras reiniciar la alimentación no llegó nada a tiempo, luego la línea trajo &quot;%1&quot; (%2): ni saludo ni respuesta de un QOV</translation>
    </message>
    <message>
        <source>the line carries bytes that are no QOV&apos;s</source>
        <translation>la línea lleva bytes que no son de un QOV</translation>
    </message>
    <message>
        <source>no greeting after the power cycle, but the board answers: it has power of its own (installed in the Xbox)</source>
        <translation>sin saludo tras reiniciar la alimentación, pero la placa responde: tiene alimentación propia (instalada en la Xbox)</translation>
    </message>
    <message>
        <source>Use --self-powered (in the window: Settings, &quot;QOV Is Installed In Xbox (self powered)&quot;)</source>
        <translation>Use --self-powered (en la ventana: Configuración, &quot;El QOV está instalado en la Xbox (alimentación propia)&quot;)</translation>
    </message>
    <message>
        <source>Choose Settings &gt; &quot;QOV Is Installed In Xbox (self powered)&quot;</source>
        <translation>Elija Configuración &gt; &quot;El QOV está instalado en la Xbox (alimentación propia)&quot;</translation>
    </message>
    <message>
        <source>no greeting after the power cycle; the version query was answered but one read was not: no QOV answers so</source>
        <translation>sin saludo tras reiniciar la alimentación; la consulta de versión tuvo respuesta pero una lectura no: ningún QOV responde así</translation>
    </message>
    <message>
        <source>no greeting after the power cycle, and what answered is no QOV: &quot;%1&quot; (%2)</source>
        <translation>sin saludo tras reiniciar la alimentación, y lo que respondió no es un QOV: &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>nothing came after the power cycle: the QOV has no power, or no QOV is connected</source>
        <translation>tras reiniciar la alimentación no llegó nada: el QOV no tiene alimentación o no hay ningún QOV conectado</translation>
    </message>
    <message>
        <source>the answer to the version query came %1 ms after it was asked, later than the 300 ms the program waits</source>
        <translation>la respuesta a la consulta de versión llegó %1 ms después de la pregunta, más tarde que los 300 ms que espera el programa</translation>
    </message>
    <message>
        <source>no answer to the version query</source>
        <translation>sin respuesta a la consulta de versión</translation>
    </message>
    <message>
        <source>Switch the Xbox on: the QOV installed in it has no power while the console is off; then run qovctl doctor again</source>
        <translation>Encienda la Xbox: el QOV instalado en ella no tiene alimentación mientras la consola está apagada; después vuelva a ejecutar qovctl doctor</translation>
    </message>
    <message>
        <source>Switch the Xbox on: the QOV installed in it has no power while the console is off; then choose Run Again</source>
        <translation>Encienda la Xbox: el QOV instalado en ella no tiene alimentación mientras la consola está apagada; después elija &quot;Repetir&quot;</translation>
    </message>
    <message>
        <source>the answer &quot;%1&quot; (%2) is no version number; Read Values and Write All refuse such a board</source>
        <translation>la respuesta &quot;%1&quot; (%2) no es un número de versión; &quot;Leer valores&quot; y &quot;Escribir todo&quot; rechazan una placa así</translation>
    </message>
    <message>
        <source>Check that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Compruebe que la placa es un QOV; la línea va a 2400 baudios</translation>
    </message>
    <message>
        <source>the answer &quot;%1&quot; (%2) starts like a version but is not one: it has control characters or is too long</source>
        <translation>la respuesta &quot;%1&quot; (%2) empieza como una versión pero no lo es: tiene caracteres de control o es demasiado larga</translation>
    </message>
    <message>
        <source>Check the cable and that nothing else talks on the line (the line runs at 2400 baud), then run qovctl doctor again</source>
        <translation>Compruebe el cable y que nada más transmita por la línea (la línea va a 2400 baudios), y vuelva a ejecutar qovctl doctor</translation>
    </message>
    <message>
        <source>Check the cable and that nothing else talks on the line (the line runs at 2400 baud), then choose Run Again</source>
        <translation>Compruebe el cable y que nada más transmita por la línea (la línea va a 2400 baudios), y elija después &quot;Repetir&quot;</translation>
    </message>
    <message>
        <source>version %1: &quot;Turn on xbox by Eject&quot; is available</source>
        <translation>versión %1: &quot;Encender la Xbox con Eject&quot; está disponible</translation>
    </message>
    <message>
        <source>version %1: &quot;Turn on xbox by Eject&quot; needs 2.5 or later; everything else works</source>
        <translation>versión %1: &quot;Encender la Xbox con Eject&quot; necesita la 2.5 o posterior; todo lo demás funciona</translation>
    </message>
    <message>
        <source>the board greets with its set-up pattern for the other programmer type</source>
        <translation>la placa saluda con su patrón de configuración para el otro tipo de programador</translation>
    </message>
</context>
<context>
    <name>DoctorPortChecks</name>
    <message>
        <source>from the options</source>
        <translation>de las opciones</translation>
    </message>
    <message>
        <source>from the stored preferences</source>
        <translation>de las preferencias guardadas</translation>
    </message>
    <message>
        <source>the default</source>
        <extracomment>where the COM port number came from: the default number</extracomment>
        <translation>valor predeterminado</translation>
    </message>
    <message>
        <source>nothing to check for the built-in simulated board</source>
        <translation>nada que comprobar en la placa simulada integrada</translation>
    </message>
    <message>
        <source>not checked on this system</source>
        <translation>no se comprueba en este sistema</translation>
    </message>
    <message>
        <source>no port to open</source>
        <translation>no hay puerto que abrir</translation>
    </message>
    <message>
        <source>the device is not a serial port</source>
        <translation>el dispositivo no es un puerto serie</translation>
    </message>
    <message>
        <source>the device is not there</source>
        <translation>el dispositivo no existe</translation>
    </message>
    <message>
        <source>no port to check</source>
        <translation>no hay puerto que comprobar</translation>
    </message>
    <message>
        <source>this user cannot open the port</source>
        <translation>este usuario no puede abrir el puerto</translation>
    </message>
    <message>
        <source>the port cannot be locked under its path</source>
        <translation>el puerto no se puede bloquear con su ruta</translation>
    </message>
    <message>
        <source>another program holds the port</source>
        <translation>otro programa ocupa el puerto</translation>
    </message>
    <message>
        <source>serial programmer (RS232)</source>
        <translation>programador serie (RS232)</translation>
    </message>
    <message>
        <source>USB programmer</source>
        <translation>programador USB</translation>
    </message>
    <message>
        <source>the built-in simulated board, as a %1</source>
        <translation>la placa simulada integrada, como %1</translation>
    </message>
    <message>
        <source>; it is a USB serial adapter %1, not the USB programmer (%2)</source>
        <translation>; es un adaptador USB-serie %1, no el programador USB (%2)</translation>
    </message>
    <message>
        <source>the device %1 (--device), driven as for the %2%3</source>
        <translation>el dispositivo %1 (--device), tratado como %2%3</translation>
    </message>
    <message>
        <source>USB programmer (port chosen by hand)</source>
        <translation>programador USB (puerto elegido a mano)</translation>
    </message>
    <message>
        <source>%1 on COM %2 (%3): %4%5</source>
        <translation>%1 en COM %2 (%3): %4%5</translation>
    </message>
    <message>
        <source>USB automatic: no USB programmer (%1) found</source>
        <translation>USB automático: no se encontró ningún programador USB (%1)</translation>
    </message>
    <message>
        <source>Plug in the QOV&apos;s USB programmer</source>
        <translation>Enchufe el programador USB del QOV</translation>
    </message>
    <message>
        <source>; not the programmer: %1</source>
        <translation>; no es el programador: %1</translation>
    </message>
    <message>
        <source>; if that adapter is one, choose its port: --port N (COM N is /dev/ttyUSB&lt;N-1&gt;)</source>
        <translation>; si ese adaptador es el programador, elija su puerto: --port N (COM N es /dev/ttyUSB&lt;N-1&gt;)</translation>
    </message>
    <message>
        <source>; if that adapter is one, choose its port: Settings &gt; Com Port (COM N is /dev/ttyUSB&lt;N-1&gt;)</source>
        <translation>; si ese adaptador es el programador, elija su puerto: Configuración &gt; Puerto COM (COM N es /dev/ttyUSB&lt;N-1&gt;)</translation>
    </message>
    <message>
        <source>; if that adapter is one, name it: --device %1 (--port cannot reach a ttyACM device)</source>
        <translation>; si ese adaptador es el programador, indíquelo: --device %1 (--port no llega a un dispositivo ttyACM)</translation>
    </message>
    <message>
        <source> serial %1</source>
        <translation> n.º de serie %1</translation>
    </message>
    <message>
        <source> (used)</source>
        <translation> (en uso)</translation>
    </message>
    <message>
        <source>USB automatic: %1; COM %2: %3</source>
        <translation>USB automático: %1; COM %2: %3</translation>
    </message>
    <message>
        <source>the programmer was found</source>
        <translation>se encontró el programador</translation>
    </message>
    <message numerus="yes">
        <source>programmer(s) found: %1</source>
        <translation>
            <numerusform>programador encontrado: %1</numerusform>
            <numerusform>programadores encontrados: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is there</source>
        <translation>%1 existe</translation>
    </message>
    <message>
        <source>%1 is not a device: it is not a serial port</source>
        <translation>%1 no es un dispositivo: no es un puerto serie</translation>
    </message>
    <message>
        <source>%1 is a device but not a terminal: it is not a serial port</source>
        <translation>%1 es un dispositivo pero no un terminal: no es un puerto serie</translation>
    </message>
    <message>
        <source>Choose a serial port (qovctl ports lists them)</source>
        <translation>Elija un puerto serie (qovctl ports los lista)</translation>
    </message>
    <message>
        <source>Choose a serial port (Settings &gt; Com Port)</source>
        <translation>Elija un puerto serie (Configuración &gt; Puerto COM)</translation>
    </message>
    <message>
        <source>a CP210x (%1%2) is on USB without a serial device</source>
        <translation>hay un CP210x (%1%2) en el USB sin dispositivo serie</translation>
    </message>
    <message>
        <source>, serial %1</source>
        <translation>, n.º de serie %1</translation>
    </message>
    <message>
        <source>no port to look for</source>
        <translation>no hay puerto que buscar</translation>
    </message>
    <message>
        <source>%1 is not there</source>
        <translation>%1 no existe</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM number (qovctl ports lists the serial ports)</source>
        <translation>Enchufe el programador y compruebe el número COM (qovctl ports lista los puertos serie)</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM number (Settings &gt; Com Port)</source>
        <translation>Enchufe el programador y compruebe el número COM (Configuración &gt; Puerto COM)</translation>
    </message>
    <message>
        <source>%1: the folder %2, which QOV_PORT_DIR names, is not there</source>
        <translation>%1: la carpeta %2, que indica QOV_PORT_DIR, no existe</translation>
    </message>
    <message>
        <source>Create the folder %1 with a link COMn to each port in it, or unset QOV_PORT_DIR to use the system&apos;s ports</source>
        <translation>Cree la carpeta %1 con un enlace COMn a cada puerto dentro, o quite QOV_PORT_DIR para usar los puertos del sistema</translation>
    </message>
    <message>
        <source>Plug in the programmer; no serial port is there now</source>
        <translation>Enchufe el programador; ahora no hay ningún puerto serie</translation>
    </message>
    <message>
        <source>Plug in the programmer, or name a serial port that is there: </source>
        <translation>Enchufe el programador o indique un puerto serie que exista: </translation>
    </message>
    <message>
        <source>; %1 cannot be reached with --port: use --device %1</source>
        <translation>; %1 no se alcanza con --port: use --device %1</translation>
    </message>
    <message>
        <source>Load the cp210x driver (sudo modprobe cp210x), then plug the programmer in again</source>
        <translation>Cargue el controlador cp210x (sudo modprobe cp210x) y vuelva a enchufar el programador</translation>
    </message>
    <message>
        <source>this user can read and write %1</source>
        <translation>este usuario puede leer y escribir %1</translation>
    </message>
    <message>
        <source>the lock file %1%2 does not count: %3</source>
        <translation>el archivo de bloqueo %1%2 no cuenta: %3</translation>
    </message>
    <message>
        <source> (PID %1)</source>
        <translation> (PID %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <extracomment>more programs that hold the port</extracomment>
        <translation>
            <numerusform>%n más</numerusform>
            <numerusform>%n más</numerusform>
        </translation>
    </message>
    <message>
        <source>a program</source>
        <translation>un programa</translation>
    </message>
    <message>
        <source> through the lock file %1</source>
        <translation> mediante el archivo de bloqueo %1</translation>
    </message>
    <message>
        <source>Close %1 (or: kill %2), then run qovctl doctor again</source>
        <translation>Cierre %1 (o: kill %2) y vuelva a ejecutar qovctl doctor</translation>
    </message>
    <message>
        <source>Close %1 (or: kill %2), then choose Run Again</source>
        <translation>Cierre %1 (o: kill %2) y elija después &quot;Repetir&quot;</translation>
    </message>
    <message>
        <source>that program</source>
        <translation>ese programa</translation>
    </message>
    <message>
        <source>Close the program that holds it</source>
        <translation>Cierre el programa que lo ocupa</translation>
    </message>
    <message>
        <source>%1 is held by %2</source>
        <translation>%1 está ocupado por %2</translation>
    </message>
    <message>
        <source>ModemManager is running and not told to leave the programmer alone (no udev rule for %1)</source>
        <translation>ModemManager está en marcha y nada le dice que deje en paz al programador (no hay regla udev para %1)</translation>
    </message>
    <message>
        <source>Install the qov-tools package, which brings the programmer&apos;s udev rule (60-qov-programmer.rules)</source>
        <translation>Instale el paquete qov-tools, que trae la regla udev del programador (60-qov-programmer.rules)</translation>
    </message>
    <message>
        <source>Install the udev rule: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload</source>
        <translation>Instale la regla udev: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload</translation>
    </message>
    <message>
        <source> (or: sudo systemctl stop ModemManager)</source>
        <translation> (o: sudo systemctl stop ModemManager)</translation>
    </message>
    <message>
        <source>no other program holds %1</source>
        <translation>ningún otro programa ocupa %1</translation>
    </message>
    <message>
        <source>no program of yours holds %1; programs of other users cannot be seen without root</source>
        <translation>ningún programa suyo ocupa %1; los programas de otros usuarios no se ven sin root</translation>
    </message>
</context>
<context>
    <name>DoctorStep</name>
    <message>
        <source>Which port</source>
        <extracomment>the doctor&apos;s steps, each named at the start of its line</extracomment>
        <translation>Qué puerto</translation>
    </message>
    <message>
        <source>Device node</source>
        <extracomment>the port&apos;s file under /dev is there</extracomment>
        <translation>Archivo de dispositivo</translation>
    </message>
    <message>
        <source>Access</source>
        <extracomment>this user may read and write the port</extracomment>
        <translation>Acceso</translation>
    </message>
    <message>
        <source>Not in use</source>
        <extracomment>no other program holds the port</extracomment>
        <translation>Libre</translation>
    </message>
    <message>
        <source>Open and power cycle</source>
        <translation>Abrir y reiniciar la alimentación</translation>
    </message>
    <message>
        <source>Greeting</source>
        <extracomment>the bytes the board sends when its power returns</extracomment>
        <translation>Saludo</translation>
    </message>
    <message>
        <source>Firmware</source>
        <extracomment>the board&apos;s firmware version</extracomment>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>One read</source>
        <extracomment>reading one setting from the board</extracomment>
        <translation>Una lectura</translation>
    </message>
    <message>
        <source>Writing</source>
        <extracomment>writing settings to the board, which the check never tries</extracomment>
        <translation>Escritura</translation>
    </message>
</context>
<context>
    <name>FieldRules</name>
    <message>
        <source>Button: Unknown</source>
        <translation>Botón: desconocido</translation>
    </message>
    <message>
        <source>Button: </source>
        <translation>Botón: </translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Save</source>
        <extracomment>The caption of the box asking to replace a file when saving a profile</extracomment>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ya existe.
¿Desea reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>LearnReport</name>
    <message>
        <source>Code: </source>
        <extracomment>An infrared code received in learn mode</extracomment>
        <translation>Código: </translation>
    </message>
</context>
<context>
    <name>LearnSession</name>
    <message numerus="yes">
        <source>the QOV sent %n byte(s) that make no whole code: %2%3 (a code is 4C and three bytes)</source>
        <extracomment>%2 is the bytes in hex, %3 empty or &quot; ...&quot; when there were more</extracomment>
        <translation>
            <numerusform>el QOV envió %n byte que no forma un código completo: %2%3 (un código es 4C y tres bytes)</numerusform>
            <numerusform>el QOV envió %n bytes que no forman un código completo: %2%3 (un código es 4C y tres bytes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LearnWindow</name>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminar</translation>
    </message>
    <message>
        <source>Learn Mode</source>
        <translation>Modo de aprendizaje</translation>
    </message>
    <message>
        <source>Please press ANY button on the remote while pointing at the QOV, then press OK</source>
        <translation>Pulse CUALQUIER botón del mando apuntando al QOV y después pulse Aceptar</translation>
    </message>
    <message>
        <source>Learn mode stopped: the programmer port %1 stopped working.<byte value="xd"/>
<byte value="xd"/>
Error: %2<byte value="xd"/>
%3</source>
        <translation>Modo de aprendizaje detenido: el puerto del programador %1 ha dejado de funcionar.<byte value="xd"/>
<byte value="xd"/>
Error: %2<byte value="xd"/>
%3</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Herramientas</translation>
    </message>
    <message>
        <source>&amp;QOV Version</source>
        <translation>Versión del &amp;QOV</translation>
    </message>
    <message>
        <source>&amp;Learn Mode</source>
        <translation>Modo de &amp;aprendizaje</translation>
    </message>
    <message>
        <source>Show List of Codes</source>
        <translation>Mostrar la lista de códigos</translation>
    </message>
    <message>
        <source>Clear Values</source>
        <translation>Borrar los valores</translation>
    </message>
    <message>
        <source>Load Default Values</source>
        <translation>Cargar los valores predeterminados</translation>
    </message>
    <message>
        <source>Debug Tools</source>
        <translation>Herramientas de depuración</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>Comprobar la conexión</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation>&amp;Información</translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation>Sitio &amp;web</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Acerca &amp;de</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Debug Enabled</source>
        <translation>Depuración activada</translation>
    </message>
    <message>
        <source>The program runs with the default settings. Choices made in the Settings menu apply until the program ends; they will not be kept.</source>
        <translation>El programa funciona con la configuración predeterminada. Lo que elija en el menú Configuración vale hasta que termine el programa; no se guardará.</translation>
    </message>
    <message>
        <source>Dont forget to set the proper programmer type (and port number if using serial programmer) in the settings menu.</source>
        <translation>No olvide elegir el tipo de programador correcto (y el número de puerto si usa el programador serie) en el menú Configuración.</translation>
    </message>
    <message>
        <source>First Time Information</source>
        <translation>Información para el primer uso</translation>
    </message>
    <message>
        <source>The values shown have not been written to the board or saved to a profile.</source>
        <translation>Los valores mostrados no se han escrito en la placa ni guardado en un perfil.</translation>
    </message>
    <message>
        <source>Close and discard them?</source>
        <translation>¿Cerrar y descartarlos?</translation>
    </message>
    <message>
        <source>QOV Version: </source>
        <translation>Versión del QOV: </translation>
    </message>
    <message>
        <source>Programming software for the QOV infrared receiver board</source>
        <translation>Software de programación para la placa receptora de infrarrojos QOV</translation>
    </message>
    <message>
        <source>Please visit %1 for more information</source>
        <translation>Visite %1 para obtener más información</translation>
    </message>
    <message>
        <source>Prog Type:</source>
        <translation>Tipo de prog.:</translation>
    </message>
    <message>
        <source>Main Settings</source>
        <translation>Ajustes principales</translation>
    </message>
    <message>
        <source>Allow Power ON</source>
        <translation>Permitir encender</translation>
    </message>
    <message>
        <source>Allow Power OFF</source>
        <translation>Permitir apagar</translation>
    </message>
    <message>
        <source>Allow Eject Tray</source>
        <translation>Permitir expulsar la bandeja</translation>
    </message>
    <message>
        <source>Turn on xbox by Eject (fw 2.5+)</source>
        <translation>Encender la Xbox con Eject (fw 2.5+)</translation>
    </message>
    <message>
        <source>Power Button Push Delay</source>
        <extracomment>The console&apos;s power button, held for the time below</extracomment>
        <translation>Duración de pulsación del botón de encendido</translation>
    </message>
    <message>
        <source>Mod On:</source>
        <translation>Mod activo:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Mod Off:</source>
        <translation>Mod inactivo:</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled</source>
        <translation>Encender con el mod activado</translation>
    </message>
    <message>
        <source>Code:</source>
        <extracomment>The infrared code a remote button sends</extracomment>
        <translation>Código:</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled</source>
        <translation>Encender con el mod desactivado</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Apagar</translation>
    </message>
    <message>
        <source>No. Btn Presses:</source>
        <translation>N.º de pulsaciones:</translation>
    </message>
    <message>
        <source>Eject Tray</source>
        <translation>Expulsar la bandeja</translation>
    </message>
    <message>
        <source>Read Values</source>
        <translation>Leer valores</translation>
    </message>
    <message>
        <source>Write All</source>
        <translation>Escribir todo</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>Install the qov-tools package, which brings the programmer&apos;s udev rule (60-qov-programmer.rules)</source>
        <translation>Instale el paquete qov-tools, que trae la regla udev del programador (60-qov-programmer.rules)</translation>
    </message>
    <message>
        <source>Install the udev rule: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload, then plug the programmer in again</source>
        <translation>Instale la regla udev: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload, y vuelva a enchufar el programador</translation>
    </message>
    <message>
        <source>this user cannot read and write %1, which belongs to the group %2</source>
        <translation>este usuario no puede leer ni escribir %1, que pertenece al grupo %2</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>(desconocido)</translation>
    </message>
    <message>
        <source> and lets no group in</source>
        <translation> y no deja entrar a ningún grupo</translation>
    </message>
    <message>
        <source>; you are in it</source>
        <translation>; usted está en él</translation>
    </message>
    <message>
        <source>; you were added to it after this login began</source>
        <translation>; se le añadió después de iniciar esta sesión</translation>
    </message>
    <message>
        <source>; you are not in it</source>
        <translation>; usted no está en él</translation>
    </message>
    <message>
        <source>; the programmer&apos;s udev rule (60-qov-programmer.rules) is not installed</source>
        <translation>; la regla udev del programador (60-qov-programmer.rules) no está instalada</translation>
    </message>
    <message>
        <source>; the programmer&apos;s udev rule is installed (%1)</source>
        <translation>; la regla udev del programador está instalada (%1)</translation>
    </message>
    <message>
        <source>Log out and in again</source>
        <translation>Cierre la sesión y vuelva a entrar</translation>
    </message>
    <message>
        <source>Give the device to the dialout group (sudo chgrp dialout %1 &amp;&amp; sudo chmod g+rw %1), then sudo usermod -aG dialout $USER and log in again</source>
        <translation>Dé el dispositivo al grupo dialout (sudo chgrp dialout %1 &amp;&amp; sudo chmod g+rw %1), después sudo usermod -aG dialout $USER y vuelva a iniciar sesión</translation>
    </message>
    <message>
        <source>sudo usermod -aG %1 $USER, then log out and in again</source>
        <translation>sudo usermod -aG %1 $USER, después cierre la sesión y vuelva a entrar</translation>
    </message>
    <message>
        <source>Check the device&apos;s permissions with ls -l %1</source>
        <translation>Compruebe los permisos del dispositivo con ls -l %1</translation>
    </message>
    <message>
        <source>the path of the device %1 is too long for its serial lock file, whose name is made from the path</source>
        <translation>la ruta del dispositivo %1 es demasiado larga para su archivo de bloqueo serie, cuyo nombre se forma a partir de la ruta</translation>
    </message>
    <message>
        <source>Use a shorter path, such as a link to the device in a short folder</source>
        <translation>Use una ruta más corta, como un enlace al dispositivo en una carpeta corta</translation>
    </message>
    <message>
        <source>brltty (for braille displays) has claimed it: without a braille display, remove it (sudo apt remove brltty), then plug the programmer in again</source>
        <translation>brltty (para pantallas braille) se ha quedado con el dispositivo: si no tiene una pantalla braille, desinstale brltty (sudo apt remove brltty) y vuelva a enchufar el programador</translation>
    </message>
    <message>
        <source>brltty (for braille displays) may have claimed it: without a braille display, remove it (sudo apt remove brltty)</source>
        <translation>brltty (para pantallas braille) puede haberse quedado con el dispositivo: si no tiene una pantalla braille, desinstale brltty (sudo apt remove brltty)</translation>
    </message>
    <message>
        <source>the device %1 is not there</source>
        <translation>el dispositivo %1 no existe</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM port (qovctl ports lists the serial ports)</source>
        <translation>Enchufe el programador y compruebe el puerto COM (qovctl ports lista los puertos serie)</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM port (Settings &gt; Com Port)</source>
        <translation>Enchufe el programador y compruebe el puerto COM (Configuración &gt; Puerto COM)</translation>
    </message>
    <message>
        <source>%1 is not a serial port</source>
        <translation>%1 no es un puerto serie</translation>
    </message>
    <message>
        <source>Choose a serial port (qovctl ports lists the serial ports)</source>
        <translation>Elija un puerto serie (qovctl ports lista los puertos serie)</translation>
    </message>
    <message>
        <source>Choose a serial port (Settings &gt; Com Port)</source>
        <translation>Elija un puerto serie (Configuración &gt; Puerto COM)</translation>
    </message>
    <message>
        <source>no hardware answers behind %1</source>
        <translation>ningún hardware responde detrás de %1</translation>
    </message>
    <message>
        <source>Pick a port that is there: qovctl ports lists the serial ports</source>
        <translation>Elija un puerto que exista: qovctl ports lista los puertos serie</translation>
    </message>
    <message>
        <source>Pick a port that is there: Settings &gt; Com Port</source>
        <translation>Elija un puerto que exista: Configuración &gt; Puerto COM</translation>
    </message>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 está en uso por otro programa</translation>
    </message>
    <message>
        <source> (ModemManager may be probing it)</source>
        <translation> (puede que ModemManager lo esté sondeando)</translation>
    </message>
    <message>
        <source>Find the program that holds it (sudo fuser -v %1), close it and try again</source>
        <translation>Busque el programa que lo ocupa (sudo fuser -v %1), ciérrelo y vuelva a intentarlo</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and try again; if it stays, save a trace with the debug log and contact us</source>
        <translation>Desenchufe el programador, vuelva a enchufarlo e inténtelo de nuevo; si el fallo sigue, guarde una traza de depuración y contacte con nosotros</translation>
    </message>
    <message>
        <source>%1 (PID %2)</source>
        <translation>%1 (PID %2)</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>un programa</translation>
    </message>
    <message>
        <source>Another program has the port open too: %1</source>
        <translation>Otro programa también tiene abierto el puerto: %1</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>The port %1 is in use by PID %2%3 (lock file %4). Close that program and try again.</source>
        <extracomment>%3 is empty or a comma and the program&apos;s name: &quot;PID 4242, minicom&quot;</extracomment>
        <translation>El puerto %1 está en uso por el PID %2%3 (archivo de bloqueo %4). Cierre ese programa e inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>PortListing</name>
    <message>
        <source>No serial ports found.</source>
        <translation>No se encontraron puertos serie.</translation>
    </message>
    <message>
        <source>DEVICE</source>
        <translation>DISPOSITIVO</translation>
    </message>
    <message>
        <source>SERIAL</source>
        <translation>N.º DE SERIE</translation>
    </message>
    <message>
        <source>NOTE</source>
        <translation>NOTA</translation>
    </message>
    <message>
        <source>USB programmer (%1)</source>
        <translation>programador USB (%1)</translation>
    </message>
</context>
<context>
    <name>PreferenceStore</name>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it is not a settings file</source>
        <translation>no es un archivo de configuración</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>the preferences file %1 cannot be read: %2</source>
        <translation>no se puede leer el archivo de preferencias %1: %2</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>es %1, no un archivo normal</translation>
    </message>
</context>
<context>
    <name>Profile</name>
    <message>
        <source>Profile field &quot;%1&quot; must be %2; found %3</source>
        <translation>El campo &quot;%1&quot; del perfil debe ser %2; se encontró %3</translation>
    </message>
    <message>
        <source>Profile is larger than 1 MiB</source>
        <translation>El perfil ocupa más de 1 MiB</translation>
    </message>
    <message>
        <source>Profile is not valid JSON: %1 at line %2, column %3</source>
        <translation>El perfil no es JSON válido: %1 en la línea %2, columna %3</translation>
    </message>
    <message>
        <source>Profile must be a JSON object ({ ... })</source>
        <translation>El perfil debe ser un objeto JSON ({ ... })</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is given more than once</source>
        <translation>El campo &quot;%1&quot; del perfil aparece más de una vez</translation>
    </message>
    <message>
        <source>Profile field &quot;format&quot; must be &quot;%1&quot;; found %2</source>
        <translation>El campo &quot;format&quot; del perfil debe ser &quot;%1&quot;; se encontró %2</translation>
    </message>
    <message>
        <source>Profile field &quot;version&quot; must be %1; found %2</source>
        <translation>El campo &quot;version&quot; del perfil debe ser %1; se encontró %2</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is not a setting (the fields are: %2)</source>
        <translation>El campo &quot;%1&quot; del perfil no es un ajuste (los campos son: %2)</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is missing (%2)</source>
        <translation>Falta el campo &quot;%1&quot; del perfil (%2)</translation>
    </message>
    <message>
        <source>Cannot read profile %1: %2</source>
        <translation>No se puede leer el perfil %1: %2</translation>
    </message>
    <message>
        <source>Profile %1 is larger than 1 MiB</source>
        <translation>El perfil %1 ocupa más de 1 MiB</translation>
    </message>
    <message>
        <source>Cannot read profile %1: it is %2, not a regular file</source>
        <translation>No se puede leer el perfil %1: es %2, no un archivo normal</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>es %1, no un archivo normal</translation>
    </message>
    <message>
        <source>Cannot write profile %1: %2</source>
        <translation>No se puede escribir el perfil %1: %2</translation>
    </message>
    <message>
        <source>QOV settings profile (*.json)</source>
        <translation>Perfil de ajustes del QOV (*.json)</translation>
    </message>
    <message>
        <source>a list</source>
        <translation>una lista</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>un objeto</translation>
    </message>
    <message>
        <source>nothing</source>
        <extracomment>A profile field&apos;s value that is not there: &quot;found nothing&quot;</extracomment>
        <translation>nada</translation>
    </message>
    <message>
        <source>Profile is empty</source>
        <translation>El perfil está vacío</translation>
    </message>
</context>
<context>
    <name>ProgrammerPort</name>
    <message>
        <source>Port already open</source>
        <translation>El puerto ya está abierto</translation>
    </message>
    <message>
        <source>Operation valid only when the port is open</source>
        <translation>Operación válida solo con el puerto abierto</translation>
    </message>
    <message>
        <source>Invalid port number</source>
        <translation>Número de puerto no válido</translation>
    </message>
    <message>
        <source>it could not be opened</source>
        <translation>no se pudo abrir</translation>
    </message>
    <message>
        <source>Error writing to the device %1</source>
        <translation>Error al escribir en el dispositivo %1</translation>
    </message>
    <message>
        <source>Error reading from the device %1</source>
        <translation>Error al leer del dispositivo %1</translation>
    </message>
    <message>
        <source>The device %1 is no longer available</source>
        <translation>El dispositivo %1 ya no está disponible</translation>
    </message>
</context>
<context>
    <name>ProgrammerSelection</name>
    <message>
        <source>QOV Is Installed In Xbox (self powered)</source>
        <translation>El QOV está instalado en la Xbox (alimentación propia)</translation>
    </message>
    <message>
        <source>Force QOV Programmer To Provide Power To QOV</source>
        <translation>Alimentar siempre el QOV desde el programador</translation>
    </message>
    <message>
        <source>Programmer Type</source>
        <translation>Tipo de programador</translation>
    </message>
    <message>
        <source>Serial Programmer (RS232)</source>
        <translation>Programador serie (RS232)</translation>
    </message>
    <message>
        <source>USB Programmer</source>
        <translation>Programador USB</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>Puerto COM</translation>
    </message>
    <message>
        <source>Serial - COM%1</source>
        <translation>Serie - COM%1</translation>
    </message>
    <message>
        <source>USB Auto</source>
        <translation>USB automático</translation>
    </message>
    <message>
        <source>USB Manual - COM%1</source>
        <translation>USB manual - COM%1</translation>
    </message>
    <message>
        <source>Set for this run only: the preferences cannot be saved</source>
        <translation>Solo para esta sesión: no se pueden guardar las preferencias</translation>
    </message>
</context>
<context>
    <name>QovctlOptions</name>
    <message>
        <source>Reads and writes the settings of a QOV infrared receiver board.</source>
        <translation>Lee y escribe los ajustes de una placa receptora de infrarrojos QOV.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Mostrar esta ayuda.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Mostrar la versión del programa.</translation>
    </message>
    <message>
        <source>Programmer cable for this run: serial or usb.</source>
        <translation>Cable programador para esta ejecución: serial o usb.</translation>
    </message>
    <message>
        <source>COM port number N (1-255) for this run.</source>
        <translation>Número de puerto COM N (1-255) para esta ejecución.</translation>
    </message>
    <message>
        <source>Any serial device, bypassing COM numbers and USB discovery.</source>
        <translation>Cualquier dispositivo serie, sin números COM ni búsqueda USB.</translation>
    </message>
    <message>
        <source>The QOV is installed in the Xbox (a missing greeting is no failure).</source>
        <translation>El QOV está instalado en la Xbox (la falta de saludo no es un fallo).</translation>
    </message>
    <message>
        <source>The programmer powers the QOV regardless.</source>
        <translation>El programador alimenta el QOV en cualquier caso.</translation>
    </message>
    <message>
        <source>Write the debug trace to FILE (&apos;-&apos;: standard error).</source>
        <translation>Escribir la traza de depuración en ARCHIVO (&apos;-&apos;: la salida de errores).</translation>
    </message>
    <message>
        <source>Write the debug trace to standard error (the same as --debug-log -).</source>
        <translation>Escribir la traza de depuración en la salida de errores (igual que --debug-log -).</translation>
    </message>
    <message>
        <source>Talk to a built-in simulated QOV instead of a programmer.</source>
        <translation>Hablar con un QOV simulado integrado en lugar de un programador.</translation>
    </message>
    <message>
        <source>Print nothing but errors and the results asked for.</source>
        <translation>No mostrar nada más que los errores y los resultados pedidos.</translation>
    </message>
    <message>
        <source>read, defaults: print a JSON profile; learn: one JSON object per code; write, verify, version, ports, doctor: print JSON.</source>
        <translation>read, defaults: mostrar un perfil JSON; learn: un objeto JSON por código; write, verify, version, ports, doctor: mostrar JSON.</translation>
    </message>
    <message>
        <source>read, defaults: write to FILE instead of the screen (&apos;-&apos;: the screen).</source>
        <translation>read, defaults: escribir en ARCHIVO en lugar de la pantalla (&apos;-&apos;: la pantalla).</translation>
    </message>
    <message>
        <source>write: write the factory defaults.</source>
        <translation>write: escribir los valores de fábrica.</translation>
    </message>
    <message>
        <source>learn: stop after N codes (default 1).</source>
        <translation>learn: parar tras N códigos (por omisión 1).</translation>
    </message>
    <message>
        <source>learn: give up after SECONDS (default %1).</source>
        <translation>learn: desistir tras SEGUNDOS (por omisión %1).</translation>
    </message>
    <message>
        <source>read, write, verify, version, learn, ports, defaults or doctor</source>
        <translation>read, write, verify, version, learn, ports, defaults o doctor</translation>
    </message>
    <message>
        <source>Usage: qovctl [options] &lt;command&gt; [arguments]</source>
        <translation>Uso: qovctl [opciones] &lt;orden&gt; [argumentos]</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no se indicó ninguna orden</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>orden desconocida &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--%1 does not apply to &quot;%2&quot;</source>
        <translation>--%1 no se aplica a &quot;%2&quot;</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot; after &quot;%2&quot;</source>
        <translation>argumento inesperado &quot;%1&quot; tras &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--programmer must be serial or usb</source>
        <translation>--programmer debe ser serial o usb</translation>
    </message>
    <message>
        <source>--port must be a COM port number from %1 to %2</source>
        <translation>--port debe ser un número de puerto COM de %1 a %2</translation>
    </message>
    <message>
        <source>--device needs the path of a serial device</source>
        <translation>--device necesita la ruta de un dispositivo serie</translation>
    </message>
    <message>
        <source>choose only one of --port, --device and --simulate</source>
        <translation>elija solo una de --port, --device y --simulate</translation>
    </message>
    <message>
        <source>--debug-log needs a file name</source>
        <translation>--debug-log necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>choose only one of --verbose and --debug-log</source>
        <translation>elija solo una de --verbose y --debug-log</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>cannot write %1: no such directory, or it is a directory</source>
        <translation>no se puede escribir %1: no existe esa carpeta, o es una carpeta</translation>
    </message>
    <message>
        <source>verify needs a profile file (- for standard input)</source>
        <translation>verify necesita un archivo de perfil (- para la entrada estándar)</translation>
    </message>
    <message>
        <source>write needs either a profile file or --defaults</source>
        <translation>write necesita un archivo de perfil o --defaults</translation>
    </message>
    <message>
        <source>--count must be a whole number from 1 to 1000</source>
        <translation>--count debe ser un número entero de 1 a 1000</translation>
    </message>
    <message>
        <source>--timeout must be a whole number of seconds from 1 to %1</source>
        <translation>--timeout debe ser un número entero de segundos de 1 a %1</translation>
    </message>
    <message>
        <source>Commands:
  read [--json] [-o FILE]   Read the QOV&apos;s settings (a table, or a JSON profile)
  write PROFILE.json [--json]
                            Write a profile to the QOV, each location verified
                            (--json: the settings verified and not, as JSON)
  write --defaults          Write the factory defaults to the QOV
  verify PROFILE.json [--json]
                            Read the QOV and list the settings that differ from
                            the profile; nothing is written
  version [--json]          Ask the QOV for its firmware version
  learn [--count N] [--timeout SECONDS] [--json]
                            Show the codes the QOV receives from a remote, each
                            as it comes (--json: one JSON object per line)
  ports [--json]            List serial ports; the USB programmer is marked
  defaults [--json] [-o FILE]
                            Show the factory defaults (or a profile of them)
  doctor [--json]           Check the port and the QOV step by step, with a fix
                            for each failure (nothing is written to the QOV)

A profile named - is read from standard input (write -, verify -); -o - writes
to standard output. On a terminal, reading and writing show their progress on
one line of the error stream; --quiet leaves out progress, notes and success
messages.

The connection defaults to the window&apos;s stored preferences; the options above
change it for one run and store nothing.
Exit status: 0 success, 1 the QOV or the port failed (verify: or a setting
differs), 2 bad usage, a bad profile or unusable preferences (nothing is sent
to the QOV), or a result that could not be written out. During write, Ctrl-C
stops after the setting in progress (exit 1); a second Ctrl-C stops at once
(exit 130). During learn, Ctrl-C ends the wait (exit 1); the QOV stays in learn
mode until a remote button is pressed at it.
With --json, a failure also prints {&quot;error&quot;: ..., &quot;exitStatus&quot;: N} on
standard output.
</source>
        <translation>Órdenes:
  read [--json] [-o ARCHIVO]
                            Leer los ajustes del QOV (una tabla o un perfil JSON)
  write PERFIL.json [--json]
                            Escribir un perfil en el QOV, cada posición verificada
                            (--json: los ajustes verificados y no, en JSON)
  write --defaults          Escribir los valores de fábrica en el QOV
  verify PERFIL.json [--json]
                            Leer el QOV y listar los ajustes que difieren del
                            perfil; no se escribe nada
  version [--json]          Pedir al QOV la versión de su firmware
  learn [--count N] [--timeout SEGUNDOS] [--json]
                            Mostrar los códigos que el QOV recibe de un mando, cada
                            uno al llegar (--json: un objeto JSON por línea)
  ports [--json]            Listar los puertos serie; el programador USB va marcado
  defaults [--json] [-o ARCHIVO]
                            Mostrar los valores de fábrica (o un perfil con ellos)
  doctor [--json]           Comprobar el puerto y el QOV paso a paso, con una
                            solución para cada fallo (no se escribe nada en el QOV)

Un perfil llamado - se lee de la entrada estándar (write -, verify -); -o -
escribe en la salida estándar. En un terminal, la lectura y la escritura
muestran su progreso en una línea de la salida de errores; --quiet omite el
progreso, las notas y los mensajes de éxito.

La conexión sigue las preferencias guardadas de la ventana; las opciones de
arriba la cambian para una ejecución y no guardan nada.
Estado de salida: 0 éxito, 1 falló el QOV o el puerto (verify: o un ajuste
difiere), 2 uso incorrecto, un perfil erróneo o preferencias inservibles (no se
envía nada al QOV), o un resultado que no se pudo escribir. Durante write,
Ctrl-C se detiene tras el ajuste en curso (salida 1); un segundo Ctrl-C se
detiene en el acto (salida 130). Durante learn, Ctrl-C termina la espera
(salida 1); el QOV sigue en modo de aprendizaje hasta que se pulse en él un
botón del mando.
Con --json, un fallo también escribe {&quot;error&quot;: ..., &quot;exitStatus&quot;: N} en
la salida estándar.
</translation>
    </message>
    <message>
        <source>the debug log %1 is the profile %2: the trace would replace it; name another file for the log</source>
        <translation>la traza de depuración %1 es el perfil %2: la traza lo reemplazaría; indique otro archivo para la traza</translation>
    </message>
    <message>
        <source>on standard input</source>
        <translation>en la entrada estándar</translation>
    </message>
    <message>
        <source>the debug log %1 is the output file %2: one would replace the other; name another file for the log</source>
        <translation>la traza de depuración %1 es el archivo de salida %2: uno reemplazaría al otro; indique otro archivo para la traza</translation>
    </message>
    <message>
        <source>on standard output</source>
        <translation>en la salida estándar</translation>
    </message>
    <message>
        <source>%1 is given more than once (%2); give it once</source>
        <translation>%1 se indica más de una vez (%2); indíquelo solo una vez</translation>
    </message>
</context>
<context>
    <name>RemoteButton</name>
    <message>
        <source>Display</source>
        <translation>Pantalla</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Retroceso</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avance</translation>
    </message>
    <message>
        <source>Skip-</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Skip+</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleccionar</translation>
    </message>
    <message>
        <source>Up Arrow</source>
        <translation>Flecha arriba</translation>
    </message>
    <message>
        <source>Down Arrow</source>
        <translation>Flecha abajo</translation>
    </message>
    <message>
        <source>Left Arrow</source>
        <translation>Flecha izquierda</translation>
    </message>
    <message>
        <source>Right Arrow</source>
        <translation>Flecha derecha</translation>
    </message>
</context>
<context>
    <name>SettingField</name>
    <message>
        <source> (unknown button)</source>
        <translation> (botón desconocido)</translation>
    </message>
    <message>
        <source>1 to 6 hexadecimal digits</source>
        <translation>1 a 6 dígitos hexadecimales</translation>
    </message>
    <message>
        <source>Valid values for %1 are: %2</source>
        <translation>Los valores válidos para %1 son: %2</translation>
    </message>
    <message>
        <source>The board holds %1 for %2; valid values are %3.</source>
        <translation>La placa tiene %1 para %2; los valores válidos son %3.</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source> msec</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Allow Power ON</source>
        <translation>Permitir encender</translation>
    </message>
    <message>
        <source>Allow Power OFF</source>
        <translation>Permitir apagar</translation>
    </message>
    <message>
        <source>Allow Eject Tray</source>
        <translation>Permitir expulsar la bandeja</translation>
    </message>
    <message>
        <source>Turn on xbox by Eject (fw 2.5+)</source>
        <translation>Encender la Xbox con Eject (fw 2.5+)</translation>
    </message>
    <message>
        <source>Push Delay Mod On</source>
        <translation>Pulsación mod activo</translation>
    </message>
    <message>
        <source>Mod On</source>
        <translation>Mod activo</translation>
    </message>
    <message>
        <source>ModOn Power Button Push Delay</source>
        <translation>Duración de pulsación del botón de encendido con mod activo</translation>
    </message>
    <message>
        <source>Push Delay Mod Off</source>
        <translation>Pulsación mod inactivo</translation>
    </message>
    <message>
        <source>Mod Off</source>
        <translation>Mod inactivo</translation>
    </message>
    <message>
        <source>ModOff Power Button Push Delay</source>
        <translation>Duración de pulsación del botón de encendido con mod inactivo</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled</source>
        <translation>Encender con el mod activado</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled Code</source>
        <translation>Código para encender con el mod activado</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled</source>
        <translation>Encender con el mod desactivado</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled Code</source>
        <translation>Código para encender con el mod desactivado</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Apagar</translation>
    </message>
    <message>
        <source>Turn Off Code</source>
        <translation>Código para apagar</translation>
    </message>
    <message>
        <source>Turn Off No. Btn Presses</source>
        <translation>Pulsaciones para apagar</translation>
    </message>
    <message>
        <source>No. Button Presses for Turn Off</source>
        <translation>Número de pulsaciones para apagar</translation>
    </message>
    <message>
        <source>Eject Tray</source>
        <translation>Expulsar la bandeja</translation>
    </message>
    <message>
        <source>Eject Tray Code</source>
        <translation>Código para expulsar la bandeja</translation>
    </message>
    <message>
        <source>Eject Tray No. Btn Presses</source>
        <translation>Pulsaciones para expulsar la bandeja</translation>
    </message>
    <message>
        <source>No. Button Presses for Eject Tray</source>
        <translation>Número de pulsaciones para expulsar la bandeja</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <extracomment>A range of msec: %1 the least, %2 the most</extracomment>
        <translation>%1 a %2</translation>
    </message>
    <message>
        <source>%1 to %2 in steps of %3</source>
        <extracomment>msec: %1 the least, %2 the most, %3 the step</extracomment>
        <translation>%1 a %2 en pasos de %3</translation>
    </message>
    <message>
        <source>%1-%2</source>
        <extracomment>A range of button presses: %1 the least, %2 the most</extracomment>
        <translation>%1-%2</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <extracomment>Button presses: %1 the least, %2 the most</extracomment>
        <translation>un número entero de %1 a %2</translation>
    </message>
</context>
<context>
    <name>SettingsTransactions</name>
    <message>
        <source>Closing Port</source>
        <translation>Cerrando el puerto</translation>
    </message>
    <message>
        <source>Reading settings again...</source>
        <translation>Leyendo los ajustes de nuevo...</translation>
    </message>
    <message>
        <source>Checking settings again...</source>
        <translation>Comprobando los ajustes de nuevo...</translation>
    </message>
    <message>
        <source>Reading settings...</source>
        <translation>Leyendo los ajustes...</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>Ajustes leídos</translation>
    </message>
    <message>
        <source>Err: Read Incomplete</source>
        <translation>Error: lectura incompleta</translation>
    </message>
    <message>
        <source>Writting Settings...</source>
        <translation>Escribiendo los ajustes...</translation>
    </message>
    <message>
        <source>Wrote Settings Succesfully</source>
        <translation>Ajustes escritos correctamente</translation>
    </message>
    <message>
        <source>Err: Write Stopped</source>
        <translation>Error: escritura detenida</translation>
    </message>
    <message>
        <source>Err: Write Failed</source>
        <translation>Error: escritura fallida</translation>
    </message>
    <message>
        <source>answered with extra bytes: location(s) %1</source>
        <translation>respondió con bytes de más: posición(es) %1</translation>
    </message>
    <message>
        <source>Lost the connection to the programmer on %1: the programmer stopped responding or was unplugged. Check that it is plugged in and its cable is seated, then try again.</source>
        <translation>Se perdió la conexión con el programador en %1: el programador dejó de responder o se desconectó. Compruebe que está enchufado y que el cable está bien conectado, y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>(The system said: %1)</source>
        <translation>(El sistema dijo: %1)</translation>
    </message>
    <message>
        <source>no answer from location(s) %1</source>
        <translation>sin respuesta de la(s) posición(es) %1</translation>
    </message>
    <message>
        <source>Read incomplete: %1</source>
        <translation>Lectura incompleta: %1</translation>
    </message>
    <message>
        <source>Error: Unable to Write to Location %1</source>
        <translation>Error: no se puede escribir en la posición %1</translation>
    </message>
    <message>
        <source>Write incomplete: could not write location(s) %1</source>
        <translation>Escritura incompleta: no se pudo escribir: posición(es) %1</translation>
    </message>
    <message>
        <source>The board %1</source>
        <translation>La placa %1</translation>
    </message>
    <message>
        <source>Written Succesfully</source>
        <translation>Escrito correctamente</translation>
    </message>
    <message>
        <source>Write stopped: not written and verified: location(s) %1</source>
        <translation>Escritura detenida: sin escribir ni verificar: posición(es) %1</translation>
    </message>
    <message>
        <source>No answer from the board at locations %1: the write was stopped.</source>
        <translation>La placa no respondió en las posiciones %1: se detuvo la escritura.</translation>
    </message>
    <message>
        <source>Read incomplete: nothing from this read was applied; the settings are as they were before it.</source>
        <translation>Lectura incompleta: no se aplicó nada de esta lectura; los ajustes siguen como estaban antes de ella.</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Folder not kept: the preferences cannot be saved</source>
        <translation>Carpeta no recordada: no se pueden guardar las preferencias</translation>
    </message>
    <message>
        <source>Not read from the board</source>
        <translation>No leído de la placa</translation>
    </message>
    <message>
        <source>Not accepted: %1</source>
        <translation>No aceptado: %1</translation>
    </message>
    <message>
        <source>These were not read from the board: </source>
        <translation>Estos no se leyeron de la placa: </translation>
    </message>
    <message>
        <source>. Read Values again, or give them a value.</source>
        <translation>. Vuelva a leer los valores o deles un valor.</translation>
    </message>
    <message>
        <source>These fields do not hold a value that can be sent: </source>
        <translation>Estos campos no contienen un valor que se pueda enviar: </translation>
    </message>
    <message>
        <source>These fields are blank: </source>
        <translation>Estos campos están vacíos: </translation>
    </message>
    <message>
        <source>. Read Values or Load Default Values first.</source>
        <translation>. Primero lea los valores o cargue los valores predeterminados.</translation>
    </message>
    <message>
        <source>Not started: another command is using the port</source>
        <translation>No iniciado: otro comando está usando el puerto</translation>
    </message>
    <message>
        <source>Not started: Learn Mode holds the port (press Done)</source>
        <translation>No iniciado: el modo de aprendizaje ocupa el puerto (pulse Terminar)</translation>
    </message>
    <message>
        <source>Write All did not start; nothing was written.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Escribir todo no se inició; no se escribió nada.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Nothing was saved.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>No se guardó nada.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Error In Startup Line: </source>
        <translation>Error en el inicio, línea: </translation>
    </message>
    <message>
        <source>Code: </source>
        <translation>Código: </translation>
    </message>
    <message>
        <source>Details: </source>
        <translation>Detalles: </translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>en %1</translation>
    </message>
    <message>
        <source>The stored preference %1 is &quot;%2&quot;%3%4; it takes %5.<byte value="xd"/>
Fix or delete the key, then start again.</source>
        <translation>El ajuste guardado %1 es &quot;%2&quot;%3%4; admite %5.<byte value="xd"/>
Corrija o borre la clave y vuelva a iniciar.</translation>
    </message>
</context>
<context>
    <name>StoredPreferences</name>
    <message>
        <source>True or False</source>
        <extracomment>True and False are the values as written in the preferences file: keep them</extracomment>
        <translation>True o False</translation>
    </message>
    <message>
        <source>a COM port number from %1 to %2</source>
        <translation>un número de puerto COM de %1 a %2</translation>
    </message>
    <message>
        <source>not a number</source>
        <translation>no es un número</translation>
    </message>
    <message>
        <source>out of range</source>
        <translation>fuera de rango</translation>
    </message>
    <message>
        <source>1 (serial programmer) or 2 (USB programmer)</source>
        <translation>1 (programador serie) o 2 (programador USB)</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation>un FIFO (tubería con nombre)</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un dispositivo</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no un archivo normal</translation>
    </message>
    <message>
        <source>its owner (%1, group %2) cannot be kept: %3</source>
        <translation>no se puede conservar su propietario (%1, grupo %2): %3</translation>
    </message>
    <message>
        <source>its mode (%1) cannot be kept: %2</source>
        <translation>no se pueden conservar sus permisos (%1): %2</translation>
    </message>
</context>
<context>
    <name>qovctl</name>
    <message>
        <source>Writing</source>
        <translation>Escribiendo</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Leyendo</translation>
    </message>
    <message numerus="yes">
        <source>learning: point a remote at the QOV and press a button (%n code(s), up to %1 s)</source>
        <translation>
            <numerusform>aprendiendo: apunte un mando al QOV y pulse un botón (%n código, hasta %1 s)</numerusform>
            <numerusform>aprendiendo: apunte un mando al QOV y pulse un botón (%n códigos, hasta %1 s)</numerusform>
        </translation>
    </message>
    <message>
        <source>Try &apos;qovctl --help&apos;.</source>
        <translation>Pruebe &apos;qovctl --help&apos;.</translation>
    </message>
    <message>
        <source>reading the QOV failed</source>
        <translation>falló la lectura del QOV</translation>
    </message>
    <message>
        <source>SETTING</source>
        <translation>AJUSTE</translation>
    </message>
    <message>
        <source>ON THE BOARD</source>
        <translation>EN LA PLACA</translation>
    </message>
    <message>
        <source>IN THE FILE</source>
        <translation>EN EL ARCHIVO</translation>
    </message>
    <message>
        <source>The QOV matches %1: all %2 settings.</source>
        <translation>El QOV coincide con %1: los %2 ajustes.</translation>
    </message>
    <message>
        <source>QOV Version: </source>
        <translation>Versión del QOV: </translation>
    </message>
    <message>
        <source>All 20 locations written and verified.</source>
        <translation>Las 20 posiciones escritas y verificadas.</translation>
    </message>
    <message>
        <source>writing the QOV failed</source>
        <translation>falló la escritura del QOV</translation>
    </message>
    <message>
        <source>lost the connection to the programmer on %1: %2</source>
        <translation>se perdió la conexión con el programador en %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>learn stopped by %1 with %2 of %n code(s)</source>
        <translation>
            <numerusform>aprendizaje detenido por %1 con %2 de %n código</numerusform>
            <numerusform>aprendizaje detenido por %1 con %2 de %n códigos</numerusform>
        </translation>
    </message>
    <message>
        <source>; the QOV stays in learn mode until a remote button is pressed at it: press any button on the remote while pointing at the QOV</source>
        <translation>; el QOV sigue en modo de aprendizaje hasta que se pulse en él un botón del mando: pulse cualquier botón del mando apuntando al QOV</translation>
    </message>
    <message numerus="yes">
        <source>learn timed out after %1 s with %2 of %n code(s)</source>
        <translation>
            <numerusform>el aprendizaje agotó el tiempo tras %1 s con %2 de %n código</numerusform>
            <numerusform>el aprendizaje agotó el tiempo tras %1 s con %2 de %n códigos</numerusform>
        </translation>
    </message>
    <message>
        <source>; the QOV is still in learn mode: press any button on the remote while pointing at the QOV</source>
        <translation>; el QOV sigue en modo de aprendizaje: pulse cualquier botón del mando apuntando al QOV</translation>
    </message>
    <message>
        <source>the stored preference %1 is &quot;%2&quot;, not %3; set it in the window&apos;s Settings menu, or pass %4 for this run</source>
        <translation>la preferencia guardada %1 es &quot;%2&quot;, no %3; elíjala en el menú Configuración de la ventana, o indique %4 para esta ejecución</translation>
    </message>
    <message>
        <source>; make it readable, or remove it to start from the defaults</source>
        <translation>; hágalo legible o bórrelo para empezar con los valores predeterminados</translation>
    </message>
    <message>
        <source>no programmer port is available</source>
        <translation>no hay ningún puerto de programador disponible</translation>
    </message>
    <message>
        <source>cannot create the debug log %1: %2</source>
        <translation>no se puede crear la traza de depuración %1: %2</translation>
    </message>
    <message>
        <source>cannot write the debug log %1: %2</source>
        <translation>no se puede escribir la traza de depuración %1: %2</translation>
    </message>
    <message>
        <source>USB programmer found on COM %1 (%2)</source>
        <translation>programador USB encontrado en COM %1 (%2)</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2; printing it here instead</source>
        <translation>no se puede escribir %1: %2; se muestra aquí en su lugar</translation>
    </message>
    <message>
        <source>%1 of %2 settings on the QOV differ from %3</source>
        <translation>%1 de %2 ajustes del QOV difieren de %3</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>location(s) %1</source>
        <translation>posición(es) %1</translation>
    </message>
    <message>
        <source>stopped by %1; written and verified: %2; not written and verified: %3</source>
        <translation>detenido por %1; escrito y verificado: %2; sin escribir ni verificar: %3</translation>
    </message>
    <message>
        <source>not all 20 locations were verified; failed location(s): %1</source>
        <translation>no se verificaron las 20 posiciones; fallaron: posición(es) %1</translation>
    </message>
    <message>
        <source>cannot read standard input: %1</source>
        <translation>no se puede leer la entrada estándar: %1</translation>
    </message>
    <message>
        <source>standard input: %1</source>
        <translation>entrada estándar: %1</translation>
    </message>
    <message>
        <source>
qovctl: stopping learn mode (a second signal stops at once)
</source>
        <translation>
qovctl: deteniendo el modo de aprendizaje (una segunda señal lo detiene de inmediato)
</translation>
    </message>
    <message>
        <source>standard input is empty: no profile came on it</source>
        <translation>la entrada estándar está vacía: no llegó ningún perfil por ella</translation>
    </message>
    <message>
        <source>; nothing was sent</source>
        <translation>; no se envió nada</translation>
    </message>
    <message>
        <source>cannot write to standard output: </source>
        <translation>no se puede escribir en la salida estándar: </translation>
    </message>
    <message>
        <source>write failed</source>
        <translation>la escritura falló</translation>
    </message>
    <message>
        <source>nothing written</source>
        <translation>no se escribió nada</translation>
    </message>
    <message>
        <source>
qovctl: stopping after the setting in progress (a second signal stops at once)
</source>
        <translation>
qovctl: se detiene tras el ajuste en curso (una segunda señal lo detiene de inmediato)
</translation>
    </message>
    <message>
        <source>it is closed</source>
        <translation>está cerrada</translation>
    </message>
    <message>
        <source>the profile on standard input</source>
        <translation>el perfil de la entrada estándar</translation>
    </message>
    <message>
        <source>; nothing was read</source>
        <translation>; no se leyó nada</translation>
    </message>
    <message>
        <source>the QOV&apos;s answer &quot;%1&quot; (%2) is no version: %3; run &apos;qovctl doctor&apos; to check the line</source>
        <translation>la respuesta del QOV &quot;%1&quot; (%2) no es una versión: %3; ejecute &apos;qovctl doctor&apos; para comprobar la línea</translation>
    </message>
    <message>
        <source>it does not start with a version number</source>
        <translation>no empieza con un número de versión</translation>
    </message>
    <message>
        <source>it has control characters or is too long</source>
        <translation>tiene caracteres de control o es demasiado larga</translation>
    </message>
    <message>
        <source>waiting for a writer on %1...</source>
        <translation>esperando a un escritor en %1...</translation>
    </message>
    <message>
        <source>waiting for a reader on %1...</source>
        <translation>esperando a un lector en %1...</translation>
    </message>
    <message>
        <source>; nothing was written</source>
        <translation>; no se escribió nada</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> en %1</translation>
    </message>
    <message>
        <source>Make it readable, or remove it to start from the defaults</source>
        <translation>Hágalo legible o bórrelo para empezar con los valores predeterminados</translation>
    </message>
    <message>
        <source>the stored preference %1%2 is &quot;%3&quot;, not %4</source>
        <translation>la preferencia guardada %1%2 es &quot;%3&quot;, no %4</translation>
    </message>
    <message>
        <source>Set it in the window&apos;s Settings menu, or remove the line %1 from the file to use the default; for this run only, pass %2</source>
        <translation>Elíjala en el menú Configuración de la ventana, o borre la línea %1 del archivo para usar el valor predeterminado; solo para esta ejecución, indique %2</translation>
    </message>
</context>
</TS>
