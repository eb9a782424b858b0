<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BoardConnection</name>
    <message>
        <source>Opening Port</source>
        <translation>Port wird geöffnet</translation>
    </message>
    <message>
        <source>Checking for QOV</source>
        <translation>QOV wird gesucht</translation>
    </message>
    <message>
        <source>QOV Not Found</source>
        <translation>QOV nicht gefunden</translation>
    </message>
    <message>
        <source>Err: Incorrect QOV Version</source>
        <translation>Fehler: Falsche QOV-Version</translation>
    </message>
    <message>
        <source>Found QOV</source>
        <translation>QOV gefunden</translation>
    </message>
    <message>
        <source>Closing Port</source>
        <translation>Port wird geschlossen</translation>
    </message>
    <message>
        <source>Unable to aquire the QOV Firmware Version</source>
        <translation>Die Firmware-Version des QOV konnte nicht abgefragt werden</translation>
    </message>
    <message>
        <source>Unable to retrieve QOV version</source>
        <translation>Die QOV-Version konnte nicht abgerufen werden</translation>
    </message>
</context>
<context>
    <name>CheckConnectionWindow</name>
    <message>
        <source>Check Connection</source>
        <translation>Verbindung prüfen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Run Again</source>
        <translation>Erneut prüfen</translation>
    </message>
    <message>
        <source>Checking...</source>
        <translation>Wird geprüft...</translation>
    </message>
    <message>
        <source>Every step is OK</source>
        <translation>Alle Schritte sind in Ordnung</translation>
    </message>
    <message>
        <source>A step failed: see its fix</source>
        <translation>Ein Schritt ist fehlgeschlagen: siehe die Abhilfe</translation>
    </message>
    <message>
        <source>passed</source>
        <extracomment>a step&apos;s state, said by screen readers</extracomment>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>not tried</source>
        <translation>nicht ausgeführt</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>a step&apos;s state for screen readers, then its line</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Fix: %1</source>
        <translation>Abhilfe: %1</translation>
    </message>
</context>
<context>
    <name>CliMessageBoxes</name>
    <message>
        <source>%1 on %2</source>
        <comment>a message, then where: &quot;QOV Not Found on /dev/ttyUSB0 (COM 1)&quot;</comment>
        <translation>%1 an %2</translation>
    </message>
    <message>
        <source>Run &apos;qovctl doctor&apos; to find out why.</source>
        <translation>Führen Sie &apos;qovctl doctor&apos; aus, um die Ursache zu finden.</translation>
    </message>
</context>
<context>
    <name>CodeListWindow</name>
    <message>
        <source>Xbox DVD Remote IR Codes</source>
        <translation>IR-Codes der Xbox-DVD-Fernbedienung</translation>
    </message>
    <message>
        <source>Drag the code to the appropriate box in the main window.</source>
        <translation>Ziehen Sie den Code in das passende Feld im Hauptfenster.</translation>
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
        <translation>Aufruf: qovprog [DEBUG]
Das Fenster der QOV Programming Software: liest und schreibt die Einstellungen
einer QOV-Infrarot-Empfängerplatine über einen seriellen oder USB-Programmer.

  DEBUG      jeden Austausch mit der Platine protokollieren, in
             debugLog_&lt;Datum&gt;_&lt;Uhrzeit&gt;.txt im aktuellen Ordner
  --help     diese Hilfe ausgeben und beenden
  --version  die Version ausgeben und beenden

Umgebung:
  QOV_SIMULATOR=1   die eingebaute simulierte Platine verwenden
  QOV_PORT_DIR=DIR  COM n ist DIR/COMn (ein Link auf ein beliebiges serielles Gerät)
  QOV_USB_MANUAL=1  den Port des USB-Programmers von Hand wählen

Das Befehlszeilenwerkzeug für Skripte ist qovctl.
</translation>
    </message>
    <message>
        <source>qovprog: unknown argument &apos;%1&apos;
Usage: qovprog [DEBUG]
Try &apos;qovprog --help&apos; for more.
</source>
        <translation>qovprog: unbekanntes Argument &apos;%1&apos;
Aufruf: qovprog [DEBUG]
Mehr mit &apos;qovprog --help&apos;.
</translation>
    </message>
</context>
<context>
    <name>DebugLog</name>
    <message>
        <source>Cannot create the debug log %1 in the folder %2: %3</source>
        <translation>Das Debug-Protokoll %1 kann im Ordner %2 nicht angelegt werden: %3</translation>
    </message>
    <message>
        <source>Cannot replace the link %1</source>
        <translation>Der Link %1 kann nicht ersetzt werden</translation>
    </message>
</context>
<context>
    <name>DebugToolsMenu</name>
    <message>
        <source>Enable COM</source>
        <translation>COM aktivieren</translation>
    </message>
    <message>
        <source>Get XOK</source>
        <translation>XOK abfragen</translation>
    </message>
    <message>
        <source>Check QOV</source>
        <translation>QOV prüfen</translation>
    </message>
    <message>
        <source>Disable COM</source>
        <translation>COM deaktivieren</translation>
    </message>
    <message>
        <source>GetXOK Returned: </source>
        <translation>GetXOK lieferte: </translation>
    </message>
    <message>
        <source>CheckQOV Returned: </source>
        <translation>CheckQOV lieferte: </translation>
    </message>
    <message>
        <source>Tools &gt; Debug Tools &gt; Enable COM holds it; choose Disable COM there to free it.</source>
        <translation>Werkzeuge &gt; Diagnosewerkzeuge &gt; COM aktivieren belegt ihn; wählen Sie dort COM deaktivieren, um ihn freizugeben.</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>USB Programmer Cable not found</source>
        <translation>USB-Programmierkabel nicht gefunden</translation>
    </message>
    <message>
        <source>Unable to open COM %1</source>
        <translation>COM %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>QOV (v2.5) is setup for Type &apos;A&apos; Programmer (Serial), remove jumper on back of QOV - Contact us for help.</source>
        <translation>Der QOV (v2.5) ist für Programmer Typ &apos;A&apos; (seriell) eingerichtet: Entfernen Sie den Jumper auf der Rückseite des QOV - wenden Sie sich an uns, wenn Sie Hilfe brauchen.</translation>
    </message>
    <message>
        <source>QOV (v2.5) is setup for Type &apos;B&apos; Programmer (USB), place jumper on back of QOV - Contact us for help.</source>
        <translation>Der QOV (v2.5) ist für Programmer Typ &apos;B&apos; (USB) eingerichtet: Setzen Sie den Jumper auf der Rückseite des QOV - wenden Sie sich an uns, wenn Sie Hilfe brauchen.</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>the stored preferences cannot be used</source>
        <translation>die gespeicherten Einstellungen sind unbrauchbar</translation>
    </message>
    <message>
        <source>the check writes nothing</source>
        <translation>die Prüfung schreibt nichts</translation>
    </message>
    <message>
        <source>To see that the board keeps what it is sent: qovctl write PROFILE, then qovctl verify PROFILE</source>
        <translation>Um zu sehen, ob die Platine behält, was sie erhält: qovctl write PROFIL, dann qovctl verify PROFIL</translation>
    </message>
    <message>
        <source>To see that the board keeps what it is sent: Write All, then Read Values (the fields come back as written)</source>
        <translation>Um zu sehen, ob die Platine behält, was sie erhält: &quot;Alle schreiben&quot;, dann &quot;Werte lesen&quot; (die Felder kommen so zurück, wie sie geschrieben wurden)</translation>
    </message>
    <message>
        <source>%1. %2: not tried (%3)</source>
        <translation>%1. %2: nicht ausgeführt (%3)</translation>
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
        <translation>%1. %2: FEHLER - %3. Abhilfe: %4</translation>
    </message>
    <message>
        <source>%1. %2: FAILED - %3</source>
        <translation>%1. %2: FEHLER - %3</translation>
    </message>
    <message>
        <source>%1. %2: not tried - %3</source>
        <translation>%1. %2: nicht ausgeführt - %3</translation>
    </message>
    <message>
        <source>not tried: %1</source>
        <translation>nicht ausgeführt: %1</translation>
    </message>
