<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Accelerometer</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Axes colors:	&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;X - red&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;Y - blue&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;Z - black&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Achsenfarben:	&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;X - rot&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;Y - blau&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;Z - schwarz&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>BoardChoice</name>
    <message>
        <source>Board</source>
        <translation>Platine</translation>
    </message>
    <message>
        <source>%1, serial number %2</source>
        <translation>%1, Seriennummer %2</translation>
    </message>
    <message>
        <source>No board attached</source>
        <translation>Keine Platine angeschlossen</translation>
    </message>
    <message>
        <source>%1 (serial number %2)</source>
        <translation>%1 (Seriennummer %2)</translation>
    </message>
    <message>
        <source> – used by another window</source>
        <translation> – von einem anderen Fenster belegt</translation>
    </message>
</context>
<context>
    <name>BoardLink</name>
    <message>
        <source>Could not open the board&apos;s port %1: another window of this panel is using it. Quit that window and try again.</source>
        <translation>Der Port %1 der Platine konnte nicht geöffnet werden: Ein anderes Fenster dieses Panels verwendet ihn. Schließen Sie dieses Fenster und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Could not connect to your device.</source>
        <translation>Keine Verbindung zu Ihrem Gerät möglich.</translation>
    </message>
    <message>
        <source>There is no board %1.</source>
        <translation>Es gibt keine Platine %1.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.

Your user may not use serial ports yet. Install the panel&apos;s udev rule (it comes with &quot;cmake --install&quot;), or add yourself to the group that owns the port (&quot;dialout&quot; on Debian and Ubuntu, &quot;uucp&quot; on Arch): sudo usermod -aG dialout $USER. Then unplug the board, log out and log in again.</source>
        <translation>Der Port %1 der Platine konnte nicht geöffnet werden: %2.

Ihr Benutzer darf serielle Ports wohl noch nicht verwenden. Installieren Sie die udev-Regel des Panels (sie wird mit „cmake --install“ installiert) oder treten Sie der Gruppe bei, der der Port gehört („dialout“ unter Debian und Ubuntu, „uucp“ unter Arch): sudo usermod -aG dialout $USER. Ziehen Sie danach die Platine ab, melden Sie sich ab und wieder an.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: another program is using it (%2). Close that program and try again.</source>
        <translation>Der Port %1 der Platine konnte nicht geöffnet werden: Ein anderes Programm verwendet ihn (%2). Beenden Sie dieses Programm und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.</source>
        <translation>Der Port %1 der Platine konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering (%1).</source>
        <translation>Die Platine wurde abgezogen oder zurückgesetzt, oder sie antwortet nicht mehr (%1).</translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering.</source>
        <translation>Die Platine wurde abgezogen oder zurückgesetzt, oder sie antwortet nicht mehr.</translation>
    </message>
    <message>
        <source>The connection to the board on %1 was lost. %2 Waiting for it to come back…</source>
        <translation>Die Verbindung zur Platine an %1 ist unterbrochen. %2 Warte, bis sie wieder da ist …</translation>
    </message>
</context>
<context>
    <name>BoardOptions</name>
    <message>
        <source>Use the board on this port (ttyACM1 or /dev/ttyACM1) or with this USB serial number. Default: the first board found.</source>
        <translation>Die Platine an diesem Port (ttyACM1 oder /dev/ttyACM1) oder mit dieser USB-Seriennummer verwenden. Vorgabe: die erste gefundene Platine.</translation>
    </message>
    <message>
        <source>Use the serial device at PATH as the board, whatever its USB ids (the standalone virtual board, a board with other ids).</source>
        <translation>Das serielle Gerät unter PATH als Platine verwenden, unabhängig von seinen USB-IDs (die eigenständige virtuelle Platine, eine Platine mit anderen IDs).</translation>
    </message>
</context>
<context>
    <name>CaptureSaving</name>
    <message>
        <source>Save Each Capture…</source>
        <translation>Jede Erfassung speichern …</translation>
    </message>
    <message>
        <source>Save Pictures Too</source>
        <translation>Auch Bilder speichern</translation>
    </message>
    <message>
        <source>Saving captures</source>
        <translation>Erfassungen werden gespeichert</translation>
    </message>
    <message>
        <source>1 capture saved</source>
        <translation>1 Erfassung gespeichert</translation>
    </message>
    <message>
        <source>%1 captures saved</source>
        <translation>%1 Erfassungen gespeichert</translation>
    </message>
    <message>
        <source>, %1 missed</source>
        <translation>, %1 verpasst</translation>
    </message>
</context>
<context>
    <name>ChannelFilter</name>
    <message>
        <source>the time constant of ema is a number of seconds above 0</source>
        <translation>die Zeitkonstante bei ema ist ein Wert in Sekunden größer als 0</translation>
    </message>
    <message>
        <source>the frequency of lowpass and highpass is a number of hertz above 0</source>
        <translation>die Frequenz bei lowpass und highpass ist ein Wert in Hertz größer als 0</translation>
    </message>
    <message>
        <source>the count of median is a whole number from 1 to 1000</source>
        <translation>die Anzahl bei median ist eine ganze Zahl von 1 bis 1000</translation>
    </message>
