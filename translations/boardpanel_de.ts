<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Accelerometer</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Axes colors:	&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;X - red&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;Y - blue&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;Z - black&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BoardChoice</name>
    <message>
        <source>Board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, serial number %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No board attached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (serial number %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> – used by another window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BoardLink</name>
    <message>
        <source>Could not open the board&apos;s port %1: another window of this panel is using it. Quit that window and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to your device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no board %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.

Your user may not use serial ports yet. Install the panel&apos;s udev rule (it comes with &quot;cmake --install&quot;), or add yourself to the group that owns the port (&quot;dialout&quot; on Debian and Ubuntu, &quot;uucp&quot; on Arch): sudo usermod -aG dialout $USER. Then unplug the board, log out and log in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: another program is using it (%2). Close that program and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to the board on %1 was lost. %2 Waiting for it to come back…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BoardOptions</name>
    <message>
        <source>Use the board on this port (ttyACM1 or /dev/ttyACM1) or with this USB serial number. Default: the first board found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the serial device at PATH as the board, whatever its USB ids (the standalone virtual board, a board with other ids).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChartWindow</name>
    <message>
        <source>1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Follow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 / %3 / %4 %5, %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min / mean / max, readings:  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Qt options, as in every Qt program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos; after &apos;--open&apos;. Instruments: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the instrument NAME once the launcher is shown, as its button does: %1. May be given more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open FILE, a recording or an export the panel wrote, in a window of its own, as a FILE given alone does. May be given more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A recording or an export to open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where several boards are attached, windows take the board on port NAME (ttyACM1 or /dev/ttyACM1) or with USB serial number NAME first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget every setting the panel kept (windows&apos; choices, places and sizes, folders) and open as on the first start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for the options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control panel for the USB measurement board: voltmeter, accelerometer, oscilloscope, counter and PWM generator, each in its own window.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Counter</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Low frequency counter:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;----&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;PAD0:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Hz&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvRecorder</name>
    <message>
        <source>the disk could not keep up</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CursorReadout</name>
    <message>
        <source>A %1  B %2  Δ %3 samples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileSaving</name>
    <message>
        <source>Saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstrumentDialog</name>
    <message>
        <source>Show Raw Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial port error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw Data – %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstrumentProtocol</name>
    <message>
        <source>%1 Chart</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language could not be kept: %1 could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applies at the next start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Languages</name>
    <message>
        <source>Speak LANGUAGE for this run: %1. Default: the one chosen in the launcher&apos;s menu, or en.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown language &apos;%1&apos; after &apos;--lang&apos;. Languages: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltmeter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels: &lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;0 mV&lt;br/&gt;-&lt;br/&gt;3300 mV&lt;/p&gt;&lt;p&gt;Averaging:&lt;br/&gt;8x times&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accelerometer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;HW:&lt;br/&gt;&lt;span style=&quot; color:#000000;&quot;&gt;MMA8652&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Range:&lt;br/&gt;(-2 g) - 2 g&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Plotting tool&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Osciloscope</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 mV&lt;/p&gt;&lt;p&gt;Plotting tool&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 Hz&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 39 kHz&lt;/p&gt;&lt;p&gt;One chanel&lt;br/&gt;at time only!&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM generator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 2 kHz&lt;/p&gt;&lt;p&gt;Suitable for:&lt;br/&gt;sine&lt;br/&gt;square&lt;br/&gt;saw&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM Generator</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>optional, for example °C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Formula:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MathChannelMenu</name>
    <message>
        <source>Add Math Channel…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Math Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MathChannels</name>
    <message>
        <source>a window has at most 4 math channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a name is a letter, then up to 15 letters, digits or “_”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name “%1” is already in use</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MathFormula</name>
    <message>
        <source>the formula is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a formula is at most 1000 characters long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a formula gives one value: no commas outside a function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the formula cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avg and rms are followed by a bracket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name, a comma and a count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the count of avg and rms is a whole number from 1 to 10000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avg and rms take two values and a closing bracket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a formula holds letters, digits, operators and brackets only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a formula cannot assign (=)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the number “%1” is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is not a function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown function “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is followed by a bracket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown name “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a formula holds at most 8 calls of avg and rms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” cannot stand here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an operator is missing before “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an operator is missing before “(”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a bracket is not opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is missing before “)”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is missing before the comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a bracket is not closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the formula ends too soon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” takes another number of values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is missing before “?”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“?” needs a “:” after it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“:” has no “?” before it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (at character %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Measurements</name>
    <message>
        <source>%1  no data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  min %2  max %3  mean %4  p-p %5  period %6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 samples/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MqttPublisher</name>
    <message>
        <source>the MQTT client could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TLS could not be set up: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the MQTT network thread could not start: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the TLS handshake failed: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MqttTarget</name>
    <message>
        <source>the topic prefix is too long: the %1&apos;s topic would be %2 bytes, MQTT allows %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an mqtt:// or mqtts:// URL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the URL &apos;%1&apos; names no broker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a topic prefix cannot hold # or + (they are wildcards)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a topic prefix cannot hold %00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>qos must be 0, 1 or 2, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the URL&apos;s &apos;%1&apos; is not understood (qos=N, and cafile=PATH with mqtts://)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 names no user on its first line</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Osciloscope</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Chanels: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;PAD0&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;PAD1&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;PAD2&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlotCursors</name>
    <message>
        <source>Show Cursors</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlotNavigator</name>
    <message>
        <source>Reset View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Specified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Range…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Plotter</name>
    <message>
        <source>1 damaged frame skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 damaged frames skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Plot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Plot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PublishControl</name>
    <message>
        <source>Publish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Broker URL (mqtt://host[:port]/topic-prefix, mqtts://…, ?qos=1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password, if the broker wants one (it is not kept):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot publish to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Publishing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Publish…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>publishing to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Pwm</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM generator - PAD0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duty cycle (0 - 100%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PWM generator - PAD1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#ff0000;&quot;&gt;WARNING: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Using both chanels at the seame time causes fails in&lt;br/&gt;frequency and duty settings. Please use only one&lt;br/&gt;chanel at once.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Board reconnected. Press Enable to set the outputs again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QAction</name>
    <message>
        <source>Open Recording…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Open Recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>reading: %1 %</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RawDataWindow</name>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lines/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderCommandLine</name>
    <message>
        <source>Try &apos;boardpanel-record --help&apos; for the options.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 takes %2, not &apos;%3&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 has no computed channels; only these have: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give --math or --math-from-settings, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--math takes NAME=FORMULA or NAME[UNIT]=FORMULA, not &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which instrument? Give --instrument NAME: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos;. Instruments: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--out needs a file name, or - for standard output.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a time such as 90s, 15m, 8h or 2d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--rotate takes daily, hourly or a size such as 10M, not &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard output cannot be rotated: give --out a file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rows a second such as 10/s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--mqtt-credentials needs --mqtt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records what one instrument of the USB measurement board sends to a CSV file, without a window: the file a window&apos;s Start Recording writes. Ends on SIGINT, SIGTERM or SIGHUP, or after --duration, with the board stopped and the file complete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The instrument to run: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The CSV file; - for standard output. Default: &lt;instrument&gt;-&lt;date&gt;-&lt;time&gt;.csv in the current folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop after this time: 90s, 15m, 8h, 2d.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start a new file every day (FILE-2026-12-08.csv), every hour (FILE-2026-12-08T14.csv) or when the file reaches SIZE (10M, 512K; FILE-&lt;date&gt;T&lt;time&gt;.csv), each with its header.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record at most N rows a second; the others are skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also publish every reading, or the samples in up to 20 messages a second, to TOPIC-PREFIX/&lt;instrument&gt; on this broker: mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the broker&apos;s user (first line) and password (second line) from FILE, rather than from the URL, where other users can see them. Under systemd a FILE without a / is a credential (LoadCredential=), and without this option the credential mqtt is read if there is one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also compute the channel NAME from FORMULA, as a window&apos;s Add Math Channel does, into a column of its own (osciloscope, accelerometer; up to 4, each may use the inputs and the channels before it); UNIT is optional: M1[mV]=PAD0-PAD1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compute the channels the panel keeps for the board (by its USB serial number), or else those its window keeps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No status line and no messages but errors.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecorderSession</name>
    <message>
        <source>there is no device %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no board is plugged in (a serial port with USB vendor id 0d28).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no board %1. Boards: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the panel keeps no computed channels for the %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the computed channels the panel keeps for the %1 cannot be computed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>computing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot publish to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>publishing to %1 on %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connected to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the broker %1 is unreachable; trying again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the broker %1 is unreachable (%2); trying again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recording the %1 on %2 to %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the board is back on %1; the recording goes on in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2. The file holds %3 rows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages published, %2 dropped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped; %1 holds %2 rows.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Start Recording…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>● REC %1 %2 samples</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording ended; the file holds %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The recording ended; nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingFiles</name>
    <message>
        <source>standard output</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingPlayer</name>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>¼×</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1×</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4×</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>16×</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As Fast As Possible</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the last %1 of %2 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the last row was incomplete and is left out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordingReader</name>
    <message>
        <source>longer than %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 fields, %2 expected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a recording or an export of this panel (it begins %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sample number %1 is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sample %1 comes after sample %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time_s %1 is not a time in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is not a whole number within range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time_iso %1 is not a date and time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the reading number %1 is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its only line is cut off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no rows after its header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SavedFile</name>
    <message>
        <source>it could not be opened within a second (nothing reads from it, or its disk does not answer)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScopeOverlay</name>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rising Edge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Falling Edge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Measurements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Level Here (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto (no trigger)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerMain</name>
    <message>
        <source>Lets scripts drive the USB measurement board over SCPI on a TCP port (as a raw socket: one command line in, one answer line out), without a window. Ends on SIGINT, SIGTERM or SIGHUP with the board stopped. SCPI has no authentication: anyone who reaches the port drives the board.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take clients on this address and port. Default: 127.0.0.1:5025, this computer only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot listen on %1:%2: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>listening on %1:%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2 is open to other computers without authentication: anyone who reaches it drives the board. Prefer 127.0.0.1 and an ssh tunnel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Commands that need the board answer with error -240 until it is there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SpectrumView</name>
    <message>
        <source>dB of full scale</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency (Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency (bins; sample rate not yet known)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectrum Length</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>%1 rows  %2/s  %3 damaged  %4  %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  waiting for the board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  broker connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  broker unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 messages dropped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ViewSwitch</name>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>XY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Voltmeter</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;mV&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;0000&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 1:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 2:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;0000&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;PAD 0:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowMemory</name>
    <message>
        <source>Restore Defaults</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowPublisher</name>
    <message>
        <source>broker unreachable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 message dropped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages dropped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XYView</name>
    <message>
        <source>X Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y Channel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