</context>
<context>
    <name>DoctorBoardChecks</name>
    <message>
        <source>Check the cable to the QOV. Outside the Xbox the programmer powers it: check the programmer type (--programmer serial|usb) or try --force-power; installed in the Xbox, switch the Xbox on and use --self-powered</source>
        <translation>Prüfen Sie das Kabel zum QOV. Außerhalb der Xbox versorgt ihn der Programmer mit Strom: prüfen Sie den Programmer-Typ (--programmer serial|usb) oder versuchen Sie --force-power; ist er in der Xbox eingebaut, schalten Sie die Xbox ein und verwenden Sie --self-powered</translation>
    </message>
    <message>
        <source>Check the cable to the QOV. Outside the Xbox the programmer powers it: check Settings &gt; Programmer Type or try Settings &gt; &quot;Force QOV Programmer To Provide Power To QOV&quot;; installed in the Xbox, switch the Xbox on and choose Settings &gt; &quot;QOV Is Installed In Xbox (self powered)&quot;</source>
        <translation>Prüfen Sie das Kabel zum QOV. Außerhalb der Xbox versorgt ihn der Programmer mit Strom: prüfen Sie Einstellungen &gt; Programmer-Typ oder versuchen Sie Einstellungen &gt; &quot;QOV immer über den Programmer mit Strom versorgen&quot;; ist er in der Xbox eingebaut, schalten Sie die Xbox ein und wählen Sie Einstellungen &gt; &quot;QOV ist in der Xbox eingebaut (eigene Stromversorgung)&quot;</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (qovctl ports lists the serial ports) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Prüfen Sie, ob der Port der des Programmers ist (qovctl ports listet die seriellen Ports auf) und ob die Platine ein QOV ist; die Leitung läuft mit 2400 Baud</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (Settings &gt; Com Port) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Prüfen Sie, ob der Port der des Programmers ist (Einstellungen &gt; COM-Port) und ob die Platine ein QOV ist; die Leitung läuft mit 2400 Baud</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and its power to the QOV (--programmer serial|usb, or try --force-power), then run qovctl doctor again; if it stays late, save a trace with --debug-log FILE and contact us</source>
        <translation>Prüfen Sie das Kabel des Programmers und wie er den QOV mit Strom versorgt (--programmer serial|usb, oder versuchen Sie --force-power), und führen Sie dann qovctl doctor erneut aus; kommt der Gruß weiter zu spät, speichern Sie mit --debug-log DATEI ein Debug-Protokoll und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and its power to the QOV (Settings &gt; Programmer Type, or try Settings &gt; &quot;Force QOV Programmer To Provide Power To QOV&quot;), then choose Run Again; if it stays late, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Prüfen Sie das Kabel des Programmers und wie er den QOV mit Strom versorgt (Einstellungen &gt; Programmer-Typ, oder versuchen Sie Einstellungen &gt; &quot;QOV immer über den Programmer mit Strom versorgen&quot;), und wählen Sie dann &quot;Erneut prüfen&quot;; kommt der Gruß weiter zu spät, starten Sie qovprog DEBUG, um ein Debug-Protokoll zu speichern, und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and run qovctl doctor again; if it stays, save a trace with --debug-log FILE and contact us</source>
        <translation>Ziehen Sie den Programmer ab, stecken Sie ihn wieder ein und führen Sie qovctl doctor erneut aus; bleibt der Fehler, speichern Sie mit --debug-log DATEI ein Debug-Protokoll und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and choose Run Again; if it stays, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Ziehen Sie den Programmer ab, stecken Sie ihn wieder ein und wählen Sie &quot;Erneut prüfen&quot;; bleibt der Fehler, starten Sie qovprog DEBUG, um ein Debug-Protokoll zu speichern, und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>Connect the programmer straight to the computer (no hub, no network or Bluetooth serial link in between) and check its cable, then run qovctl doctor again; if the answers stay late, save a trace with --debug-log FILE and contact us</source>
        <translation>Schließen Sie den Programmer direkt am Computer an (kein Hub, keine serielle Netzwerk- oder Bluetooth-Verbindung dazwischen) und prüfen Sie sein Kabel; führen Sie dann qovctl doctor erneut aus; kommen die Antworten weiter zu spät, speichern Sie mit --debug-log DATEI ein Debug-Protokoll und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>Connect the programmer straight to the computer (no hub, no network or Bluetooth serial link in between) and check its cable, then choose Run Again; if the answers stay late, start qovprog DEBUG to save a trace and contact us</source>
        <translation>Schließen Sie den Programmer direkt am Computer an (kein Hub, keine serielle Netzwerk- oder Bluetooth-Verbindung dazwischen) und prüfen Sie sein Kabel; wählen Sie dann &quot;Erneut prüfen&quot;; kommen die Antworten weiter zu spät, starten Sie qovprog DEBUG, um ein Debug-Protokoll zu speichern, und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>If no program uses the port, remove the lock file %1 (it names no process)</source>
        <translation>Wenn kein Programm den Port benutzt, löschen Sie die Sperrdatei %1 (sie nennt keinen Prozess)</translation>
    </message>
    <message>
        <source>the port did not open</source>
        <translation>der Port ließ sich nicht öffnen</translation>
    </message>
    <message>
        <source>opened %1 and cycled the power line (RTS)</source>
        <translation>%1 geöffnet und die Stromleitung (RTS) aus- und eingeschaltet</translation>
    </message>
    <message>
        <source>the port</source>
        <translation>den Port</translation>
    </message>
    <message>
        <source>no board answered</source>
        <translation>keine Platine hat geantwortet</translation>
    </message>
    <message>
        <source>location %1 reads %2</source>
        <translation>Speicherstelle %1 enthält %2</translation>
    </message>
    <message>
        <source>location %1 answered %2 ms after it was asked, later than the 200 ms the program waits</source>
        <translation>Speicherstelle %1 antwortete %2 ms nach der Anfrage, später als die 200 ms, die das Programm wartet</translation>
    </message>
    <message>
        <source>location %1 answered with extra bytes</source>
        <translation>Speicherstelle %1 antwortete mit zusätzlichen Bytes</translation>
    </message>
    <message>
        <source>no answer when reading location %1</source>
        <translation>keine Antwort beim Lesen von Speicherstelle %1</translation>
    </message>
    <message>
        <source>lost the connection to the programmer: %1</source>
        <translation>die Verbindung zum Programmer ist verloren: %1</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and plug, then run qovctl doctor again</source>
        <translation>Prüfen Sie Kabel und Stecker des Programmers und führen Sie dann qovctl doctor erneut aus</translation>
    </message>
    <message>
        <source>Check the programmer&apos;s cable and plug, then choose Run Again</source>
        <translation>Prüfen Sie Kabel und Stecker des Programmers und wählen Sie dann &quot;Erneut prüfen&quot;</translation>
    </message>
    <message>
        <source>the connection was lost</source>
        <translation>die Verbindung ging verloren</translation>
    </message>
    <message>
        <source>the board greeted &quot;XOK&quot; after the power cycle</source>
        <translation>die Platine grüßte nach dem Aus- und Einschalten mit &quot;XOK&quot;</translation>
    </message>
    <message>
        <source>the board is set up for the other programmer</source>
        <translation>die Platine ist für den anderen Programmer eingerichtet</translation>
    </message>
    <message>
        <source>the board sent &quot;%1&quot; (%2): not a QOV, or the wrong speed</source>
        <translation>die Platine sandte &quot;%1&quot; (%2): kein QOV, oder die falsche Geschwindigkeit</translation>
    </message>
    <message>
        <source>Check that the port is the programmer&apos;s (qovctl ports) and that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Prüfen Sie, ob der Port der des Programmers ist (qovctl ports) und ob die Platine ein QOV ist; die Leitung läuft mit 2400 Baud</translation>
    </message>
    <message>
        <source>the greeting was not a QOV&apos;s</source>
        <translation>der Gruß war nicht der eines QOV</translation>
    </message>
    <message>
        <source>no greeting, as a board powered by the Xbox need not send one (--self-powered)</source>
        <translation>kein Gruß; eine von der Xbox versorgte Platine muss keinen senden (--self-powered)</translation>
    </message>
    <message>
        <source>the board greeted &quot;XOK&quot; %1 ms after the power cycle, after the program stopped waiting (%2 ms)</source>
        <translation>die Platine grüßte %1 ms nach dem Aus- und Einschalten mit &quot;XOK&quot;, als das Programm nicht mehr wartete (%2 ms)</translation>
    </message>
    <message>
        <source>nothing came in time after the power cycle, then the line carried &quot;%1&quot; (%2): no QOV&apos;s greeting or answer</source>
        <translation>nach dem Aus- und Einschalten kam nichts rechtzeitig, dann kam auf der Leitung &quot;%1&quot; (%2): weder Gruß noch Antwort eines QOV</translation>
    </message>
    <message>
        <source>the line carries bytes that are no QOV&apos;s</source>
        <translation>auf der Leitung kommen Bytes, die nicht von einem QOV stammen</translation>
    </message>
    <message>
        <source>no greeting after the power cycle, but the board answers: it has power of its own (installed in the Xbox)</source>
        <translation>kein Gruß nach dem Aus- und Einschalten, aber die Platine antwortet: sie hat eine eigene Stromversorgung (in der Xbox eingebaut)</translation>
    </message>
    <message>
        <source>Use --self-powered (in the window: Settings, &quot;QOV Is Installed In Xbox (self powered)&quot;)</source>
        <translation>Verwenden Sie --self-powered (im Fenster: Einstellungen, &quot;QOV ist in der Xbox eingebaut (eigene Stromversorgung)&quot;)</translation>
    </message>
    <message>
        <source>Choose Settings &gt; &quot;QOV Is Installed In Xbox (self powered)&quot;</source>
        <translation>Wählen Sie Einstellungen &gt; &quot;QOV ist in der Xbox eingebaut (eigene Stromversorgung)&quot;</translation>
    </message>
    <message>
        <source>no greeting after the power cycle; the version query was answered but one read was not: no QOV answers so</source>
        <translation>kein Gruß nach dem Aus- und Einschalten; die Versionsabfrage wurde beantwortet, ein Lesevorgang aber nicht: so antwortet kein QOV</translation>
    </message>
    <message>
        <source>no greeting after the power cycle, and what answered is no QOV: &quot;%1&quot; (%2)</source>
        <translation>kein Gruß nach dem Aus- und Einschalten, und was geantwortet hat, ist kein QOV: &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>nothing came after the power cycle: the QOV has no power, or no QOV is connected</source>
        <translation>nach dem Aus- und Einschalten kam nichts: der QOV hat keinen Strom, oder es ist kein QOV angeschlossen</translation>
    </message>
    <message>
        <source>the answer to the version query came %1 ms after it was asked, later than the 300 ms the program waits</source>
        <translation>die Antwort auf die Versionsabfrage kam %1 ms nach der Anfrage, später als die 300 ms, die das Programm wartet</translation>
    </message>
    <message>
        <source>no answer to the version query</source>
        <translation>keine Antwort auf die Versionsabfrage</translation>
    </message>
    <message>
        <source>Switch the Xbox on: the QOV installed in it has no power while the console is off; then run qovctl doctor again</source>
        <translation>Schalten Sie die Xbox ein: der darin eingebaute QOV hat keinen Strom, solange die Konsole aus ist; führen Sie dann qovctl doctor erneut aus</translation>
    </message>
    <message>
        <source>Switch the Xbox on: the QOV installed in it has no power while the console is off; then choose Run Again</source>
        <translation>Schalten Sie die Xbox ein: der darin eingebaute QOV hat keinen Strom, solange die Konsole aus ist; wählen Sie dann &quot;Erneut prüfen&quot;</translation>
    </message>
    <message>
        <source>the answer &quot;%1&quot; (%2) is no version number; Read Values and Write All refuse such a board</source>
        <translation>die Antwort &quot;%1&quot; (%2) ist keine Versionsnummer; &quot;Werte lesen&quot; und &quot;Alle schreiben&quot; lehnen eine solche Platine ab</translation>
    </message>
    <message>
        <source>Check that the board is a QOV; the line runs at 2400 baud</source>
        <translation>Prüfen Sie, ob die Platine ein QOV ist; die Leitung läuft mit 2400 Baud</translation>
    </message>
    <message>
        <source>the answer &quot;%1&quot; (%2) starts like a version but is not one: it has control characters or is too long</source>
        <translation>die Antwort &quot;%1&quot; (%2) beginnt wie eine Version, ist aber keine: sie enthält Steuerzeichen oder ist zu lang</translation>
    </message>
    <message>
        <source>Check the cable and that nothing else talks on the line (the line runs at 2400 baud), then run qovctl doctor again</source>
        <translation>Prüfen Sie das Kabel und ob sonst nichts auf der Leitung sendet (die Leitung läuft mit 2400 Baud), und führen Sie dann qovctl doctor erneut aus</translation>
    </message>
    <message>
        <source>Check the cable and that nothing else talks on the line (the line runs at 2400 baud), then choose Run Again</source>
        <translation>Prüfen Sie das Kabel und ob sonst nichts auf der Leitung sendet (die Leitung läuft mit 2400 Baud), und wählen Sie dann &quot;Erneut prüfen&quot;</translation>
    </message>
    <message>
        <source>version %1: &quot;Turn on xbox by Eject&quot; is available</source>
        <translation>Version %1: &quot;Xbox mit Eject einschalten&quot; ist verfügbar</translation>
    </message>
    <message>
        <source>version %1: &quot;Turn on xbox by Eject&quot; needs 2.5 or later; everything else works</source>
        <translation>Version %1: &quot;Xbox mit Eject einschalten&quot; braucht 2.5 oder neuer; alles andere funktioniert</translation>
    </message>
    <message>
        <source>the board greets with its set-up pattern for the other programmer type</source>
        <translation>die Platine grüßt mit ihrem Einrichtungsmuster für den anderen Programmer-Typ</translation>
    </message>