</context>
<context>
    <name>ChartWindow</name>
    <message>
        <source>1 min</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 h</translation>
    </message>
    <message>
        <source>8 h</source>
        <translation>8 h</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alles</translation>
    </message>
    <message>
        <source>Follow</source>
        <translation>Mitlaufen</translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation>Angezeigte Daten exportieren …</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Zeitspanne</translation>
    </message>
    <message>
        <source>%1 none</source>
        <translation>%1 keine</translation>
    </message>
    <message>
        <source>%1 %2 / %3 / %4 %5, %6</source>
        <translation>%1 %2 / %3 / %4 %5, %6</translation>
    </message>
    <message>
        <source>min / mean / max, readings:  </source>
        <translation>Min. / Mittel / Max., Messwerte:  </translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>Daten exportieren</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Qt options, as in every Qt program:</source>
        <translation>Qt-Optionen, wie in jedem Qt-Programm:</translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos; after &apos;--open&apos;. Instruments: %2.</source>
        <translation>Unbekanntes Instrument &apos;%1&apos; nach &apos;--open&apos;. Instrumente: %2.</translation>
    </message>
    <message>
        <source>Open the instrument NAME once the launcher is shown, as its button does: %1. May be given more than once.</source>
        <translation>Das Instrument NAME öffnen, sobald der Starter angezeigt wird, wie es seine Schaltfläche tut: %1. Kann mehrfach angegeben werden.</translation>
    </message>
    <message>
        <source>Open FILE, a recording or an export the panel wrote, in a window of its own, as a FILE given alone does. May be given more than once.</source>
        <translation>FILE, eine Aufzeichnung oder einen Export des Panels, in einem eigenen Fenster öffnen, wie es eine allein angegebene FILE tut. Kann mehrfach angegeben werden.</translation>
    </message>
    <message>
        <source>A recording or an export to open.</source>
        <translation>Eine zu öffnende Aufzeichnung oder ein Export.</translation>
    </message>
    <message>
        <source>Where several boards are attached, windows take the board on port NAME (ttyACM1 or /dev/ttyACM1) or with USB serial number NAME first.</source>
        <translation>Sind mehrere Platinen angeschlossen, nehmen die Fenster zuerst die Platine an Port NAME (ttyACM1 oder /dev/ttyACM1) oder mit der USB-Seriennummer NAME.</translation>
    </message>
    <message>
        <source>Forget every setting the panel kept (windows&apos; choices, places and sizes, folders) and open as on the first start.</source>
        <translation>Alle gespeicherten Einstellungen des Panels vergessen (Auswahl, Position und Größe der Fenster, Ordner) und wie beim ersten Start öffnen.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for the options.</source>
        <translation>Die Optionen zeigt &apos;%1 --help&apos;.</translation>
    </message>
    <message>
        <source>Control panel for the USB measurement board: voltmeter, accelerometer, oscilloscope, counter and PWM generator, each in its own window.</source>
        <translation>Bedienpanel für die USB-Messplatine: Voltmeter, Beschleunigungssensor, Oszilloskop, Frequenzzähler und PWM-Generator, jeweils in einem eigenen Fenster.</translation>
    </message>
    <message>
        <source>--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not &apos;%1&apos;.</source>
        <translation>--listen erwartet [ADDR:]PORT, etwa 5025 oder 0.0.0.0:5025, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Serve SCPI clients (lab scripts) on this address and port while the panel runs, as Remote Control in the launcher&apos;s menu does. Default address: 127.0.0.1, this computer only.</source>
        <translation>SCPI-Clients (Laborskripte) an dieser Adresse und diesem Port bedienen, solange das Panel läuft, wie es „Fernsteuerung“ im Menü des Starters tut. Vorgabe für die Adresse: 127.0.0.1, nur dieser Computer.</translation>
    </message>
</context>
<context>
    <name>Counter</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Low frequency counter:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Frequenzzähler (NF):&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;----&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;----&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;PAD0:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;PAD0:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Hz&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Hz&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>CsvRecorder</name>
    <message>
        <source>the disk could not keep up</source>
        <translation>der Datenträger kam nicht hinterher</translation>
    </message>
</context>
<context>
    <name>CursorReadout</name>
    <message>
        <source>A %1  B %2  Δ %3 samples</source>
        <translation>A %1  B %2  Δ %3 Abtastwerte</translation>
    </message>
    <message>
        <source>Sample %1</source>
        <translation>Abtastwert %1</translation>
    </message>
</context>
<context>
    <name>FileSaving</name>
    <message>
        <source>Saving</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Writing %1…</source>
        <translation>Schreibe %1 …</translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation>%1 konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Could not save</source>
        <translation>Speichern fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>InstrumentDialog</name>
    <message>
        <source>Show Raw Data</source>
        <translation>Rohdaten anzeigen</translation>
    </message>
    <message>
        <source>Serial port error</source>
        <translation>Fehler am seriellen Port</translation>
    </message>
    <message>
        <source>Copy Reading</source>
        <translation>Messwert kopieren</translation>
    </message>
    <message>
        <source>Show Chart</source>
        <translation>Verlauf anzeigen</translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation>Rohdaten – %1</translation>
    </message>
    <message>
        <source>Raw Data – %1 (%2)</source>
        <translation>Rohdaten – %1 (%2)</translation>
    </message>
</context>
<context>
    <name>InstrumentProtocol</name>
    <message>
        <source>%1 Chart</source>
        <translation>%1 – Verlauf</translation>
    </message>
</context>
<context>
    <name>LanesView</name>
    <message>
        <source>Lane Range…</source>
        <translation>Spurbereich …</translation>
    </message>
    <message>
        <source>Automatic Lane Ranges</source>
        <translation>Automatische Spurbereiche</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The language could not be kept: %1 could not be written.</source>
        <translation>Die Sprache konnte nicht gespeichert werden: %1 ließ sich nicht schreiben.</translation>
    </message>
    <message>
        <source>Applies at the next start</source>
        <translation>Gilt ab dem nächsten Start</translation>
    </message>
</context>
<context>
    <name>Languages</name>
    <message>
        <source>Speak LANGUAGE for this run: %1. Default: the one chosen in the launcher&apos;s menu, or en.</source>
        <translation>Für diesen Lauf die Sprache LANGUAGE verwenden: %1. Vorgabe: die im Menü des Starters gewählte, sonst en.</translation>
    </message>
    <message>
        <source>Unknown language &apos;%1&apos; after &apos;--lang&apos;. Languages: %2.</source>
        <translation>Unbekannte Sprache &apos;%1&apos; nach &apos;--lang&apos;. Sprachen: %2.</translation>
    </message>