</context>
<context>
    <name>DoctorPortChecks</name>
    <message>
        <source>from the options</source>
        <translation>aus den Optionen</translation>
    </message>
    <message>
        <source>from the stored preferences</source>
        <translation>aus den gespeicherten Einstellungen</translation>
    </message>
    <message>
        <source>the default</source>
        <extracomment>where the COM port number came from: the default number</extracomment>
        <translation>Standardwert</translation>
    </message>
    <message>
        <source>nothing to check for the built-in simulated board</source>
        <translation>nichts zu prüfen bei der eingebauten simulierten Platine</translation>
    </message>
    <message>
        <source>not checked on this system</source>
        <translation>auf diesem System nicht geprüft</translation>
    </message>
    <message>
        <source>no port to open</source>
        <translation>kein Port zum Öffnen</translation>
    </message>
    <message>
        <source>the device is not a serial port</source>
        <translation>das Gerät ist kein serieller Port</translation>
    </message>
    <message>
        <source>the device is not there</source>
        <translation>das Gerät ist nicht vorhanden</translation>
    </message>
    <message>
        <source>no port to check</source>
        <translation>kein Port zum Prüfen</translation>
    </message>
    <message>
        <source>this user cannot open the port</source>
        <translation>dieser Benutzer kann den Port nicht öffnen</translation>
    </message>
    <message>
        <source>the port cannot be locked under its path</source>
        <translation>der Port kann unter seinem Pfad nicht gesperrt werden</translation>
    </message>
    <message>
        <source>another program holds the port</source>
        <translation>ein anderes Programm belegt den Port</translation>
    </message>
    <message>
        <source>serial programmer (RS232)</source>
        <translation>serieller Programmer (RS232)</translation>
    </message>
    <message>
        <source>USB programmer</source>
        <translation>USB-Programmer</translation>
    </message>
    <message>
        <source>the built-in simulated board, as a %1</source>
        <translation>die eingebaute simulierte Platine, als %1</translation>
    </message>
    <message>
        <source>; it is a USB serial adapter %1, not the USB programmer (%2)</source>
        <translation>; es ist ein USB-Seriell-Adapter %1, nicht der USB-Programmer (%2)</translation>
    </message>
    <message>
        <source>the device %1 (--device), driven as for the %2%3</source>
        <translation>das Gerät %1 (--device), angesteuert als %2%3</translation>
    </message>
    <message>
        <source>USB programmer (port chosen by hand)</source>
        <translation>USB-Programmer (Port von Hand gewählt)</translation>
    </message>
    <message>
        <source>%1 on COM %2 (%3): %4%5</source>
        <translation>%1 an COM %2 (%3): %4%5</translation>
    </message>
    <message>
        <source>USB automatic: no USB programmer (%1) found</source>
        <translation>USB automatisch: kein USB-Programmer (%1) gefunden</translation>
    </message>
    <message>
        <source>Plug in the QOV&apos;s USB programmer</source>
        <translation>Stecken Sie den USB-Programmer des QOV ein</translation>
    </message>
    <message>
        <source>; not the programmer: %1</source>
        <translation>; nicht der Programmer: %1</translation>
    </message>
    <message>
        <source>; if that adapter is one, choose its port: --port N (COM N is /dev/ttyUSB&lt;N-1&gt;)</source>
        <translation>; ist dieser Adapter doch der Programmer, wählen Sie seinen Port: --port N (COM N ist /dev/ttyUSB&lt;N-1&gt;)</translation>
    </message>
    <message>
        <source>; if that adapter is one, choose its port: Settings &gt; Com Port (COM N is /dev/ttyUSB&lt;N-1&gt;)</source>
        <translation>; ist dieser Adapter doch der Programmer, wählen Sie seinen Port: Einstellungen &gt; COM-Port (COM N ist /dev/ttyUSB&lt;N-1&gt;)</translation>
    </message>
    <message>
        <source>; if that adapter is one, name it: --device %1 (--port cannot reach a ttyACM device)</source>
        <translation>; ist dieser Adapter doch der Programmer, geben Sie ihn an: --device %1 (--port erreicht kein ttyACM-Gerät)</translation>
    </message>
    <message>
        <source> serial %1</source>
        <translation> Seriennummer %1</translation>
    </message>
    <message>
        <source> (used)</source>
        <translation> (verwendet)</translation>
    </message>
    <message>
        <source>USB automatic: %1; COM %2: %3</source>
        <translation>USB automatisch: %1; COM %2: %3</translation>
    </message>
    <message>
        <source>the programmer was found</source>
        <translation>der Programmer wurde gefunden</translation>
    </message>
    <message numerus="yes">
        <source>programmer(s) found: %1</source>
        <translation>
            <numerusform>Programmer gefunden: %1</numerusform>
            <numerusform>Programmer gefunden: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is there</source>
        <translation>%1 ist vorhanden</translation>
    </message>
    <message>
        <source>%1 is not a device: it is not a serial port</source>
        <translation>%1 ist kein Gerät: es ist kein serieller Port</translation>
    </message>
    <message>
        <source>%1 is a device but not a terminal: it is not a serial port</source>
        <translation>%1 ist ein Gerät, aber kein Terminal: es ist kein serieller Port</translation>
    </message>
    <message>
        <source>Choose a serial port (qovctl ports lists them)</source>
        <translation>Wählen Sie einen seriellen Port (qovctl ports listet sie auf)</translation>
    </message>
    <message>
        <source>Choose a serial port (Settings &gt; Com Port)</source>
        <translation>Wählen Sie einen seriellen Port (Einstellungen &gt; COM-Port)</translation>
    </message>
    <message>
        <source>a CP210x (%1%2) is on USB without a serial device</source>
        <translation>ein CP210x (%1%2) hängt am USB, aber ohne serielles Gerät</translation>
    </message>
    <message>
        <source>, serial %1</source>
        <translation>, Seriennummer %1</translation>
    </message>
    <message>
        <source>no port to look for</source>
        <translation>kein Port zum Suchen</translation>
    </message>
    <message>
        <source>%1 is not there</source>
        <translation>%1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM number (qovctl ports lists the serial ports)</source>
        <translation>Stecken Sie den Programmer ein und prüfen Sie die COM-Nummer (qovctl ports listet die seriellen Ports auf)</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM number (Settings &gt; Com Port)</source>
        <translation>Stecken Sie den Programmer ein und prüfen Sie die COM-Nummer (Einstellungen &gt; COM-Port)</translation>
    </message>
    <message>
        <source>%1: the folder %2, which QOV_PORT_DIR names, is not there</source>
        <translation>%1: der Ordner %2, den QOV_PORT_DIR nennt, ist nicht vorhanden</translation>
    </message>
    <message>
        <source>Create the folder %1 with a link COMn to each port in it, or unset QOV_PORT_DIR to use the system&apos;s ports</source>
        <translation>Legen Sie den Ordner %1 mit einem Link COMn je Port darin an, oder entfernen Sie QOV_PORT_DIR, um die Ports des Systems zu verwenden</translation>
    </message>
    <message>
        <source>Plug in the programmer; no serial port is there now</source>
        <translation>Stecken Sie den Programmer ein; zurzeit ist kein serieller Port vorhanden</translation>
    </message>
    <message>
        <source>Plug in the programmer, or name a serial port that is there: </source>
        <translation>Stecken Sie den Programmer ein oder geben Sie einen vorhandenen seriellen Port an: </translation>
    </message>
    <message>
        <source>; %1 cannot be reached with --port: use --device %1</source>
        <translation>; %1 ist mit --port nicht erreichbar: verwenden Sie --device %1</translation>
    </message>
    <message>
        <source>Load the cp210x driver (sudo modprobe cp210x), then plug the programmer in again</source>
        <translation>Laden Sie den Treiber cp210x (sudo modprobe cp210x) und stecken Sie dann den Programmer erneut ein</translation>
    </message>
    <message>
        <source>this user can read and write %1</source>
        <translation>dieser Benutzer kann %1 lesen und schreiben</translation>
    </message>
    <message>
        <source>the lock file %1%2 does not count: %3</source>
        <translation>die Sperrdatei %1%2 zählt nicht: %3</translation>
    </message>
    <message>
        <source> (PID %1)</source>
        <translation> (PID %1)</translation>
    </message>
    <message numerus="yes">
        <source>%n more</source>
        <extracomment>more programs that hold the port</extracomment>
        <translation>
            <numerusform>%n weiteres</numerusform>
            <numerusform>%n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>a program</source>
        <translation>ein Programm</translation>
    </message>
    <message>
        <source> through the lock file %1</source>
        <translation> über die Sperrdatei %1</translation>
    </message>
    <message>
        <source>Close %1 (or: kill %2), then run qovctl doctor again</source>
        <translation>Schließen Sie %1 (oder: kill %2) und führen Sie dann qovctl doctor erneut aus</translation>
    </message>
    <message>
        <source>Close %1 (or: kill %2), then choose Run Again</source>
        <translation>Schließen Sie %1 (oder: kill %2) und wählen Sie dann &quot;Erneut prüfen&quot;</translation>
    </message>
    <message>
        <source>that program</source>
        <translation>dieses Programm</translation>
    </message>
    <message>
        <source>Close the program that holds it</source>
        <translation>Schließen Sie das Programm, das ihn belegt</translation>
    </message>
    <message>
        <source>%1 is held by %2</source>
        <translation>%1 wird belegt von %2</translation>
    </message>
    <message>
        <source>ModemManager is running and not told to leave the programmer alone (no udev rule for %1)</source>
        <translation>ModemManager läuft und weiß nicht, dass er den Programmer in Ruhe lassen soll (keine udev-Regel für %1)</translation>
    </message>
    <message>
        <source>Install the qov-tools package, which brings the programmer&apos;s udev rule (60-qov-programmer.rules)</source>
        <translation>Installieren Sie das Paket qov-tools, das die udev-Regel des Programmers mitbringt (60-qov-programmer.rules)</translation>
    </message>
    <message>
        <source>Install the udev rule: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload</source>
        <translation>Installieren Sie die udev-Regel: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload</translation>
    </message>
    <message>
        <source> (or: sudo systemctl stop ModemManager)</source>
        <translation> (oder: sudo systemctl stop ModemManager)</translation>
    </message>
    <message>
        <source>no other program holds %1</source>
        <translation>kein anderes Programm belegt %1</translation>
    </message>
    <message>
        <source>no program of yours holds %1; programs of other users cannot be seen without root</source>
        <translation>keines Ihrer Programme belegt %1; Programme anderer Benutzer sind ohne root nicht sichtbar</translation>
    </message>