</context>
<context>
    <name>ListenAddress</name>
    <message>
        <source>%1:%2 is open to other computers without authentication: anyone who reaches it drives the board. Prefer 127.0.0.1 and an ssh tunnel.</source>
        <translation>%1:%2 ist für andere Computer ohne Authentifizierung offen: Wer diese Adresse erreicht, steuert die Platine. Besser 127.0.0.1 und einen SSH-Tunnel verwenden.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Voltmeter</source>
        <translation>Voltmeter</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels: &lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;0 mV&lt;br/&gt;-&lt;br/&gt;3300 mV&lt;/p&gt;&lt;p&gt;Averaging:&lt;br/&gt;8x times&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Kanäle: &lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Bereich:&lt;br/&gt;0 mV&lt;br/&gt;-&lt;br/&gt;3300 mV&lt;/p&gt;&lt;p&gt;Mittelung:&lt;br/&gt;8-fach&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Accelerometer</source>
        <translation>Beschleunigung</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;HW:&lt;br/&gt;&lt;span style=&quot; color:#000000;&quot;&gt;MMA8652&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Range:&lt;br/&gt;(-2 g) - 2 g&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Plotting tool&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Sensor:&lt;br/&gt;&lt;span style=&quot; color:#000000;&quot;&gt;MMA8652&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Bereich:&lt;br/&gt;(-2 g) - 2 g&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Mit Plot&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Osciloscope</source>
        <translation>Oszilloskop</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 mV&lt;/p&gt;&lt;p&gt;Plotting tool&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Kanäle:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Auflösung:&lt;br/&gt;1 mV&lt;/p&gt;&lt;p&gt;Mit Plot&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 Hz&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 39 kHz&lt;/p&gt;&lt;p&gt;One chanel&lt;br/&gt;at time only!&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Kanäle:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;/p&gt;&lt;p&gt;Auflösung:&lt;br/&gt;1 Hz&lt;/p&gt;&lt;p&gt;Bereich:&lt;br/&gt;1 Hz - 39 kHz&lt;/p&gt;&lt;p&gt;Nur ein Kanal&lt;br/&gt;zugleich!&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>PWM generator</source>
        <translation>PWM-Generator</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Zähler</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 2 kHz&lt;/p&gt;&lt;p&gt;Suitable for:&lt;br/&gt;sine&lt;br/&gt;square&lt;br/&gt;saw&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Kanäle:&lt;br/&gt;PAD0&lt;/p&gt;&lt;p&gt;Bereich:&lt;br/&gt;1 Hz - 2 kHz&lt;/p&gt;&lt;p&gt;Geeignet für:&lt;br/&gt;Sinus&lt;br/&gt;Rechteck&lt;br/&gt;Sägezahn&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>PWM Generator</source>
        <translation>PWM-Generator</translation>
    </message>
    <message>
        <source>Remote Control…</source>
        <translation>Fernsteuerung …</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math Channel</source>
        <translation>Rechenkanal</translation>
    </message>
    <message>
        <source>optional, for example °C</source>
        <translation>optional, zum Beispiel °C</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Formula:</source>
        <translation>Formel:</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Einheit:</translation>
    </message>
</context>
<context>
    <name>MathChannelMenu</name>
    <message>
        <source>Add Math Channel…</source>
        <translation>Rechenkanal hinzufügen …</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>%1 anzeigen</translation>
    </message>
    <message>
        <source>Math Channels</source>
        <translation>Rechenkanäle</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Bearbeiten …</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>MathChannels</name>
    <message>
        <source>a window has at most 4 math channels</source>
        <translation>ein Fenster hat höchstens 4 Rechenkanäle</translation>
    </message>
    <message>
        <source>a name is a letter, then up to 15 letters, digits or “_”</source>
        <translation>ein Name ist ein Buchstabe, gefolgt von bis zu 15 Buchstaben, Ziffern oder „_“</translation>
    </message>
    <message>
        <source>the name “%1” is already in use</source>
        <translation>der Name „%1“ ist bereits vergeben</translation>
    </message>