</context>
<context>
    <name>DoctorStep</name>
    <message>
        <source>Which port</source>
        <extracomment>the doctor&apos;s steps, each named at the start of its line</extracomment>
        <translation>Welcher Port</translation>
    </message>
    <message>
        <source>Device node</source>
        <extracomment>the port&apos;s file under /dev is there</extracomment>
        <translation>Gerätedatei</translation>
    </message>
    <message>
        <source>Access</source>
        <extracomment>this user may read and write the port</extracomment>
        <translation>Zugriff</translation>
    </message>
    <message>
        <source>Not in use</source>
        <extracomment>no other program holds the port</extracomment>
        <translation>Nicht belegt</translation>
    </message>
    <message>
        <source>Open and power cycle</source>
        <translation>Öffnen und Aus-/Einschalten</translation>
    </message>
    <message>
        <source>Greeting</source>
        <extracomment>the bytes the board sends when its power returns</extracomment>
        <translation>Gruß</translation>
    </message>
    <message>
        <source>Firmware</source>
        <extracomment>the board&apos;s firmware version</extracomment>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>One read</source>
        <extracomment>reading one setting from the board</extracomment>
        <translation>Ein Lesevorgang</translation>
    </message>
    <message>
        <source>Writing</source>
        <extracomment>writing settings to the board, which the check never tries</extracomment>
        <translation>Schreiben</translation>
    </message>
</context>
<context>
    <name>FieldRules</name>
    <message>
        <source>Button: Unknown</source>
        <translation>Taste: unbekannt</translation>
    </message>
    <message>
        <source>Button: </source>
        <translation>Taste: </translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Save</source>
        <extracomment>The caption of the box asking to replace a file when saving a profile</extracomment>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>LearnReport</name>
    <message>
        <source>Code: </source>
        <extracomment>An infrared code received in learn mode</extracomment>
        <translation>Code: </translation>
    </message>
</context>
<context>
    <name>LearnSession</name>
    <message numerus="yes">
        <source>the QOV sent %n byte(s) that make no whole code: %2%3 (a code is 4C and three bytes)</source>
        <extracomment>%2 is the bytes in hex, %3 empty or &quot; ...&quot; when there were more</extracomment>
        <translation>
            <numerusform>der QOV hat %n Byte gesendet, das keinen ganzen Code ergibt: %2%3 (ein Code ist 4C und drei Bytes)</numerusform>
            <numerusform>der QOV hat %n Bytes gesendet, die keinen ganzen Code ergeben: %2%3 (ein Code ist 4C und drei Bytes)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LearnWindow</name>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Learn Mode</source>
        <translation>Lernmodus</translation>
    </message>
    <message>
        <source>Please press ANY button on the remote while pointing at the QOV, then press OK</source>
        <translation>Bitte drücken Sie eine BELIEBIGE Taste der Fernbedienung, während Sie auf den QOV zielen, und dann OK</translation>
    </message>
    <message>
        <source>Learn mode stopped: the programmer port %1 stopped working.<byte value="xd"/>
<byte value="xd"/>
Error: %2<byte value="xd"/>
%3</source>
        <translation>Lernmodus beendet: Der Programmer-Port %1 funktioniert nicht mehr.<byte value="xd"/>