</context>
<context>
    <name>MathFormula</name>
    <message>
        <source>the formula is empty</source>
        <translation>die Formel ist leer</translation>
    </message>
    <message>
        <source>a formula is at most 1000 characters long</source>
        <translation>eine Formel ist höchstens 1000 Zeichen lang</translation>
    </message>
    <message>
        <source>a formula gives one value: no commas outside a function</source>
        <translation>eine Formel ergibt einen Wert: keine Kommas außerhalb einer Funktion</translation>
    </message>
    <message>
        <source>the formula cannot be read</source>
        <translation>die Formel ist nicht lesbar</translation>
    </message>
    <message>
        <source>avg and rms are followed by a bracket</source>
        <translation>auf avg und rms folgt eine Klammer</translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name first</source>
        <translation>avg und rms erwarten zuerst einen Kanalnamen</translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name, a comma and a count</source>
        <translation>avg und rms erwarten einen Kanalnamen, ein Komma und eine Anzahl</translation>
    </message>
    <message>
        <source>the count of avg and rms is a whole number from 1 to 10000</source>
        <translation>die Anzahl bei avg und rms ist eine ganze Zahl von 1 bis 10000</translation>
    </message>
    <message>
        <source>avg and rms take two values and a closing bracket</source>
        <translation>avg und rms erwarten zwei Werte und eine schließende Klammer</translation>
    </message>
    <message>
        <source>a formula holds letters, digits, operators and brackets only</source>
        <translation>eine Formel enthält nur Buchstaben, Ziffern, Operatoren und Klammern</translation>
    </message>
    <message>
        <source>a formula cannot assign (=)</source>
        <translation>eine Formel kann nichts zuweisen (=)</translation>
    </message>
    <message>
        <source>the number “%1” is too large</source>
        <translation>die Zahl „%1“ ist zu groß</translation>
    </message>
    <message>
        <source>“%1” is not a function</source>
        <translation>„%1“ ist keine Funktion</translation>
    </message>
    <message>
        <source>unknown function “%1”</source>
        <translation>unbekannte Funktion „%1“</translation>
    </message>
    <message>
        <source>“%1” is followed by a bracket</source>
        <translation>auf „%1“ folgt eine Klammer</translation>
    </message>
    <message>
        <source>unknown name “%1”</source>
        <translation>unbekannter Name „%1“</translation>
    </message>
    <message>
        <source>a formula holds at most 8 calls of avg and rms</source>
        <translation>eine Formel enthält höchstens 8 Aufrufe von avg und rms</translation>
    </message>
    <message>
        <source>“%1” cannot stand here</source>
        <translation>„%1“ ist hier nicht erlaubt</translation>
    </message>
    <message>
        <source>an operator is missing before “%1”</source>
        <translation>vor „%1“ fehlt ein Operator</translation>
    </message>
    <message>
        <source>an operator is missing before “(”</source>
        <translation>vor „(“ fehlt ein Operator</translation>
    </message>
    <message>
        <source>a bracket is not opened</source>
        <translation>eine Klammer wird nicht geöffnet</translation>
    </message>
    <message>
        <source>a value is missing before “)”</source>
        <translation>vor „)“ fehlt ein Wert</translation>
    </message>
    <message>
        <source>a value is missing before the comma</source>
        <translation>vor dem Komma fehlt ein Wert</translation>
    </message>
    <message>
        <source>a bracket is not closed</source>
        <translation>eine Klammer wird nicht geschlossen</translation>
    </message>
    <message>
        <source>the formula ends too soon</source>
        <translation>die Formel endet zu früh</translation>
    </message>
    <message>
        <source>“%1” takes another number of values</source>
        <translation>„%1“ erwartet eine andere Anzahl von Werten</translation>
    </message>
    <message>
        <source>a value is missing before “?”</source>
        <translation>vor „?“ fehlt ein Wert</translation>
    </message>
    <message>
        <source>“?” needs a “:” after it</source>
        <translation>auf „?“ muss ein „:“ folgen</translation>
    </message>
    <message>
        <source>“:” has no “?” before it</source>
        <translation>vor „:“ steht kein „?“</translation>
    </message>
    <message>
        <source>%1 (at character %2)</source>
        <translation>%1 (bei Zeichen %2)</translation>
    </message>
    <message>
        <source>a formula holds at most 8 filters</source>
        <translation>eine Formel enthält höchstens 8 Filter</translation>
    </message>
</context>
<context>
    <name>Measurements</name>
    <message>
        <source>%1  no data</source>
        <translation>%1  keine Daten</translation>
    </message>
    <message>
        <source>%1  min %2  max %3  mean %4  p-p %5  period %6</source>
        <translation>%1  Min %2  Max %3  Mittel %4  Ss %5  Periode %6</translation>
    </message>
    <message>
        <source>%1 samples/s</source>
        <translation>%1 Abtastwerte/s</translation>
    </message>
</context>
<context>
    <name>MqttPublisher</name>
    <message>
        <source>the MQTT client could not be made</source>
        <translation>der MQTT-Client konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>TLS could not be set up: %1</source>
        <translation>TLS ließ sich nicht einrichten: %1</translation>
    </message>
    <message>
        <source>the MQTT network thread could not start: %1</source>
        <translation>der MQTT-Netzwerk-Thread konnte nicht starten: %1</translation>
    </message>
    <message>
        <source>the TLS handshake failed: </source>
        <translation>der TLS-Handshake ist fehlgeschlagen: </translation>
    </message>