<byte value="xd"/>
Fehler: %2<byte value="xd"/>
%3</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;QOV Version</source>
        <translation>&amp;QOV-Version</translation>
    </message>
    <message>
        <source>&amp;Learn Mode</source>
        <translation>&amp;Lernmodus</translation>
    </message>
    <message>
        <source>Show List of Codes</source>
        <translation>Liste der Codes anzeigen</translation>
    </message>
    <message>
        <source>Clear Values</source>
        <translation>Werte löschen</translation>
    </message>
    <message>
        <source>Load Default Values</source>
        <translation>Standardwerte laden</translation>
    </message>
    <message>
        <source>Debug Tools</source>
        <translation>Diagnosewerkzeuge</translation>
    </message>
    <message>
        <source>Check Connection</source>
        <translation>Verbindung prüfen</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation>&amp;Information</translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation>&amp;Webseite</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Debug Enabled</source>
        <translation>Debug-Modus aktiviert</translation>
    </message>
    <message>
        <source>The program runs with the default settings. Choices made in the Settings menu apply until the program ends; they will not be kept.</source>
        <translation>Das Programm läuft mit den Standardeinstellungen. Was Sie im Menü Einstellungen wählen, gilt bis zum Programmende; es wird nicht gespeichert.</translation>
    </message>
    <message>
        <source>Dont forget to set the proper programmer type (and port number if using serial programmer) in the settings menu.</source>
        <translation>Vergessen Sie nicht, im Menü Einstellungen den richtigen Programmer-Typ (und beim seriellen Programmer die Portnummer) einzustellen.</translation>
    </message>
    <message>
        <source>First Time Information</source>
        <translation>Hinweis zum ersten Start</translation>
    </message>
    <message>
        <source>The values shown have not been written to the board or saved to a profile.</source>
        <translation>Die angezeigten Werte wurden weder auf die Platine geschrieben noch in einem Profil gespeichert.</translation>
    </message>
    <message>
        <source>Close and discard them?</source>
        <translation>Schließen und verwerfen?</translation>
    </message>
    <message>
        <source>QOV Version: </source>
        <translation>QOV-Version: </translation>
    </message>
    <message>
        <source>Programming software for the QOV infrared receiver board</source>
        <translation>Programmiersoftware für die QOV-Infrarot-Empfängerplatine</translation>
    </message>
    <message>
        <source>Please visit %1 for more information</source>
        <translation>Weitere Informationen finden Sie unter %1</translation>
    </message>
    <message>
        <source>Prog Type:</source>
        <translation>Prog.-Typ:</translation>
    </message>
    <message>
        <source>Main Settings</source>
        <translation>Haupteinstellungen</translation>
    </message>
    <message>
        <source>Allow Power ON</source>
        <translation>Einschalten erlauben</translation>
    </message>
    <message>
        <source>Allow Power OFF</source>
        <translation>Ausschalten erlauben</translation>
    </message>
    <message>
        <source>Allow Eject Tray</source>
        <translation>Laufwerk öffnen erlauben</translation>
    </message>
    <message>
        <source>Turn on xbox by Eject (fw 2.5+)</source>
        <translation>Xbox mit Eject einschalten (FW 2.5+)</translation>
    </message>
    <message>
        <source>Power Button Push Delay</source>
        <extracomment>The console&apos;s power button, held for the time below</extracomment>
        <translation>Haltezeit der Ein/Aus-Taste</translation>
    </message>
    <message>
        <source>Mod On:</source>
        <translation>Mod an:</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Mod Off:</source>
        <translation>Mod aus:</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled</source>
        <translation>Einschalten mit aktiviertem Mod</translation>
    </message>
    <message>
        <source>Code:</source>
        <extracomment>The infrared code a remote button sends</extracomment>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled</source>
        <translation>Einschalten mit deaktiviertem Mod</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>No. Btn Presses:</source>
        <translation>Tastendrücke:</translation>
    </message>
    <message>
        <source>Eject Tray</source>
        <translation>Laufwerk öffnen</translation>
    </message>
    <message>
        <source>Read Values</source>
        <translation>Werte lesen</translation>
    </message>
    <message>
        <source>Write All</source>
        <translation>Alle schreiben</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>Install the qov-tools package, which brings the programmer&apos;s udev rule (60-qov-programmer.rules)</source>
        <translation>Installieren Sie das Paket qov-tools, das die udev-Regel des Programmers mitbringt (60-qov-programmer.rules)</translation>
    </message>
    <message>
        <source>Install the udev rule: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload, then plug the programmer in again</source>
        <translation>Installieren Sie die udev-Regel: sudo cp %1 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload, und stecken Sie dann den Programmer erneut ein</translation>
    </message>
    <message>
        <source>this user cannot read and write %1, which belongs to the group %2</source>
        <translation>dieser Benutzer kann %1 nicht lesen und schreiben; es gehört der Gruppe %2</translation>
    </message>
    <message>
        <source>(unknown)</source>
        <translation>(unbekannt)</translation>
    </message>
    <message>
        <source> and lets no group in</source>
        <translation> und lässt keine Gruppe zu</translation>
    </message>
    <message>
        <source>; you are in it</source>
        <translation>; Sie sind Mitglied dieser Gruppe</translation>
    </message>
    <message>
        <source>; you were added to it after this login began</source>
        <translation>; Sie wurden erst nach Beginn dieser Anmeldung hinzugefügt</translation>
    </message>
    <message>
        <source>; you are not in it</source>
        <translation>; Sie sind nicht Mitglied dieser Gruppe</translation>
    </message>
    <message>
        <source>; the programmer&apos;s udev rule (60-qov-programmer.rules) is not installed</source>
        <translation>; die udev-Regel des Programmers (60-qov-programmer.rules) ist nicht installiert</translation>
    </message>
    <message>
        <source>; the programmer&apos;s udev rule is installed (%1)</source>
        <translation>; die udev-Regel des Programmers ist installiert (%1)</translation>
    </message>
    <message>
        <source>Log out and in again</source>
        <translation>Melden Sie sich ab und wieder an</translation>
    </message>
    <message>
        <source>Give the device to the dialout group (sudo chgrp dialout %1 &amp;&amp; sudo chmod g+rw %1), then sudo usermod -aG dialout $USER and log in again</source>
        <translation>Geben Sie das Gerät der Gruppe dialout (sudo chgrp dialout %1 &amp;&amp; sudo chmod g+rw %1), dann sudo usermod -aG dialout $USER, und melden Sie sich erneut an</translation>
    </message>
    <message>
        <source>sudo usermod -aG %1 $USER, then log out and in again</source>
        <translation>sudo usermod -aG %1 $USER, dann melden Sie sich ab und wieder an</translation>
    </message>
    <message>
        <source>Check the device&apos;s permissions with ls -l %1</source>
        <translation>Prüfen Sie die Zugriffsrechte des Geräts mit ls -l %1</translation>
    </message>
    <message>
        <source>the path of the device %1 is too long for its serial lock file, whose name is made from the path</source>
        <translation>der Pfad des Geräts %1 ist zu lang für seine serielle Sperrdatei, deren Name aus dem Pfad gebildet wird</translation>
    </message>
    <message>
        <source>Use a shorter path, such as a link to the device in a short folder</source>
        <translation>Verwenden Sie einen kürzeren Pfad, etwa einen Link auf das Gerät in einem kurzen Ordner</translation>
    </message>
    <message>
        <source>brltty (for braille displays) has claimed it: without a braille display, remove it (sudo apt remove brltty), then plug the programmer in again</source>
        <translation>brltty (für Braillezeilen) hat das Gerät belegt: wenn Sie keine Braillezeile haben, entfernen Sie brltty (sudo apt remove brltty) und stecken Sie dann den Programmer erneut ein</translation>
    </message>
    <message>
        <source>brltty (for braille displays) may have claimed it: without a braille display, remove it (sudo apt remove brltty)</source>
        <translation>brltty (für Braillezeilen) hat das Gerät vielleicht belegt: wenn Sie keine Braillezeile haben, entfernen Sie brltty (sudo apt remove brltty)</translation>
    </message>
    <message>
        <source>the device %1 is not there</source>
        <translation>das Gerät %1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM port (qovctl ports lists the serial ports)</source>
        <translation>Stecken Sie den Programmer ein und prüfen Sie den COM-Port (qovctl ports listet die seriellen Ports auf)</translation>
    </message>
    <message>
        <source>Plug in the programmer and check the COM port (Settings &gt; Com Port)</source>
        <translation>Stecken Sie den Programmer ein und prüfen Sie den COM-Port (Einstellungen &gt; COM-Port)</translation>
    </message>
    <message>
        <source>%1 is not a serial port</source>
        <translation>%1 ist kein serieller Port</translation>
    </message>
    <message>
        <source>Choose a serial port (qovctl ports lists the serial ports)</source>
        <translation>Wählen Sie einen seriellen Port (qovctl ports listet die seriellen Ports auf)</translation>
    </message>
    <message>
        <source>Choose a serial port (Settings &gt; Com Port)</source>
        <translation>Wählen Sie einen seriellen Port (Einstellungen &gt; COM-Port)</translation>
    </message>
    <message>
        <source>no hardware answers behind %1</source>
        <translation>hinter %1 antwortet keine Hardware</translation>
    </message>
    <message>
        <source>Pick a port that is there: qovctl ports lists the serial ports</source>
        <translation>Wählen Sie einen vorhandenen Port: qovctl ports listet die seriellen Ports auf</translation>
    </message>
    <message>
        <source>Pick a port that is there: Settings &gt; Com Port</source>
        <translation>Wählen Sie einen vorhandenen Port: Einstellungen &gt; COM-Port</translation>
    </message>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 wird von einem anderen Programm benutzt</translation>
    </message>
    <message>
        <source> (ModemManager may be probing it)</source>
        <translation> (ModemManager fragt es vielleicht gerade ab)</translation>
    </message>
    <message>
        <source>Find the program that holds it (sudo fuser -v %1), close it and try again</source>
        <translation>Suchen Sie das Programm, das es belegt (sudo fuser -v %1), schließen Sie es und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>Unplug the programmer, plug it in again and try again; if it stays, save a trace with the debug log and contact us</source>
        <translation>Ziehen Sie den Programmer ab, stecken Sie ihn wieder ein und versuchen Sie es erneut; bleibt der Fehler, zeichnen Sie ein Debug-Protokoll auf und wenden Sie sich an uns</translation>
    </message>
    <message>
        <source>%1 (PID %2)</source>
        <translation>%1 (PID %2)</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>ein Programm</translation>
    </message>
    <message>
        <source>Another program has the port open too: %1</source>
        <translation>Ein anderes Programm hat den Port ebenfalls geöffnet: %1</translation>
    </message>
</context>
<context>
    <name>PortDiagnosis</name>
    <message>
        <source>The port %1 is in use by PID %2%3 (lock file %4). Close that program and try again.</source>
        <extracomment>%3 is empty or a comma and the program&apos;s name: &quot;PID 4242, minicom&quot;</extracomment>
        <translation>Der Port %1 wird von PID %2%3 benutzt (Sperrdatei %4). Schließen Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>PortListing</name>
    <message>
        <source>No serial ports found.</source>
        <translation>Keine seriellen Ports gefunden.</translation>
    </message>
    <message>
        <source>DEVICE</source>
        <translation>GERÄT</translation>
    </message>
    <message>
        <source>SERIAL</source>
        <translation>SERIENNUMMER</translation>
    </message>
    <message>
        <source>NOTE</source>
        <translation>HINWEIS</translation>
    </message>
    <message>
        <source>USB programmer (%1)</source>
        <translation>USB-Programmer (%1)</translation>
    </message>
</context>
<context>
    <name>PreferenceStore</name>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a settings file</source>
        <translation>sie ist keine Einstellungsdatei</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the preferences file %1 cannot be read: %2</source>
        <translation>die Einstellungsdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>es ist %1, keine normale Datei</translation>
    </message>
</context>
<context>
    <name>Profile</name>
    <message>
        <source>Profile field &quot;%1&quot; must be %2; found %3</source>
        <translation>Das Profilfeld &quot;%1&quot; muss %2 sein; gefunden: %3</translation>
    </message>
    <message>
        <source>Profile is larger than 1 MiB</source>
        <translation>Das Profil ist größer als 1 MiB</translation>
    </message>
    <message>
        <source>Profile is not valid JSON: %1 at line %2, column %3</source>
        <translation>Das Profil ist kein gültiges JSON: %1 in Zeile %2, Spalte %3</translation>
    </message>
    <message>
        <source>Profile must be a JSON object ({ ... })</source>
        <translation>Das Profil muss ein JSON-Objekt sein ({ ... })</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is given more than once</source>
        <translation>Das Profilfeld &quot;%1&quot; kommt mehr als einmal vor</translation>
    </message>
    <message>
        <source>Profile field &quot;format&quot; must be &quot;%1&quot;; found %2</source>
        <translation>Das Profilfeld &quot;format&quot; muss &quot;%1&quot; sein; gefunden: %2</translation>
    </message>
    <message>
        <source>Profile field &quot;version&quot; must be %1; found %2</source>
        <translation>Das Profilfeld &quot;version&quot; muss %1 sein; gefunden: %2</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is not a setting (the fields are: %2)</source>
        <translation>Das Profilfeld &quot;%1&quot; ist keine Einstellung (die Felder sind: %2)</translation>
    </message>
    <message>
        <source>Profile field &quot;%1&quot; is missing (%2)</source>
        <translation>Das Profilfeld &quot;%1&quot; fehlt (%2)</translation>
    </message>
    <message>
        <source>Cannot read profile %1: %2</source>
        <translation>Das Profil %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Profile %1 is larger than 1 MiB</source>
        <translation>Das Profil %1 ist größer als 1 MiB</translation>
    </message>
    <message>
        <source>Cannot read profile %1: it is %2, not a regular file</source>
        <translation>Das Profil %1 kann nicht gelesen werden: es ist %2, keine normale Datei</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>es ist %1, keine normale Datei</translation>
    </message>
    <message>
        <source>Cannot write profile %1: %2</source>
        <translation>Das Profil %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>QOV settings profile (*.json)</source>
        <translation>QOV-Einstellungsprofil (*.json)</translation>
    </message>
    <message>
        <source>a list</source>
        <translation>eine Liste</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>nothing</source>
        <extracomment>A profile field&apos;s value that is not there: &quot;found nothing&quot;</extracomment>
        <translation>nichts</translation>
    </message>
    <message>
        <source>Profile is empty</source>
        <translation>Das Profil ist leer</translation>
    </message>
</context>
<context>
    <name>ProgrammerPort</name>
    <message>
        <source>Port already open</source>
        <translation>Port bereits geöffnet</translation>
    </message>
    <message>
        <source>Operation valid only when the port is open</source>
        <translation>Vorgang nur bei geöffnetem Port möglich</translation>
    </message>
    <message>
        <source>Invalid port number</source>
        <translation>Ungültige Portnummer</translation>
    </message>
    <message>
        <source>it could not be opened</source>
        <translation>es konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Error writing to the device %1</source>
        <translation>Fehler beim Schreiben auf das Gerät %1</translation>
    </message>
    <message>
        <source>Error reading from the device %1</source>
        <translation>Fehler beim Lesen vom Gerät %1</translation>
    </message>
    <message>
        <source>The device %1 is no longer available</source>
        <translation>Das Gerät %1 ist nicht mehr verfügbar</translation>
    </message>
</context>
<context>
    <name>ProgrammerSelection</name>
    <message>
        <source>QOV Is Installed In Xbox (self powered)</source>
        <translation>QOV ist in der Xbox eingebaut (eigene Stromversorgung)</translation>
    </message>
    <message>
        <source>Force QOV Programmer To Provide Power To QOV</source>
        <translation>QOV immer über den Programmer mit Strom versorgen</translation>
    </message>
    <message>
        <source>Programmer Type</source>
        <translation>Programmer-Typ</translation>
    </message>
    <message>
        <source>Serial Programmer (RS232)</source>
        <translation>Serieller Programmer (RS232)</translation>
    </message>
    <message>
        <source>USB Programmer</source>
        <translation>USB-Programmer</translation>
    </message>
    <message>
        <source>Com Port</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>Serial - COM%1</source>
        <translation>Seriell - COM%1</translation>
    </message>
    <message>
        <source>USB Auto</source>
        <translation>USB automatisch</translation>
    </message>
    <message>
        <source>USB Manual - COM%1</source>
        <translation>USB manuell - COM%1</translation>
    </message>
    <message>
        <source>Set for this run only: the preferences cannot be saved</source>
        <translation>Nur für diesen Lauf gesetzt: die Einstellungen können nicht gespeichert werden</translation>
    </message>
</context>
<context>
    <name>QovctlOptions</name>
    <message>
        <source>Reads and writes the settings of a QOV infrared receiver board.</source>
        <translation>Liest und schreibt die Einstellungen einer QOV-Infrarot-Empfängerplatine.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe zeigen.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Die Version des Programms zeigen.</translation>
    </message>
    <message>
        <source>Programmer cable for this run: serial or usb.</source>
        <translation>Programmierkabel für diesen Lauf: serial oder usb.</translation>
    </message>
    <message>
        <source>COM port number N (1-255) for this run.</source>
        <translation>COM-Port-Nummer N (1-255) für diesen Lauf.</translation>
    </message>
    <message>
        <source>Any serial device, bypassing COM numbers and USB discovery.</source>
        <translation>Ein beliebiges serielles Gerät, ohne COM-Nummern und USB-Suche.</translation>
    </message>
    <message>
        <source>The QOV is installed in the Xbox (a missing greeting is no failure).</source>
        <translation>Der QOV ist in der Xbox eingebaut (ein fehlender Gruß ist kein Fehler).</translation>
    </message>
    <message>
        <source>The programmer powers the QOV regardless.</source>
        <translation>Der Programmer versorgt den QOV in jedem Fall mit Strom.</translation>
    </message>
    <message>
        <source>Write the debug trace to FILE (&apos;-&apos;: standard error).</source>
        <translation>Das Debug-Protokoll in DATEI schreiben (&apos;-&apos;: Standardfehlerausgabe).</translation>
    </message>
    <message>
        <source>Write the debug trace to standard error (the same as --debug-log -).</source>
        <translation>Das Debug-Protokoll auf die Standardfehlerausgabe schreiben (wie --debug-log -).</translation>
    </message>
    <message>
        <source>Talk to a built-in simulated QOV instead of a programmer.</source>
        <translation>Mit einem eingebauten simulierten QOV statt mit einem Programmer arbeiten.</translation>
    </message>
    <message>
        <source>Print nothing but errors and the results asked for.</source>
        <translation>Nur Fehler und die verlangten Ergebnisse ausgeben.</translation>
    </message>
    <message>
        <source>read, defaults: print a JSON profile; learn: one JSON object per code; write, verify, version, ports, doctor: print JSON.</source>
        <translation>read, defaults: ein JSON-Profil ausgeben; learn: ein JSON-Objekt pro Code; write, verify, version, ports, doctor: JSON ausgeben.</translation>
    </message>
    <message>
        <source>read, defaults: write to FILE instead of the screen (&apos;-&apos;: the screen).</source>
        <translation>read, defaults: in DATEI statt auf den Bildschirm schreiben (&apos;-&apos;: der Bildschirm).</translation>
    </message>
    <message>
        <source>write: write the factory defaults.</source>
        <translation>write: die Werkseinstellungen schreiben.</translation>
    </message>
    <message>
        <source>learn: stop after N codes (default 1).</source>
        <translation>learn: nach N Codes aufhören (Standard 1).</translation>
    </message>
    <message>
        <source>learn: give up after SECONDS (default %1).</source>
        <translation>learn: nach SEKUNDEN aufgeben (Standard %1).</translation>
    </message>
    <message>
        <source>read, write, verify, version, learn, ports, defaults or doctor</source>
        <translation>read, write, verify, version, learn, ports, defaults oder doctor</translation>
    </message>
    <message>
        <source>Usage: qovctl [options] &lt;command&gt; [arguments]</source>
        <translation>Aufruf: qovctl [Optionen] &lt;Befehl&gt; [Argumente]</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unbekannter Befehl &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--%1 does not apply to &quot;%2&quot;</source>
        <translation>--%1 gilt nicht für &quot;%2&quot;</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot; after &quot;%2&quot;</source>
        <translation>unerwartetes Argument &quot;%1&quot; nach &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--programmer must be serial or usb</source>
        <translation>--programmer muss serial oder usb sein</translation>
    </message>
    <message>
        <source>--port must be a COM port number from %1 to %2</source>
        <translation>--port muss eine COM-Port-Nummer von %1 bis %2 sein</translation>
    </message>
    <message>
        <source>--device needs the path of a serial device</source>
        <translation>--device braucht den Pfad eines seriellen Geräts</translation>
    </message>
    <message>
        <source>choose only one of --port, --device and --simulate</source>
        <translation>wählen Sie nur eines von --port, --device und --simulate</translation>
    </message>
    <message>
        <source>--debug-log needs a file name</source>
        <translation>--debug-log braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>choose only one of --verbose and --debug-log</source>
        <translation>wählen Sie nur eines von --verbose und --debug-log</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>cannot write %1: no such directory, or it is a directory</source>
        <translation>%1 kann nicht geschrieben werden: kein solcher Ordner, oder es ist ein Ordner</translation>
    </message>
    <message>
        <source>verify needs a profile file (- for standard input)</source>
        <translation>verify braucht eine Profildatei (- für die Standardeingabe)</translation>
    </message>
    <message>
        <source>write needs either a profile file or --defaults</source>
        <translation>write braucht entweder eine Profildatei oder --defaults</translation>
    </message>
    <message>
        <source>--count must be a whole number from 1 to 1000</source>
        <translation>--count muss eine ganze Zahl von 1 bis 1000 sein</translation>
    </message>
    <message>
        <source>--timeout must be a whole number of seconds from 1 to %1</source>
        <translation>--timeout muss eine ganze Zahl von Sekunden von 1 bis %1 sein</translation>
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
        <translation>Befehle:
  read [--json] [-o DATEI]  Die Einstellungen des QOV lesen (als Tabelle oder als
                            JSON-Profil)
  write PROFIL.json [--json]
                            Ein Profil auf den QOV schreiben, jede Speicherstelle
                            geprüft (--json: geprüfte und ungeprüfte Einstellungen
                            als JSON)
  write --defaults          Die Werkseinstellungen auf den QOV schreiben
  verify PROFIL.json [--json]
                            Den QOV lesen und die Einstellungen auflisten, die vom
                            Profil abweichen; nichts wird geschrieben
  version [--json]          Den QOV nach seiner Firmware-Version fragen
  learn [--count N] [--timeout SEKUNDEN] [--json]
                            Die Codes zeigen, die der QOV von einer Fernbedienung
                            empfängt, jeden sofort (--json: ein JSON-Objekt pro Zeile)
  ports [--json]            Serielle Ports auflisten; der USB-Programmer ist markiert
  defaults [--json] [-o DATEI]
                            Die Werkseinstellungen zeigen (oder ein Profil davon)
  doctor [--json]           Port und QOV Schritt für Schritt prüfen, mit einer
                            Abhilfe für jeden Fehler (nichts wird auf den QOV
                            geschrieben)

Ein Profil namens - wird von der Standardeingabe gelesen (write -, verify -);
-o - schreibt auf die Standardausgabe. Auf einem Terminal zeigen Lesen und
Schreiben ihren Fortschritt in einer Zeile der Fehlerausgabe; --quiet lässt
Fortschritt, Hinweise und Erfolgsmeldungen weg.