</context>
<context>
    <name>MqttTarget</name>
    <message>
        <source>the topic prefix is too long: the %1&apos;s topic would be %2 bytes, MQTT allows %3</source>
        <translation>das Topic-Präfix ist zu lang: das Topic für %1 hätte %2 Bytes, MQTT erlaubt %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an mqtt:// or mqtts:// URL</source>
        <translation>&apos;%1&apos; ist keine mqtt://- oder mqtts://-URL</translation>
    </message>
    <message>
        <source>the URL &apos;%1&apos; names no broker</source>
        <translation>die URL &apos;%1&apos; nennt keinen Broker</translation>
    </message>
    <message>
        <source>a topic prefix cannot hold # or + (they are wildcards)</source>
        <translation>ein Topic-Präfix darf weder # noch + enthalten (das sind Platzhalter)</translation>
    </message>
    <message>
        <source>a topic prefix cannot hold %00</source>
        <translation>ein Topic-Präfix darf kein %00 enthalten</translation>
    </message>
    <message>
        <source>qos must be 0, 1 or 2, not &apos;%1&apos;</source>
        <translation>qos muss 0, 1 oder 2 sein, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the URL&apos;s &apos;%1&apos; is not understood (qos=N, and cafile=PATH with mqtts://)</source>
        <translation>&apos;%1&apos; in der URL ist unbekannt (qos=N, und cafile=PATH mit mqtts://)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>%1 names no user on its first line</source>
        <translation>%1 nennt in der ersten Zeile keinen Benutzer</translation>
    </message>
</context>
<context>
    <name>Osciloscope</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Chanels: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;PAD0&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;PAD1&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;PAD2&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Kanäle: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;PAD0&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;PAD1&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;PAD2&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>PlotCursors</name>
    <message>
        <source>Show Cursors</source>
        <translation>Cursor anzeigen</translation>
    </message>
</context>
<context>
    <name>PlotLook</name>
    <message>
        <source>Plot Colours</source>
        <translation>Plotfarben</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Follow the Desktop</source>
        <translation>Wie der Desktop</translation>
    </message>
</context>
<context>
    <name>PlotNavigator</name>
    <message>
        <source>Reset View</source>
        <translation>Ansicht zurücksetzen</translation>
    </message>
    <message>
        <source>Specified</source>
        <translation>Vorgegeben</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Set Range…</source>
        <translation>Bereich festlegen …</translation>
    </message>
    <message>
        <source>Y Range</source>
        <translation>Y-Bereich</translation>
    </message>
    <message>
        <source>Set Range</source>
        <translation>Bereich festlegen</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
</context>
<context>
    <name>Plotter</name>
    <message>
        <source>1 damaged frame skipped</source>
        <translation>1 beschädigter Frame übersprungen</translation>
    </message>
    <message>
        <source>%1 damaged frames skipped</source>
        <translation>%1 beschädigte Frames übersprungen</translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation>Bild speichern …</translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation>Angezeigte Daten exportieren …</translation>
    </message>
    <message>
        <source>Stop Plot</source>
        <translation>Plot anhalten</translation>
    </message>
    <message>
        <source>Start Plot</source>
        <translation>Plot starten</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Bild speichern</translation>
    </message>
    <message>
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>PNG-Bild (*.png);;PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>the image could not be made</source>
        <translation>das Bild konnte nicht erzeugt werden</translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>Daten exportieren</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Save Each Capture</source>
        <translation>Jede Erfassung speichern</translation>
    </message>
    <message>
        <source>Save Image in Light Colours…</source>
        <translation>Bild in hellen Farben speichern …</translation>
    </message>
</context>
<context>
    <name>PublishControl</name>
    <message>
        <source>Publish</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Broker URL (mqtt://host[:port]/topic-prefix, mqtts://…, ?qos=1):</source>
        <translation>Broker-URL (mqtt://host[:port]/topic-prefix, mqtts://…, ?qos=1):</translation>
    </message>
    <message>
        <source>Password, if the broker wants one (it is not kept):</source>
        <translation>Passwort, falls der Broker eines verlangt (wird nicht gespeichert):</translation>
    </message>
    <message>
        <source>Cannot publish to %1: %2</source>
        <translation>Veröffentlichen an %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>Stop Publishing</source>
        <translation>Veröffentlichen beenden</translation>
    </message>
    <message>
        <source>Publish…</source>
        <translation>Veröffentlichen …</translation>
    </message>
    <message>
        <source>publishing to %1</source>
        <translation>veröffentlicht an %1</translation>
    </message>
</context>
<context>
    <name>Pwm</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>PWM generator - PAD0</source>
        <translation>PWM-Generator - PAD0</translation>
    </message>
    <message>
        <source>Duty cycle (0 - 100%)</source>
        <translation>Tastgrad (0 - 100 %)</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frequenz (Hz)</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>PWM generator - PAD1</source>
        <translation>PWM-Generator - PAD1</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#ff0000;&quot;&gt;WARNING: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Using both chanels at the seame time causes fails in&lt;br/&gt;frequency and duty settings. Please use only one&lt;br/&gt;chanel at once.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#ff0000;&quot;&gt;WARNUNG: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Beide Kanäle zugleich verfälschen die Einstellung&lt;br/&gt;von Frequenz und Tastgrad. Bitte immer nur&lt;br/&gt;einen Kanal verwenden.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Board reconnected. Press Enable to set the outputs again.</source>
        <translation>Platine wieder verbunden. „Einschalten“ setzt die Ausgänge erneut.</translation>
    </message>
</context>
<context>
    <name>QAction</name>
    <message>
        <source>Open Recording…</source>
        <translation>Aufzeichnung öffnen …</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Aufzeichnung öffnen</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Open Recording</source>
        <translation>Aufzeichnung öffnen</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>reading: %1 %</source>
        <translation>lese: %1 %</translation>
    </message>
</context>
<context>
    <name>RawDataWindow</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation>Rohdaten – %1</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>%1 lines/s</source>
        <translation>%1 Zeilen/s</translation>
    </message>
</context>
<context>
    <name>RecorderCommandLine</name>
    <message>
        <source>Try &apos;boardpanel-record --help&apos; for the options.</source>
        <translation>Die Optionen zeigt &apos;boardpanel-record --help&apos;.</translation>
    </message>
    <message>
        <source>
Exit status:
  0  stopped by SIGINT, SIGTERM or SIGHUP, or at the end of --duration; the file is complete
  1  the board is not there or its port cannot be opened
  2  the command line was not understood
  3  the file cannot be created or written (a full disk, standard output closed)
  4  publishing cannot be set up (credentials file unreadable, TLS)
</source>
        <translation>
Exit-Status:
  0  durch SIGINT, SIGTERM oder SIGHUP oder am Ende von --duration beendet; die Datei ist vollständig
  1  die Platine ist nicht da, oder ihr Port lässt sich nicht öffnen
  2  die Befehlszeile wurde nicht verstanden
  3  die Datei lässt sich nicht anlegen oder schreiben (volle Festplatte, Standardausgabe geschlossen)
  4  das Veröffentlichen lässt sich nicht einrichten (Zugangsdatei nicht lesbar, TLS)
</translation>
    </message>
    <message>
        <source>--%1 takes %2, not &apos;%3&apos;.</source>
        <translation>--%1 erwartet %2, nicht &apos;%3&apos;.</translation>
    </message>
    <message>
        <source>The %1 has no computed channels; only these have: %2.</source>
        <translation>%1 hat keine berechneten Kanäle; nur diese haben welche: %2.</translation>
    </message>
    <message>
        <source>Give --math or --math-from-settings, not both.</source>
        <translation>Geben Sie --math oder --math-from-settings an, nicht beides.</translation>
    </message>
    <message>
        <source>--math takes NAME=FORMULA or NAME[UNIT]=FORMULA, not &apos;%1&apos;.</source>
        <translation>--math erwartet NAME=FORMULA oder NAME[UNIT]=FORMULA, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Which instrument? Give --instrument NAME: %1.</source>
        <translation>Welches Instrument? Geben Sie --instrument NAME an: %1.</translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos;. Instruments: %2.</source>
        <translation>Unbekanntes Instrument &apos;%1&apos;. Instrumente: %2.</translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation>Geben Sie --board oder --port an, nicht beides.</translation>
    </message>
    <message>
        <source>--out needs a file name, or - for standard output.</source>
        <translation>--out braucht einen Dateinamen oder - für die Standardausgabe.</translation>
    </message>
    <message>
        <source>a time such as 90s, 15m, 8h or 2d</source>
        <translation>eine Zeit wie 90s, 15m, 8h oder 2d</translation>
    </message>
    <message>
        <source>--rotate takes daily, hourly or a size such as 10M, not &apos;%1&apos;.</source>
        <translation>--rotate erwartet daily, hourly oder eine Größe wie 10M, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Standard output cannot be rotated: give --out a file name.</source>
        <translation>Die Standardausgabe lässt sich nicht rotieren: Geben Sie --out einen Dateinamen.</translation>
    </message>
    <message>
        <source>rows a second such as 10/s</source>
        <translation>Zeilen pro Sekunde wie 10/s</translation>
    </message>
    <message>
        <source>--mqtt-credentials needs --mqtt.</source>
        <translation>--mqtt-credentials braucht --mqtt.</translation>
    </message>
    <message>
        <source>Records what one instrument of the USB measurement board sends to a CSV file, without a window: the file a window&apos;s Start Recording writes. Ends on SIGINT, SIGTERM or SIGHUP, or after --duration, with the board stopped and the file complete.</source>
        <translation>Zeichnet ohne Fenster auf, was ein Instrument der USB-Messplatine sendet, in eine CSV-Datei: die Datei, die „Aufzeichnung starten“ eines Fensters schreibt. Endet bei SIGINT, SIGTERM oder SIGHUP oder nach --duration, mit angehaltener Platine und vollständiger Datei.</translation>
    </message>
    <message>
        <source>The instrument to run: %1.</source>
        <translation>Das zu betreibende Instrument: %1.</translation>
    </message>
    <message>
        <source>The CSV file; - for standard output. Default: &lt;instrument&gt;-&lt;date&gt;-&lt;time&gt;.csv in the current folder.</source>
        <translation>Die CSV-Datei; - für die Standardausgabe. Vorgabe: &lt;instrument&gt;-&lt;date&gt;-&lt;time&gt;.csv im aktuellen Ordner.</translation>
    </message>
    <message>
        <source>Stop after this time: 90s, 15m, 8h, 2d.</source>
        <translation>Nach dieser Zeit anhalten: 90s, 15m, 8h, 2d.</translation>
    </message>
    <message>
        <source>Start a new file every day (FILE-2026-12-08.csv), every hour (FILE-2026-12-08T14.csv) or when the file reaches SIZE (10M, 512K; FILE-&lt;date&gt;T&lt;time&gt;.csv), each with its header.</source>
        <translation>Jeden Tag (FILE-2026-12-08.csv), jede Stunde (FILE-2026-12-08T14.csv) oder wenn die Datei SIZE erreicht (10M, 512K; FILE-&lt;date&gt;T&lt;time&gt;.csv) eine neue Datei beginnen, jede mit Kopfzeile.</translation>
    </message>
    <message>
        <source>Record at most N rows a second; the others are skipped.</source>
        <translation>Höchstens N Zeilen pro Sekunde aufzeichnen; die übrigen werden übersprungen.</translation>
    </message>
    <message>
        <source>Also publish every reading, or the samples in up to 20 messages a second, to TOPIC-PREFIX/&lt;instrument&gt; on this broker: mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2].</source>
        <translation>Zusätzlich jeden Messwert, oder die Abtastwerte in bis zu 20 Nachrichten pro Sekunde, an TOPIC-PREFIX/&lt;instrument&gt; auf diesem Broker veröffentlichen: mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2].</translation>
    </message>
    <message>
        <source>Read the broker&apos;s user (first line) and password (second line) from FILE, rather than from the URL, where other users can see them. Under systemd a FILE without a / is a credential (LoadCredential=), and without this option the credential mqtt is read if there is one.</source>
        <translation>Benutzer (erste Zeile) und Passwort (zweite Zeile) des Brokers aus FILE lesen statt aus der URL, wo andere Benutzer sie sehen können. Unter systemd ist eine FILE ohne / ein Credential (LoadCredential=), und ohne diese Option wird das Credential mqtt gelesen, falls es eines gibt.</translation>
    </message>
    <message>
        <source>Also compute the channel NAME from FORMULA, as a window&apos;s Add Math Channel does, into a column of its own (osciloscope, accelerometer; up to 4, each may use the inputs and the channels before it); UNIT is optional: M1[mV]=PAD0-PAD1.</source>
        <translation>Zusätzlich den Kanal NAME aus FORMULA berechnen, wie es „Rechenkanal hinzufügen“ eines Fensters tut, in eine eigene Spalte (osciloscope, accelerometer; bis zu 4, jeder darf die Eingänge und die Kanäle vor ihm verwenden); UNIT ist optional: M1[mV]=PAD0-PAD1.</translation>
    </message>
    <message>
        <source>Compute the channels the panel keeps for the board (by its USB serial number), or else those its window keeps.</source>
        <translation>Die Kanäle berechnen, die das Panel für die Platine (nach ihrer USB-Seriennummer) gespeichert hat, sonst die ihres Fensters.</translation>
    </message>
    <message>
        <source>No status line and no messages but errors.</source>
        <translation>Keine Statuszeile und keine Meldungen außer Fehlern.</translation>
    </message>
</context>
<context>
    <name>RecorderSession</name>
    <message>
        <source>there is no device %1.</source>
        <translation>es gibt kein Gerät %1.</translation>
    </message>
    <message>
        <source>no board is plugged in (a serial port with USB vendor id 0d28).</source>
        <translation>keine Platine angeschlossen (ein serieller Port mit der USB-Hersteller-ID 0d28).</translation>
    </message>
    <message>
        <source>there is no board %1. Boards: %2.</source>
        <translation>es gibt keine Platine %1. Platinen: %2.</translation>
    </message>
    <message>
        <source>the panel keeps no computed channels for the %1.</source>
        <translation>das Panel hat für %1 keine berechneten Kanäle gespeichert.</translation>
    </message>
    <message>
        <source>the computed channels the panel keeps for the %1 cannot be computed: %2.</source>
        <translation>die für %1 gespeicherten berechneten Kanäle lassen sich nicht berechnen: %2.</translation>
    </message>
    <message>
        <source>computing %1.</source>
        <translation>berechne %1.</translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation>SIGINT, SIGTERM und SIGHUP lassen sich nicht überwachen.</translation>
    </message>
    <message>
        <source>cannot publish to %1: %2.</source>
        <translation>Veröffentlichen an %1 nicht möglich: %2.</translation>
    </message>
    <message>
        <source>publishing to %1 on %2.</source>
        <translation>veröffentliche an %1 auf %2.</translation>
    </message>
    <message>
        <source>connected to %1.</source>
        <translation>verbunden mit %1.</translation>
    </message>
    <message>
        <source>the broker %1 is unreachable; trying again.</source>
        <translation>der Broker %1 ist nicht erreichbar; neuer Versuch.</translation>
    </message>
    <message>
        <source>the broker %1 is unreachable (%2); trying again.</source>
        <translation>der Broker %1 ist nicht erreichbar (%2); neuer Versuch.</translation>
    </message>
    <message>
        <source>recording the %1 on %2 to %3.</source>
        <translation>zeichne %1 an %2 in %3 auf.</translation>
    </message>
    <message>
        <source>the board is back on %1; the recording goes on in %2.</source>
        <translation>die Platine ist wieder an %1; die Aufzeichnung geht in %2 weiter.</translation>
    </message>
    <message>
        <source>cannot write %1: %2. The file holds %3 rows.</source>
        <translation>%1 lässt sich nicht schreiben: %2. Die Datei enthält %3 Zeilen.</translation>
    </message>
    <message>
        <source>%1 messages published, %2 dropped.</source>
        <translation>%1 Nachrichten veröffentlicht, %2 verworfen.</translation>
    </message>
    <message>
        <source>stopped; %1 holds %2 rows.</source>
        <translation>angehalten; %1 enthält %2 Zeilen.</translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Start Recording…</source>
        <translation>Aufzeichnung starten …</translation>
    </message>
    <message>
        <source>● REC %1 %2 samples</source>
        <translation>● REC %1 %2 Abtastwerte</translation>
    </message>
    <message>
        <source>Record Data</source>
        <translation>Daten aufzeichnen</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>1 row</source>
        <translation>1 Zeile</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
    <message>
        <source>The recording ended; the file holds %1.</source>
        <translation>Die Aufzeichnung ist beendet; die Datei enthält %1.</translation>
    </message>
    <message>
        <source>The recording ended; nothing was written.</source>
        <translation>Die Aufzeichnung ist beendet; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Aufzeichnung beenden</translation>
    </message>
</context>
<context>
    <name>RecordingFiles</name>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
</context>
<context>
    <name>RecordingPlayer</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>¼×</source>
        <translation>¼×</translation>
    </message>
    <message>
        <source>1×</source>
        <translation>1×</translation>
    </message>
    <message>
        <source>4×</source>
        <translation>4×</translation>
    </message>
    <message>
        <source>16×</source>
        <translation>16×</translation>
    </message>
    <message>
        <source>As Fast As Possible</source>
        <translation>So schnell wie möglich</translation>
    </message>
    <message>
        <source>the last %1 of %2 rows</source>
        <translation>die letzten %1 von %2 Zeilen</translation>
    </message>
    <message>
        <source>the last row was incomplete and is left out</source>
        <translation>die letzte Zeile war unvollständig und fehlt</translation>
    </message>
</context>
<context>
    <name>RecordingReader</name>
    <message>
        <source>longer than %1 characters</source>
        <translation>länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>%1 fields, %2 expected</source>
        <translation>%1 Felder, %2 erwartet</translation>
    </message>
    <message>
        <source>not a recording or an export of this panel (it begins %1)</source>
        <translation>keine Aufzeichnung und kein Export dieses Panels (sie beginnt mit %1)</translation>
    </message>
    <message>
        <source>the sample number %1 is not a whole number</source>
        <translation>die Abtastwertnummer %1 ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>sample %1 comes after sample %2</source>
        <translation>Abtastwert %1 folgt auf Abtastwert %2</translation>
    </message>
    <message>
        <source>time_s %1 is not a time in seconds</source>
        <translation>time_s %1 ist keine Zeit in Sekunden</translation>
    </message>
    <message>
        <source>%1 %2 is not a whole number within range</source>
        <translation>%1 %2 ist keine ganze Zahl im gültigen Bereich</translation>
    </message>
    <message>
        <source>time_iso %1 is not a date and time</source>
        <translation>time_iso %1 ist kein Datum mit Uhrzeit</translation>
    </message>
    <message>
        <source>the reading number %1 is not a whole number</source>
        <translation>die Messwertnummer %1 ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>%1 %2 is not a number</source>
        <translation>%1 %2 ist keine Zahl</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>its only line is cut off</source>
        <translation>ihre einzige Zeile ist abgeschnitten</translation>
    </message>
    <message>
        <source>it holds no rows after its header</source>
        <translation>sie enthält nach der Kopfzeile keine Zeilen</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>cannot listen on %1:%2: %3.</source>
        <translation>kann nicht auf %1:%2 lauschen: %3.</translation>
    </message>
</context>
<context>
    <name>RemoteControlDialog</name>
    <message>
        <source>Serve SCPI clients</source>
        <translation>SCPI-Clients bedienen</translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation>Fernsteuerung</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>This is no address.</source>
        <translation>Das ist keine Adresse.</translation>
    </message>
</context>
<context>
    <name>SavedFile</name>
    <message>
        <source>it could not be opened within a second (nothing reads from it, or its disk does not answer)</source>
        <translation>sie ließ sich nicht innerhalb einer Sekunde öffnen (niemand liest daraus, oder ihr Datenträger antwortet nicht)</translation>
    </message>
    <message>
        <source>a file of that name is there already</source>
        <translation>eine Datei dieses Namens gibt es bereits</translation>
    </message>
</context>
<context>
    <name>ScopeOverlay</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Rising Edge</source>
        <translation>Steigende Flanke</translation>
    </message>
    <message>
        <source>Falling Edge</source>
        <translation>Fallende Flanke</translation>
    </message>
    <message>
        <source>Automatic Level</source>
        <translation>Automatischer Pegel</translation>
    </message>
    <message>
        <source>Show Measurements</source>
        <translation>Messwerte anzeigen</translation>
    </message>
    <message>
        <source>Set Level Here (%1)</source>
        <translation>Pegel hier setzen (%1)</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation>Getriggert</translation>
    </message>
    <message>
        <source>Auto (no trigger)</source>
        <translation>Auto (kein Trigger)</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Pre-trigger</source>
        <translation>Pre-Trigger</translation>
    </message>
    <message>
        <source>Holdoff</source>
        <translation>Holdoff</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Einzeln</translation>
    </message>
    <message>
        <source>%1: Waiting</source>
        <translation>%1: Wartet</translation>
    </message>
    <message>
        <source>%1: Stopped</source>
        <translation>%1: Angehalten</translation>
    </message>
    <message>
        <source>%1: Triggered</source>
        <translation>%1: Getriggert</translation>
    </message>
    <message>
        <source>%1: Armed</source>
        <translation>%1: Scharf</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Arm Single</source>
        <translation>Einzeln scharf schalten</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>ServerMain</name>
    <message>
        <source>Lets scripts drive the USB measurement board over SCPI on a TCP port (as a raw socket: one command line in, one answer line out), without a window. Ends on SIGINT, SIGTERM or SIGHUP with the board stopped. SCPI has no authentication: anyone who reaches the port drives the board.</source>
        <translation>Lässt Skripte die USB-Messplatine ohne Fenster per SCPI über einen TCP-Port steuern (als Raw-Socket: eine Befehlszeile hinein, eine Antwortzeile heraus). Endet bei SIGINT, SIGTERM oder SIGHUP mit angehaltener Platine. SCPI kennt keine Authentifizierung: Wer den Port erreicht, steuert die Platine.</translation>
    </message>
    <message>
        <source>Take clients on this address and port. Default: 127.0.0.1:5025, this computer only.</source>
        <translation>Clients an dieser Adresse und diesem Port annehmen. Vorgabe: 127.0.0.1:5025, nur dieser Computer.</translation>
    </message>
    <message>
        <source>--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not &apos;%1&apos;.</source>
        <translation>--listen erwartet [ADDR:]PORT, etwa 5025 oder 0.0.0.0:5025, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation>Geben Sie --board oder --port an, nicht beides.</translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation>SIGINT, SIGTERM und SIGHUP lassen sich nicht überwachen.</translation>
    </message>
    <message>
        <source>cannot listen on %1:%2: %3.</source>
        <translation>kann nicht auf %1:%2 lauschen: %3.</translation>
    </message>
    <message>
        <source>listening on %1:%2.</source>
        <translation>lausche auf %1:%2.</translation>
    </message>
    <message>
        <source>%1 Commands that need the board answer with error -240 until it is there.</source>
        <translation>%1 Befehle, die die Platine brauchen, antworten mit Fehler -240, bis sie da ist.</translation>
    </message>
    <message>
        <source>stopped.</source>
        <translation>angehalten.</translation>
    </message>
    <message>
        <source>RECord:STARt writes its files in FOLDER, by name only. Default: %1.</source>
        <translation>RECord:STARt schreibt seine Dateien in FOLDER und nimmt nur Dateinamen an. Vorgabe: %1.</translation>
    </message>
</context>
<context>
    <name>SpectrumView</name>
    <message>
        <source>dB of full scale</source>
        <translation>dB bezogen auf Vollausschlag</translation>
    </message>
    <message>
        <source>frequency (Hz)</source>
        <translation>Frequenz (Hz)</translation>
    </message>
    <message>
        <source>frequency (bins; sample rate not yet known)</source>
        <translation>Frequenz (Bins; Abtastrate noch unbekannt)</translation>
    </message>
    <message>
        <source>Spectrum Length</source>
        <translation>Spektrumlänge</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>%1 rows  %2/s  %3 damaged  %4  %5</source>
        <translation>%1 Zeilen  %2/s  %3 beschädigt  %4  %5</translation>
    </message>
    <message>
        <source>  waiting for the board</source>
        <translation>  warte auf die Platine</translation>
    </message>
    <message>
        <source>  broker connected</source>
        <translation>  Broker verbunden</translation>
    </message>
    <message>
        <source>  broker unreachable</source>
        <translation>  Broker nicht erreichbar</translation>
    </message>
    <message>
        <source>, %1 messages dropped</source>
        <translation>, %1 Nachrichten verworfen</translation>
    </message>
</context>
<context>
    <name>ViewSwitch</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Spektrum</translation>
    </message>
    <message>
        <source>XY</source>
        <translation>XY</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Lanes</source>
        <translation>Spuren</translation>
    </message>
</context>
<context>
    <name>Voltmeter</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;mV&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;mV&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;0000&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;0000&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 1:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 1:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 2:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 2:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;0000&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;0000&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 0:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 0:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>WindowMemory</name>
    <message>
        <source>Restore Defaults</source>
        <translation>Vorgaben wiederherstellen</translation>
    </message>
</context>
<context>
    <name>WindowPublisher</name>
    <message>
        <source>broker unreachable</source>
        <translation>Broker nicht erreichbar</translation>
    </message>
    <message>
        <source>1 message dropped</source>
        <translation>1 Nachricht verworfen</translation>
    </message>
    <message>
        <source>%1 messages dropped</source>
        <translation>%1 Nachrichten verworfen</translation>
    </message>
</context>
<context>
    <name>XYView</name>
    <message>
        <source>X Channel</source>
        <translation>X-Kanal</translation>
    </message>
    <message>
        <source>Y Channel</source>
        <translation>Y-Kanal</translation>
    </message>
</context>
</TS>