Die Verbindung folgt den gespeicherten Einstellungen des Fensters; die Optionen
oben ändern sie für einen Lauf und speichern nichts.
Exit-Status: 0 Erfolg, 1 der QOV oder der Port ist fehlgeschlagen (verify: oder
eine Einstellung weicht ab), 2 falscher Aufruf, ein fehlerhaftes Profil oder
unbrauchbare Einstellungen (nichts wird an den QOV gesendet) oder ein Ergebnis,
das nicht geschrieben werden konnte. Während write hält Strg-C nach der
laufenden Einstellung an (Exit 1); ein zweites Strg-C hält sofort an (Exit 130).
Während learn beendet Strg-C das Warten (Exit 1); der QOV bleibt im Lernmodus,
bis an ihm eine Taste der Fernbedienung gedrückt wird.
Mit --json gibt ein Fehler außerdem {&quot;error&quot;: ..., &quot;exitStatus&quot;: N} auf
der Standardausgabe aus.
</translation>
    </message>
    <message>
        <source>the debug log %1 is the profile %2: the trace would replace it; name another file for the log</source>
        <translation>das Debug-Protokoll %1 ist das Profil %2: die Aufzeichnung würde es ersetzen; geben Sie eine andere Datei für das Protokoll an</translation>
    </message>
    <message>
        <source>on standard input</source>
        <translation>auf der Standardeingabe</translation>
    </message>
    <message>
        <source>the debug log %1 is the output file %2: one would replace the other; name another file for the log</source>
        <translation>das Debug-Protokoll %1 ist die Ausgabedatei %2: die eine würde die andere ersetzen; geben Sie eine andere Datei für das Protokoll an</translation>
    </message>
    <message>
        <source>on standard output</source>
        <translation>auf der Standardausgabe</translation>
    </message>
    <message>
        <source>%1 is given more than once (%2); give it once</source>
        <translation>%1 ist mehrfach angegeben (%2); geben Sie es nur einmal an</translation>
    </message>
</context>
<context>
    <name>RemoteButton</name>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Rücklauf</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vorlauf</translation>
    </message>
    <message>
        <source>Skip-</source>
        <translation>Zurückspringen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Skip+</source>
        <translation>Vorspringen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Up Arrow</source>
        <translation>Pfeil hoch</translation>
    </message>
    <message>
        <source>Down Arrow</source>
        <translation>Pfeil runter</translation>
    </message>
    <message>
        <source>Left Arrow</source>
        <translation>Pfeil links</translation>
    </message>
    <message>
        <source>Right Arrow</source>
        <translation>Pfeil rechts</translation>
    </message>
</context>
<context>
    <name>SettingField</name>
    <message>
        <source> (unknown button)</source>
        <translation> (unbekannte Taste)</translation>
    </message>
    <message>
        <source>1 to 6 hexadecimal digits</source>
        <translation>1 bis 6 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>Valid values for %1 are: %2</source>
        <translation>Gültige Werte für %1 sind: %2</translation>
    </message>
    <message>
        <source>The board holds %1 for %2; valid values are %3.</source>
        <translation>Die Platine hat %1 für %2; gültige Werte sind %3.</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source> msec</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Allow Power ON</source>
        <translation>Einschalten erlauben</translation>
    </message>
    <message>
        <source>Allow Power OFF</source>
        <translation>Ausschalten erlauben</translation>
    </message>
    <message>
        <source>Allow Eject Tray</source>
        <translation>Laufwerk öffnen erlauben</translation>
    </message>
    <message>
        <source>Turn on xbox by Eject (fw 2.5+)</source>
        <translation>Xbox mit Eject einschalten (FW 2.5+)</translation>
    </message>
    <message>
        <source>Push Delay Mod On</source>
        <translation>Haltezeit Mod an</translation>
    </message>
    <message>
        <source>Mod On</source>
        <translation>Mod an</translation>
    </message>
    <message>
        <source>ModOn Power Button Push Delay</source>
        <translation>Haltezeit der Ein/Aus-Taste für Mod an</translation>
    </message>
    <message>
        <source>Push Delay Mod Off</source>
        <translation>Haltezeit Mod aus</translation>
    </message>
    <message>
        <source>Mod Off</source>
        <translation>Mod aus</translation>
    </message>
    <message>
        <source>ModOff Power Button Push Delay</source>
        <translation>Haltezeit der Ein/Aus-Taste für Mod aus</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled</source>
        <translation>Einschalten mit aktiviertem Mod</translation>
    </message>
    <message>
        <source>Turn On with Mod Enabled Code</source>
        <translation>Code für Einschalten mit aktiviertem Mod</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled</source>
        <translation>Einschalten mit deaktiviertem Mod</translation>
    </message>
    <message>
        <source>Turn On with Mod Disabled Code</source>
        <translation>Code für Einschalten mit deaktiviertem Mod</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>Turn Off Code</source>
        <translation>Code für Ausschalten</translation>
    </message>
    <message>
        <source>Turn Off No. Btn Presses</source>
        <translation>Tastendrücke für Ausschalten</translation>
    </message>
    <message>
        <source>No. Button Presses for Turn Off</source>
        <translation>Anzahl der Tastendrücke für Ausschalten</translation>
    </message>
    <message>
        <source>Eject Tray</source>
        <translation>Laufwerk öffnen</translation>
    </message>
    <message>
        <source>Eject Tray Code</source>
        <translation>Code für Laufwerk öffnen</translation>
    </message>
    <message>
        <source>Eject Tray No. Btn Presses</source>
        <translation>Tastendrücke für Laufwerk öffnen</translation>
    </message>
    <message>
        <source>No. Button Presses for Eject Tray</source>
        <translation>Anzahl der Tastendrücke für Laufwerk öffnen</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <extracomment>A range of msec: %1 the least, %2 the most</extracomment>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>%1 to %2 in steps of %3</source>
        <extracomment>msec: %1 the least, %2 the most, %3 the step</extracomment>
        <translation>%1 bis %2 in Schritten von %3</translation>
    </message>
    <message>
        <source>%1-%2</source>
        <extracomment>A range of button presses: %1 the least, %2 the most</extracomment>
        <translation>%1-%2</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <extracomment>Button presses: %1 the least, %2 the most</extracomment>
        <translation>eine ganze Zahl von %1 bis %2</translation>
    </message>
</context>
<context>
    <name>SettingsTransactions</name>
    <message>
        <source>Closing Port</source>
        <translation>Port wird geschlossen</translation>
    </message>
    <message>
        <source>Reading settings again...</source>
        <translation>Einstellungen werden erneut gelesen...</translation>
    </message>
    <message>
        <source>Checking settings again...</source>
        <translation>Einstellungen werden erneut geprüft...</translation>
    </message>
    <message>
        <source>Reading settings...</source>
        <translation>Einstellungen werden gelesen...</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>Einstellungen gelesen</translation>
    </message>
    <message>
        <source>Err: Read Incomplete</source>
        <translation>Fehler: Lesen unvollständig</translation>
    </message>
    <message>
        <source>Writting Settings...</source>
        <translation>Einstellungen werden geschrieben...</translation>
    </message>
    <message>
        <source>Wrote Settings Succesfully</source>
        <translation>Einstellungen erfolgreich geschrieben</translation>
    </message>
    <message>
        <source>Err: Write Stopped</source>
        <translation>Fehler: Schreiben abgebrochen</translation>
    </message>
    <message>
        <source>Err: Write Failed</source>
        <translation>Fehler: Schreiben fehlgeschlagen</translation>
    </message>
    <message>
        <source>answered with extra bytes: location(s) %1</source>
        <translation>antwortete mit zusätzlichen Bytes: Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>Lost the connection to the programmer on %1: the programmer stopped responding or was unplugged. Check that it is plugged in and its cable is seated, then try again.</source>
        <translation>Die Verbindung zum Programmer an %1 ist verloren: Der Programmer antwortet nicht mehr oder wurde abgezogen. Prüfen Sie, ob er eingesteckt ist und das Kabel richtig sitzt, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>(The system said: %1)</source>
        <translation>(Meldung des Systems: %1)</translation>
    </message>
    <message>
        <source>no answer from location(s) %1</source>
        <translation>keine Antwort von Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>Read incomplete: %1</source>
        <translation>Lesen unvollständig: %1</translation>
    </message>
    <message>
        <source>Error: Unable to Write to Location %1</source>
        <translation>Fehler: Speicherstelle %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Write incomplete: could not write location(s) %1</source>
        <translation>Schreiben unvollständig: nicht geschrieben: Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>The board %1</source>
        <translation>Die Platine %1</translation>
    </message>
    <message>
        <source>Written Succesfully</source>
        <translation>Erfolgreich geschrieben</translation>
    </message>
    <message>
        <source>Write stopped: not written and verified: location(s) %1</source>
        <translation>Schreiben abgebrochen: nicht geschrieben und geprüft: Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>No answer from the board at locations %1: the write was stopped.</source>
        <translation>Keine Antwort der Platine an den Speicherstellen %1: das Schreiben wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Read incomplete: nothing from this read was applied; the settings are as they were before it.</source>
        <translation>Lesen unvollständig: nichts von diesem Lesevorgang wurde übernommen; die Einstellungen sind wie vor dem Lesen.</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Folder not kept: the preferences cannot be saved</source>
        <translation>Ordner nicht gemerkt: die Einstellungen können nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Not read from the board</source>
        <translation>Nicht von der Platine gelesen</translation>
    </message>
    <message>
        <source>Not accepted: %1</source>
        <translation>Nicht angenommen: %1</translation>
    </message>
    <message>
        <source>These were not read from the board: </source>
        <translation>Diese wurden nicht von der Platine gelesen: </translation>
    </message>
    <message>
        <source>. Read Values again, or give them a value.</source>
        <translation>. Lesen Sie die Werte erneut oder geben Sie ihnen einen Wert.</translation>
    </message>
    <message>
        <source>These fields do not hold a value that can be sent: </source>
        <translation>Diese Felder enthalten keinen Wert, der gesendet werden kann: </translation>
    </message>
    <message>
        <source>These fields are blank: </source>
        <translation>Diese Felder sind leer: </translation>
    </message>
    <message>
        <source>. Read Values or Load Default Values first.</source>
        <translation>. Lesen Sie zuerst die Werte oder laden Sie die Standardwerte.</translation>
    </message>
    <message>
        <source>Not started: another command is using the port</source>
        <translation>Nicht gestartet: ein anderer Befehl benutzt den Port</translation>
    </message>
    <message>
        <source>Not started: Learn Mode holds the port (press Done)</source>
        <translation>Nicht gestartet: der Lernmodus belegt den Port (Fertig drücken)</translation>
    </message>
    <message>
        <source>Write All did not start; nothing was written.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Alle schreiben wurde nicht gestartet; nichts wurde geschrieben.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Nothing was saved.<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Nichts wurde gespeichert.<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Error In Startup Line: </source>
        <translation>Fehler beim Start in Zeile: </translation>
    </message>
    <message>
        <source>Code: </source>
        <translation>Code: </translation>
    </message>
    <message>
        <source>Details: </source>
        <translation>Einzelheiten: </translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>in %1</translation>
    </message>
    <message>
        <source>The stored preference %1 is &quot;%2&quot;%3%4; it takes %5.<byte value="xd"/>
Fix or delete the key, then start again.</source>
        <translation>Die gespeicherte Einstellung %1 ist &quot;%2&quot;%3%4; sie erlaubt %5.<byte value="xd"/>
Korrigieren oder löschen Sie den Schlüssel und starten Sie dann erneut.</translation>
    </message>
</context>
<context>
    <name>StoredPreferences</name>
    <message>
        <source>True or False</source>
        <extracomment>True and False are the values as written in the preferences file: keep them</extracomment>
        <translation>True oder False</translation>
    </message>
    <message>
        <source>a COM port number from %1 to %2</source>
        <translation>eine COM-Portnummer von %1 bis %2</translation>
    </message>
    <message>
        <source>not a number</source>
        <translation>keine Zahl</translation>
    </message>
    <message>
        <source>out of range</source>
        <translation>außerhalb des Bereichs</translation>
    </message>
    <message>
        <source>1 (serial programmer) or 2 (USB programmer)</source>
        <translation>1 (serieller Programmer) oder 2 (USB-Programmer)</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation>ein FIFO (benannte Pipe)</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine normale Datei</translation>
    </message>
    <message>
        <source>its owner (%1, group %2) cannot be kept: %3</source>
        <translation>ihr Eigentümer (%1, Gruppe %2) kann nicht beibehalten werden: %3</translation>
    </message>
    <message>
        <source>its mode (%1) cannot be kept: %2</source>
        <translation>ihre Zugriffsrechte (%1) können nicht beibehalten werden: %2</translation>
    </message>
</context>
<context>
    <name>qovctl</name>
    <message>
        <source>Writing</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>Lesen</translation>
    </message>
    <message numerus="yes">
        <source>learning: point a remote at the QOV and press a button (%n code(s), up to %1 s)</source>
        <translation>
            <numerusform>lernt: Richten Sie eine Fernbedienung auf den QOV und drücken Sie eine Taste (%n Code, höchstens %1 s)</numerusform>
            <numerusform>lernt: Richten Sie eine Fernbedienung auf den QOV und drücken Sie eine Taste (%n Codes, höchstens %1 s)</numerusform>
        </translation>
    </message>
    <message>
        <source>Try &apos;qovctl --help&apos;.</source>
        <translation>Versuchen Sie &apos;qovctl --help&apos;.</translation>
    </message>
    <message>
        <source>reading the QOV failed</source>
        <translation>das Lesen des QOV ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>SETTING</source>
        <translation>EINSTELLUNG</translation>
    </message>
    <message>
        <source>ON THE BOARD</source>
        <translation>AUF DER PLATINE</translation>
    </message>
    <message>
        <source>IN THE FILE</source>
        <translation>IN DER DATEI</translation>
    </message>
    <message>
        <source>The QOV matches %1: all %2 settings.</source>
        <translation>Der QOV stimmt mit %1 überein: alle %2 Einstellungen.</translation>
    </message>
    <message>
        <source>QOV Version: </source>
        <translation>QOV-Version: </translation>
    </message>
    <message>
        <source>All 20 locations written and verified.</source>
        <translation>Alle 20 Speicherstellen geschrieben und geprüft.</translation>
    </message>
    <message>
        <source>writing the QOV failed</source>
        <translation>das Schreiben des QOV ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>lost the connection to the programmer on %1: %2</source>
        <translation>die Verbindung zum Programmer an %1 ist verloren: %2</translation>
    </message>
    <message numerus="yes">
        <source>learn stopped by %1 with %2 of %n code(s)</source>
        <translation>
            <numerusform>Lernen durch %1 beendet mit %2 von %n Code</numerusform>
            <numerusform>Lernen durch %1 beendet mit %2 von %n Codes</numerusform>
        </translation>
    </message>
    <message>
        <source>; the QOV stays in learn mode until a remote button is pressed at it: press any button on the remote while pointing at the QOV</source>
        <translation>; der QOV bleibt im Lernmodus, bis an ihm eine Taste der Fernbedienung gedrückt wird: Drücken Sie eine beliebige Taste, während Sie auf den QOV zielen</translation>
    </message>
    <message numerus="yes">
        <source>learn timed out after %1 s with %2 of %n code(s)</source>
        <translation>
            <numerusform>Lernen nach %1 s abgelaufen mit %2 von %n Code</numerusform>
            <numerusform>Lernen nach %1 s abgelaufen mit %2 von %n Codes</numerusform>
        </translation>
    </message>
    <message>
        <source>; the QOV is still in learn mode: press any button on the remote while pointing at the QOV</source>
        <translation>; der QOV ist noch im Lernmodus: Drücken Sie eine beliebige Taste der Fernbedienung, während Sie auf den QOV zielen</translation>
    </message>
    <message>
        <source>the stored preference %1 is &quot;%2&quot;, not %3; set it in the window&apos;s Settings menu, or pass %4 for this run</source>
        <translation>die gespeicherte Einstellung %1 ist &quot;%2&quot;, nicht %3; setzen Sie sie im Menü Einstellungen des Fensters oder geben Sie %4 für diesen Lauf an</translation>
    </message>
    <message>
        <source>; make it readable, or remove it to start from the defaults</source>
        <translation>; machen Sie sie lesbar oder entfernen Sie sie, um mit den Standardwerten zu beginnen</translation>
    </message>
    <message>
        <source>no programmer port is available</source>
        <translation>kein Programmer-Port ist verfügbar</translation>
    </message>
    <message>
        <source>cannot create the debug log %1: %2</source>
        <translation>das Debug-Protokoll %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot write the debug log %1: %2</source>
        <translation>das Debug-Protokoll %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>USB programmer found on COM %1 (%2)</source>
        <translation>USB-Programmer an COM %1 gefunden (%2)</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2; printing it here instead</source>
        <translation>%1 kann nicht geschrieben werden: %2; stattdessen hier ausgegeben</translation>
    </message>
    <message>
        <source>%1 of %2 settings on the QOV differ from %3</source>
        <translation>%1 von %2 Einstellungen auf dem QOV weichen von %3 ab</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>location(s) %1</source>
        <translation>Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>stopped by %1; written and verified: %2; not written and verified: %3</source>
        <translation>durch %1 abgebrochen; geschrieben und geprüft: %2; nicht geschrieben und geprüft: %3</translation>
    </message>
    <message>
        <source>not all 20 locations were verified; failed location(s): %1</source>
        <translation>nicht alle 20 Speicherstellen wurden geprüft; fehlgeschlagen: Speicherstelle(n) %1</translation>
    </message>
    <message>
        <source>cannot read standard input: %1</source>
        <translation>die Standardeingabe kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>standard input: %1</source>
        <translation>Standardeingabe: %1</translation>
    </message>
    <message>
        <source>
qovctl: stopping learn mode (a second signal stops at once)
</source>
        <translation>
qovctl: Lernmodus wird beendet (ein zweites Signal beendet sofort)
</translation>
    </message>
    <message>
        <source>standard input is empty: no profile came on it</source>
        <translation>die Standardeingabe ist leer: darauf kam kein Profil</translation>
    </message>
    <message>
        <source>; nothing was sent</source>
        <translation>; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>cannot write to standard output: </source>
        <translation>die Standardausgabe kann nicht geschrieben werden: </translation>
    </message>
    <message>
        <source>write failed</source>
        <translation>Schreiben fehlgeschlagen</translation>
    </message>
    <message>
        <source>nothing written</source>
        <translation>nichts geschrieben</translation>
    </message>
    <message>
        <source>
qovctl: stopping after the setting in progress (a second signal stops at once)
</source>
        <translation>
qovctl: Abbruch nach der laufenden Einstellung (ein zweites Signal beendet sofort)
</translation>
    </message>
    <message>
        <source>it is closed</source>
        <translation>sie ist geschlossen</translation>
    </message>
    <message>
        <source>the profile on standard input</source>
        <translation>das Profil auf der Standardeingabe</translation>
    </message>
    <message>
        <source>; nothing was read</source>
        <translation>; nichts wurde gelesen</translation>
    </message>
    <message>
        <source>the QOV&apos;s answer &quot;%1&quot; (%2) is no version: %3; run &apos;qovctl doctor&apos; to check the line</source>
        <translation>die Antwort des QOV &quot;%1&quot; (%2) ist keine Version: %3; führen Sie &apos;qovctl doctor&apos; aus, um die Leitung zu prüfen</translation>
    </message>
    <message>
        <source>it does not start with a version number</source>
        <translation>sie beginnt nicht mit einer Versionsnummer</translation>
    </message>
    <message>
        <source>it has control characters or is too long</source>
        <translation>sie enthält Steuerzeichen oder ist zu lang</translation>
    </message>
    <message>
        <source>waiting for a writer on %1...</source>
        <translation>warte auf einen Schreiber an %1...</translation>
    </message>
    <message>
        <source>waiting for a reader on %1...</source>
        <translation>warte auf einen Leser an %1...</translation>
    </message>
    <message>
        <source>; nothing was written</source>
        <translation>; nichts wurde geschrieben</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> in %1</translation>
    </message>
    <message>
        <source>Make it readable, or remove it to start from the defaults</source>
        <translation>Machen Sie sie lesbar oder entfernen Sie sie, um mit den Standardwerten zu beginnen</translation>
    </message>
    <message>
        <source>the stored preference %1%2 is &quot;%3&quot;, not %4</source>
        <translation>die gespeicherte Einstellung %1%2 ist &quot;%3&quot;, nicht %4</translation>
    </message>
    <message>
        <source>Set it in the window&apos;s Settings menu, or remove the line %1 from the file to use the default; for this run only, pass %2</source>
        <translation>Setzen Sie sie im Menü Einstellungen des Fensters oder entfernen Sie die Zeile %1 aus der Datei, um den Standardwert zu verwenden; nur für diesen Lauf geben Sie %2 an</translation>
    </message>
</context>
</TS>
