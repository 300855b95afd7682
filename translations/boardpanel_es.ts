<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Accelerometer</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Axes colors:	&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;X - red&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;Y - blue&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;Z - black&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Colores de los ejes:	&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;X - rojo&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;Y - azul&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;Z - negro&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>BoardChoice</name>
    <message>
        <source>Board</source>
        <translation>Placa</translation>
    </message>
    <message>
        <source>%1, serial number %2</source>
        <translation>%1, número de serie %2</translation>
    </message>
    <message>
        <source>No board attached</source>
        <translation>No hay ninguna placa conectada</translation>
    </message>
    <message>
        <source>%1 (serial number %2)</source>
        <translation>%1 (número de serie %2)</translation>
    </message>
    <message>
        <source> – used by another window</source>
        <translation> – en uso por otra ventana</translation>
    </message>
</context>
<context>
    <name>BoardLink</name>
    <message>
        <source>Could not open the board&apos;s port %1: another window of this panel is using it. Quit that window and try again.</source>
        <translation>No se pudo abrir el puerto %1 de la placa: otra ventana de este panel lo está usando. Cierre esa ventana y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Could not connect to your device.</source>
        <translation>No se pudo conectar con su dispositivo.</translation>
    </message>
    <message>
        <source>There is no board %1.</source>
        <translation>No existe la placa %1.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.

Your user may not use serial ports yet. Install the panel&apos;s udev rule (it comes with &quot;cmake --install&quot;), or add yourself to the group that owns the port (&quot;dialout&quot; on Debian and Ubuntu, &quot;uucp&quot; on Arch): sudo usermod -aG dialout $USER. Then unplug the board, log out and log in again.</source>
        <translation>No se pudo abrir el puerto %1 de la placa: %2.

Es posible que su usuario aún no pueda usar puertos serie. Instale la regla udev del panel (se instala con «cmake --install») o únase al grupo propietario del puerto («dialout» en Debian y Ubuntu, «uucp» en Arch): sudo usermod -aG dialout $USER. Después desconecte la placa, cierre la sesión y vuelva a iniciarla.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: another program is using it (%2). Close that program and try again.</source>
        <translation>No se pudo abrir el puerto %1 de la placa: otro programa lo está usando (%2). Cierre ese programa y vuelva a intentarlo.</translation>
    </message>
    <message>
        <source>Could not open the board&apos;s port %1: %2.</source>
        <translation>No se pudo abrir el puerto %1 de la placa: %2.</translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering (%1).</source>
        <translation>La placa se desconectó o se reinició, o dejó de responder (%1).</translation>
    </message>
    <message>
        <source>The board was unplugged or reset, or it stopped answering.</source>
        <translation>La placa se desconectó o se reinició, o dejó de responder.</translation>
    </message>
    <message>
        <source>The connection to the board on %1 was lost. %2 Waiting for it to come back…</source>
        <translation>Se perdió la conexión con la placa en %1. %2 Esperando a que vuelva…</translation>
    </message>
</context>
<context>
    <name>BoardOptions</name>
    <message>
        <source>Use the board on this port (ttyACM1 or /dev/ttyACM1) or with this USB serial number. Default: the first board found.</source>
        <translation>Usar la placa de este puerto (ttyACM1 o /dev/ttyACM1) o con este número de serie USB. Predeterminado: la primera placa encontrada.</translation>
    </message>
    <message>
        <source>Use the serial device at PATH as the board, whatever its USB ids (the standalone virtual board, a board with other ids).</source>
        <translation>Usar el dispositivo serie de PATH como placa, sean cuales sean sus identificadores USB (la placa virtual independiente, una placa con otros identificadores).</translation>
    </message>
</context>
<context>
    <name>CaptureSaving</name>
    <message>
        <source>Save Each Capture…</source>
        <translation>Guardar cada captura…</translation>
    </message>
    <message>
        <source>Save Pictures Too</source>
        <translation>Guardar también imágenes</translation>
    </message>
    <message>
        <source>Saving captures</source>
        <translation>Guardando capturas</translation>
    </message>
    <message>
        <source>1 capture saved</source>
        <translation>1 captura guardada</translation>
    </message>
    <message>
        <source>%1 captures saved</source>
        <translation>%1 capturas guardadas</translation>
    </message>
    <message>
        <source>, %1 missed</source>
        <translation>, %1 perdidas</translation>
    </message>
</context>
<context>
    <name>ChannelFilter</name>
    <message>
        <source>the time constant of ema is a number of seconds above 0</source>
        <translation>la constante de tiempo de ema es un valor en segundos mayor que 0</translation>
    </message>
    <message>
        <source>the frequency of lowpass and highpass is a number of hertz above 0</source>
        <translation>la frecuencia de lowpass y highpass es un valor en hercios mayor que 0</translation>
    </message>
    <message>
        <source>the count of median is a whole number from 1 to 1000</source>
        <translation>la cantidad de median es un número entero de 1 a 1000</translation>
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
        <translation>Todo</translation>
    </message>
    <message>
        <source>Follow</source>
        <translation>Seguir</translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation>Exportar los datos mostrados…</translation>
    </message>
    <message>
        <source>Span</source>
        <translation>Intervalo</translation>
    </message>
    <message>
        <source>%1 none</source>
        <translation>%1 ninguna</translation>
    </message>
    <message>
        <source>%1 %2 / %3 / %4 %5, %6</source>
        <translation>%1 %2 / %3 / %4 %5, %6</translation>
    </message>
    <message>
        <source>min / mean / max, readings:  </source>
        <translation>mín. / media / máx., lecturas:  </translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>Exportar datos</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Archivo CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Qt options, as in every Qt program:</source>
        <translation>Opciones de Qt, como en todo programa Qt:</translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos; after &apos;--open&apos;. Instruments: %2.</source>
        <translation>Instrumento desconocido &apos;%1&apos; tras &apos;--open&apos;. Instrumentos: %2.</translation>
    </message>
    <message>
        <source>Open the instrument NAME once the launcher is shown, as its button does: %1. May be given more than once.</source>
        <translation>Abrir el instrumento NAME en cuanto se muestre el lanzador, como hace su botón: %1. Puede indicarse más de una vez.</translation>
    </message>
    <message>
        <source>Open FILE, a recording or an export the panel wrote, in a window of its own, as a FILE given alone does. May be given more than once.</source>
        <translation>Abrir FILE, una grabación o una exportación escrita por el panel, en una ventana propia, como hace un FILE indicado solo. Puede indicarse más de una vez.</translation>
    </message>
    <message>
        <source>A recording or an export to open.</source>
        <translation>Una grabación o una exportación que abrir.</translation>
    </message>
    <message>
        <source>Where several boards are attached, windows take the board on port NAME (ttyACM1 or /dev/ttyACM1) or with USB serial number NAME first.</source>
        <translation>Si hay varias placas conectadas, las ventanas toman primero la placa del puerto NAME (ttyACM1 o /dev/ttyACM1) o con el número de serie USB NAME.</translation>
    </message>
    <message>
        <source>Forget every setting the panel kept (windows&apos; choices, places and sizes, folders) and open as on the first start.</source>
        <translation>Olvidar todos los ajustes guardados del panel (opciones, posición y tamaño de las ventanas, carpetas) y abrir como en el primer inicio.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for the options.</source>
        <translation>Pruebe &apos;%1 --help&apos; para ver las opciones.</translation>
    </message>
    <message>
        <source>Control panel for the USB measurement board: voltmeter, accelerometer, oscilloscope, counter and PWM generator, each in its own window.</source>
        <translation>Panel de control para la placa de medida USB: voltímetro, acelerómetro, osciloscopio, contador y generador PWM, cada uno en su propia ventana.</translation>
    </message>
    <message>
        <source>--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not &apos;%1&apos;.</source>
        <translation>--listen admite [ADDR:]PORT, como 5025 o 0.0.0.0:5025, no &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Serve SCPI clients (lab scripts) on this address and port while the panel runs, as Remote Control in the launcher&apos;s menu does. Default address: 127.0.0.1, this computer only.</source>
        <translation>Atender a clientes SCPI (scripts de laboratorio) en esta dirección y puerto mientras el panel está abierto, como hace «Control remoto» en el menú del lanzador. Dirección predeterminada: 127.0.0.1, solo este ordenador.</translation>
    </message>
</context>
<context>
    <name>Counter</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Low frequency counter:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:20pt;&quot;&gt;Contador de baja frec.:&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
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
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>CsvRecorder</name>
    <message>
        <source>the disk could not keep up</source>
        <translation>el disco no daba abasto</translation>
    </message>
</context>
<context>
    <name>CursorReadout</name>
    <message>
        <source>A %1  B %2  Δ %3 samples</source>
        <translation>A %1  B %2  Δ %3 muestras</translation>
    </message>
    <message>
        <source>Sample %1</source>
        <translation>Muestra %1</translation>
    </message>
</context>
<context>
    <name>FileSaving</name>
    <message>
        <source>Saving</source>
        <translation>Guardando</translation>
    </message>
    <message>
        <source>Writing %1…</source>
        <translation>Escribiendo %1…</translation>
    </message>
    <message>
        <source>Could not write %1: %2.</source>
        <translation>No se pudo escribir %1: %2.</translation>
    </message>
    <message>
        <source>Could not save</source>
        <translation>No se pudo guardar</translation>
    </message>
</context>
<context>
    <name>InstrumentDialog</name>
    <message>
        <source>Show Raw Data</source>
        <translation>Mostrar datos en bruto</translation>
    </message>
    <message>
        <source>Serial port error</source>
        <translation>Error del puerto serie</translation>
    </message>
    <message>
        <source>Copy Reading</source>
        <translation>Copiar lectura</translation>
    </message>
    <message>
        <source>Show Chart</source>
        <translation>Mostrar gráfica</translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation>Datos en bruto – %1</translation>
    </message>
    <message>
        <source>Raw Data – %1 (%2)</source>
        <translation>Datos en bruto – %1 (%2)</translation>
    </message>
</context>
<context>
    <name>InstrumentProtocol</name>
    <message>
        <source>%1 Chart</source>
        <translation>%1 – gráfica</translation>
    </message>
</context>
<context>
    <name>LanesView</name>
    <message>
        <source>Lane Range…</source>
        <translation>Rango del carril…</translation>
    </message>
    <message>
        <source>Automatic Lane Ranges</source>
        <translation>Rangos de carril automáticos</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The language could not be kept: %1 could not be written.</source>
        <translation>No se pudo guardar el idioma: no se pudo escribir %1.</translation>
    </message>
    <message>
        <source>Applies at the next start</source>
        <translation>Se aplica en el próximo inicio</translation>
    </message>
</context>
<context>
    <name>Languages</name>
    <message>
        <source>Speak LANGUAGE for this run: %1. Default: the one chosen in the launcher&apos;s menu, or en.</source>
        <translation>Usar el idioma LANGUAGE en esta ejecución: %1. Predeterminado: el elegido en el menú del lanzador, o en.</translation>
    </message>
    <message>
        <source>Unknown language &apos;%1&apos; after &apos;--lang&apos;. Languages: %2.</source>
        <translation>Idioma desconocido &apos;%1&apos; tras &apos;--lang&apos;. Idiomas: %2.</translation>
    </message>
</context>
<context>
    <name>ListenAddress</name>
    <message>
        <source>%1:%2 is open to other computers without authentication: anyone who reaches it drives the board. Prefer 127.0.0.1 and an ssh tunnel.</source>
        <translation>%1:%2 está abierto a otros ordenadores sin autenticación: quien llegue a esa dirección maneja la placa. Es preferible 127.0.0.1 y un túnel ssh.</translation>
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
        <translation>Voltímetro</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels: &lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;0 mV&lt;br/&gt;-&lt;br/&gt;3300 mV&lt;/p&gt;&lt;p&gt;Averaging:&lt;br/&gt;8x times&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Canales: &lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Rango:&lt;br/&gt;0 mV&lt;br/&gt;-&lt;br/&gt;3300 mV&lt;/p&gt;&lt;p&gt;Promedio:&lt;br/&gt;8 veces&lt;br/&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Accelerometer</source>
        <translation>Acelerómetro</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;HW:&lt;br/&gt;&lt;span style=&quot; color:#000000;&quot;&gt;MMA8652&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Range:&lt;br/&gt;(-2 g) - 2 g&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Plotting tool&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;HW:&lt;br/&gt;&lt;span style=&quot; color:#000000;&quot;&gt;MMA8652&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Rango:&lt;br/&gt;(-2 g) - 2 g&lt;/span&gt;&lt;/p&gt;&lt;p&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Con gráfica&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Osciloscope</source>
        <translation>Osciloscopio</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 mV&lt;/p&gt;&lt;p&gt;Plotting tool&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Canales:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;br/&gt;PAD2&lt;/p&gt;&lt;p&gt;Resolución:&lt;br/&gt;1 mV&lt;/p&gt;&lt;p&gt;Con gráfica&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>PWM</source>
        <translation>PWM</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;/p&gt;&lt;p&gt;Resolution:&lt;br/&gt;1 Hz&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 39 kHz&lt;/p&gt;&lt;p&gt;One chanel&lt;br/&gt;at time only!&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Canales:&lt;br/&gt;PAD0&lt;br/&gt;PAD1&lt;/p&gt;&lt;p&gt;Resolución:&lt;br/&gt;1 Hz&lt;/p&gt;&lt;p&gt;Rango:&lt;br/&gt;1 Hz - 39 kHz&lt;/p&gt;&lt;p&gt;¡Solo un canal&lt;br/&gt;a la vez!&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>PWM generator</source>
        <translation>Generador PWM</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Contador</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Chanels:&lt;br/&gt;PAD0&lt;/p&gt;&lt;p&gt;Range:&lt;br/&gt;1 Hz - 2 kHz&lt;/p&gt;&lt;p&gt;Suitable for:&lt;br/&gt;sine&lt;br/&gt;square&lt;br/&gt;saw&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Canales:&lt;br/&gt;PAD0&lt;/p&gt;&lt;p&gt;Rango:&lt;br/&gt;1 Hz - 2 kHz&lt;/p&gt;&lt;p&gt;Apto para:&lt;br/&gt;senoidal&lt;br/&gt;cuadrada&lt;br/&gt;diente de sierra&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>PWM Generator</source>
        <translation>Generador PWM</translation>
    </message>
    <message>
        <source>Remote Control…</source>
        <translation>Control remoto…</translation>
    </message>
</context>
<context>
    <name>MathChannelDialog</name>
    <message>
        <source>Math Channel</source>
        <translation>Canal matemático</translation>
    </message>
    <message>
        <source>optional, for example °C</source>
        <translation>opcional, por ejemplo °C</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <source>Formula:</source>
        <translation>Fórmula:</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Unidad:</translation>
    </message>
</context>
<context>
    <name>MathChannelMenu</name>
    <message>
        <source>Add Math Channel…</source>
        <translation>Añadir canal matemático…</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>Mostrar %1</translation>
    </message>
    <message>
        <source>Math Channels</source>
        <translation>Canales matemáticos</translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation>Editar…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
</context>
<context>
    <name>MathChannels</name>
    <message>
        <source>a window has at most 4 math channels</source>
        <translation>una ventana tiene como máximo 4 canales matemáticos</translation>
    </message>
    <message>
        <source>a name is a letter, then up to 15 letters, digits or “_”</source>
        <translation>un nombre es una letra seguida de hasta 15 letras, cifras o «_»</translation>
    </message>
    <message>
        <source>the name “%1” is already in use</source>
        <translation>el nombre «%1» ya está en uso</translation>
    </message>
</context>
<context>
    <name>MathFormula</name>
    <message>
        <source>the formula is empty</source>
        <translation>la fórmula está vacía</translation>
    </message>
    <message>
        <source>a formula is at most 1000 characters long</source>
        <translation>una fórmula tiene como máximo 1000 caracteres</translation>
    </message>
    <message>
        <source>a formula gives one value: no commas outside a function</source>
        <translation>una fórmula da un solo valor: sin comas fuera de una función</translation>
    </message>
    <message>
        <source>the formula cannot be read</source>
        <translation>no se puede leer la fórmula</translation>
    </message>
    <message>
        <source>avg and rms are followed by a bracket</source>
        <translation>avg y rms van seguidos de un paréntesis</translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name first</source>
        <translation>avg y rms llevan primero el nombre de un canal</translation>
    </message>
    <message>
        <source>avg and rms take a channel&apos;s name, a comma and a count</source>
        <translation>avg y rms llevan el nombre de un canal, una coma y una cantidad</translation>
    </message>
    <message>
        <source>the count of avg and rms is a whole number from 1 to 10000</source>
        <translation>la cantidad de avg y rms es un número entero de 1 a 10000</translation>
    </message>
    <message>
        <source>avg and rms take two values and a closing bracket</source>
        <translation>avg y rms llevan dos valores y un paréntesis de cierre</translation>
    </message>
    <message>
        <source>a formula holds letters, digits, operators and brackets only</source>
        <translation>una fórmula solo contiene letras, cifras, operadores y paréntesis</translation>
    </message>
    <message>
        <source>a formula cannot assign (=)</source>
        <translation>una fórmula no puede asignar (=)</translation>
    </message>
    <message>
        <source>the number “%1” is too large</source>
        <translation>el número «%1» es demasiado grande</translation>
    </message>
    <message>
        <source>“%1” is not a function</source>
        <translation>«%1» no es una función</translation>
    </message>
    <message>
        <source>unknown function “%1”</source>
        <translation>función desconocida «%1»</translation>
    </message>
    <message>
        <source>“%1” is followed by a bracket</source>
        <translation>«%1» va seguido de un paréntesis</translation>
    </message>
    <message>
        <source>unknown name “%1”</source>
        <translation>nombre desconocido «%1»</translation>
    </message>
    <message>
        <source>a formula holds at most 8 calls of avg and rms</source>
        <translation>una fórmula contiene como máximo 8 llamadas a avg y rms</translation>
    </message>
    <message>
        <source>“%1” cannot stand here</source>
        <translation>«%1» no puede ir aquí</translation>
    </message>
    <message>
        <source>an operator is missing before “%1”</source>
        <translation>falta un operador antes de «%1»</translation>
    </message>
    <message>
        <source>an operator is missing before “(”</source>
        <translation>falta un operador antes de «(»</translation>
    </message>
    <message>
        <source>a bracket is not opened</source>
        <translation>falta abrir un paréntesis</translation>
    </message>
    <message>
        <source>a value is missing before “)”</source>
        <translation>falta un valor antes de «)»</translation>
    </message>
    <message>
        <source>a value is missing before the comma</source>
        <translation>falta un valor antes de la coma</translation>
    </message>
    <message>
        <source>a bracket is not closed</source>
        <translation>falta cerrar un paréntesis</translation>
    </message>
    <message>
        <source>the formula ends too soon</source>
        <translation>la fórmula termina demasiado pronto</translation>
    </message>
    <message>
        <source>“%1” takes another number of values</source>
        <translation>«%1» lleva otro número de valores</translation>
    </message>
    <message>
        <source>a value is missing before “?”</source>
        <translation>falta un valor antes de «?»</translation>
    </message>
    <message>
        <source>“?” needs a “:” after it</source>
        <translation>«?» necesita un «:» detrás</translation>
    </message>
    <message>
        <source>“:” has no “?” before it</source>
        <translation>«:» no tiene un «?» delante</translation>
    </message>
    <message>
        <source>%1 (at character %2)</source>
        <translation>%1 (en el carácter %2)</translation>
    </message>
    <message>
        <source>a formula holds at most 8 filters</source>
        <translation>una fórmula contiene como máximo 8 filtros</translation>
    </message>
</context>
<context>
    <name>Measurements</name>
    <message>
        <source>%1  no data</source>
        <translation>%1  sin datos</translation>
    </message>
    <message>
        <source>%1  min %2  max %3  mean %4  p-p %5  period %6</source>
        <translation>%1  mín %2  máx %3  media %4  pp %5  periodo %6</translation>
    </message>
    <message>
        <source>%1 samples/s</source>
        <translation>%1 muestras/s</translation>
    </message>
</context>
<context>
    <name>MqttPublisher</name>
    <message>
        <source>the MQTT client could not be made</source>
        <translation>no se pudo crear el cliente MQTT</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>TLS could not be set up: %1</source>
        <translation>no se pudo configurar TLS: %1</translation>
    </message>
    <message>
        <source>the MQTT network thread could not start: %1</source>
        <translation>no se pudo iniciar el hilo de red MQTT: %1</translation>
    </message>
    <message>
        <source>the TLS handshake failed: </source>
        <translation>falló la negociación TLS: </translation>
    </message>
</context>
<context>
    <name>MqttTarget</name>
    <message>
        <source>the topic prefix is too long: the %1&apos;s topic would be %2 bytes, MQTT allows %3</source>
        <translation>el prefijo del tema es demasiado largo: el tema de %1 tendría %2 bytes, MQTT admite %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an mqtt:// or mqtts:// URL</source>
        <translation>&apos;%1&apos; no es una URL mqtt:// ni mqtts://</translation>
    </message>
    <message>
        <source>the URL &apos;%1&apos; names no broker</source>
        <translation>la URL &apos;%1&apos; no indica ningún broker</translation>
    </message>
    <message>
        <source>a topic prefix cannot hold # or + (they are wildcards)</source>
        <translation>un prefijo de tema no puede contener # ni + (son comodines)</translation>
    </message>
    <message>
        <source>a topic prefix cannot hold %00</source>
        <translation>un prefijo de tema no puede contener %00</translation>
    </message>
    <message>
        <source>qos must be 0, 1 or 2, not &apos;%1&apos;</source>
        <translation>qos debe ser 0, 1 o 2, no &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the URL&apos;s &apos;%1&apos; is not understood (qos=N, and cafile=PATH with mqtts://)</source>
        <translation>no se entiende &apos;%1&apos; en la URL (qos=N, y cafile=PATH con mqtts://)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 names no user on its first line</source>
        <translation>%1 no indica ningún usuario en su primera línea</translation>
    </message>
</context>
<context>
    <name>Osciloscope</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Chanels: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;PAD0&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;PAD1&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;PAD2&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:14pt;&quot;&gt;Canales: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#ff0000;&quot;&gt;PAD0&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt; color:#1500ff;&quot;&gt;PAD1&lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; font-size:12pt;&quot;&gt;PAD2&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>PlotCursors</name>
    <message>
        <source>Show Cursors</source>
        <translation>Mostrar cursores</translation>
    </message>
</context>
<context>
    <name>PlotLook</name>
    <message>
        <source>Plot Colours</source>
        <translation>Colores de la gráfica</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Claro</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Oscuro</translation>
    </message>
    <message>
        <source>Follow the Desktop</source>
        <translation>Según el escritorio</translation>
    </message>
</context>
<context>
    <name>PlotNavigator</name>
    <message>
        <source>Reset View</source>
        <translation>Restablecer vista</translation>
    </message>
    <message>
        <source>Specified</source>
        <translation>Predeterminado</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>Set Range…</source>
        <translation>Fijar rango…</translation>
    </message>
    <message>
        <source>Y Range</source>
        <translation>Rango Y</translation>
    </message>
    <message>
        <source>Set Range</source>
        <translation>Fijar rango</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Desde</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Hasta</translation>
    </message>
</context>
<context>
    <name>Plotter</name>
    <message>
        <source>1 damaged frame skipped</source>
        <translation>1 trama dañada omitida</translation>
    </message>
    <message>
        <source>%1 damaged frames skipped</source>
        <translation>%1 tramas dañadas omitidas</translation>
    </message>
    <message>
        <source>Save Image…</source>
        <translation>Guardar imagen…</translation>
    </message>
    <message>
        <source>Export Shown Data…</source>
        <translation>Exportar los datos mostrados…</translation>
    </message>
    <message>
        <source>Stop Plot</source>
        <translation>Detener gráfica</translation>
    </message>
    <message>
        <source>Start Plot</source>
        <translation>Iniciar gráfica</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>Guardar imagen</translation>
    </message>
    <message>
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>Imagen PNG (*.png);;Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>the image could not be made</source>
        <translation>no se pudo generar la imagen</translation>
    </message>
    <message>
        <source>Export Data</source>
        <translation>Exportar datos</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>Archivo CSV (*.csv)</translation>
    </message>
    <message>
        <source>Save Each Capture</source>
        <translation>Guardar cada captura</translation>
    </message>
    <message>
        <source>Save Image in Light Colours…</source>
        <translation>Guardar imagen en colores claros…</translation>
    </message>
</context>
<context>
    <name>PublishControl</name>
    <message>
        <source>Publish</source>
        <translation>Publicar</translation>
    </message>
    <message>
        <source>Broker URL (mqtt://host[:port]/topic-prefix, mqtts://…, ?qos=1):</source>
        <translation>URL del broker (mqtt://host[:port]/topic-prefix, mqtts://…, ?qos=1):</translation>
    </message>
    <message>
        <source>Password, if the broker wants one (it is not kept):</source>
        <translation>Contraseña, si el broker la pide (no se guarda):</translation>
    </message>
    <message>
        <source>Cannot publish to %1: %2</source>
        <translation>No se puede publicar en %1: %2</translation>
    </message>
    <message>
        <source>Stop Publishing</source>
        <translation>Dejar de publicar</translation>
    </message>
    <message>
        <source>Publish…</source>
        <translation>Publicar…</translation>
    </message>
    <message>
        <source>publishing to %1</source>
        <translation>publicando en %1</translation>
    </message>
</context>
<context>
    <name>Pwm</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>PWM generator - PAD0</source>
        <translation>Generador PWM - PAD0</translation>
    </message>
    <message>
        <source>Duty cycle (0 - 100%)</source>
        <translation>Ciclo de trabajo (%)</translation>
    </message>
    <message>
        <source>Frequency (Hz)</source>
        <translation>Frecuencia (Hz)</translation>
    </message>
    <message>
        <source>Enable</source>
        <translation>Activar</translation>
    </message>
    <message>
        <source>PWM generator - PAD1</source>
        <translation>Generador PWM - PAD1</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#ff0000;&quot;&gt;WARNING: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Using both chanels at the seame time causes fails in&lt;br/&gt;frequency and duty settings. Please use only one&lt;br/&gt;chanel at once.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-weight:600; color:#ff0000;&quot;&gt;AVISO: &lt;br/&gt;&lt;/span&gt;&lt;span style=&quot; color:#000000;&quot;&gt;Usar ambos canales a la vez falsea la frecuencia&lt;br/&gt;y el ciclo de trabajo. Use solo un canal&lt;br/&gt;cada vez.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Board reconnected. Press Enable to set the outputs again.</source>
        <translation>Placa reconectada. Pulse Activar para volver a fijar las salidas.</translation>
    </message>
</context>
<context>
    <name>QAction</name>
    <message>
        <source>Open Recording…</source>
        <translation>Abrir grabación…</translation>
    </message>
    <message>
        <source>Open Recording</source>
        <translation>Abrir grabación</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Archivos CSV (*.csv);;Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>Open Recording</source>
        <translation>Abrir grabación</translation>
    </message>
    <message>
        <source>Could not open %1: %2</source>
        <translation>No se pudo abrir %1: %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>reading: %1 %</source>
        <translation>leyendo: %1 %</translation>
    </message>
</context>
<context>
    <name>RawDataWindow</name>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Raw Data – %1</source>
        <translation>Datos en bruto – %1</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>%1 lines/s</source>
        <translation>%1 líneas/s</translation>
    </message>
</context>
<context>
    <name>RecorderCommandLine</name>
    <message>
        <source>Try &apos;boardpanel-record --help&apos; for the options.</source>
        <translation>Pruebe &apos;boardpanel-record --help&apos; para ver las opciones.</translation>
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
Estado de salida:
  0  detenido por SIGINT, SIGTERM o SIGHUP, o al final de --duration; el archivo está completo
  1  la placa no está o no se puede abrir su puerto
  2  no se entendió la línea de órdenes
  3  no se puede crear o escribir el archivo (disco lleno, salida estándar cerrada)
  4  no se puede configurar la publicación (archivo de credenciales ilegible, TLS)
</translation>
    </message>
    <message>
        <source>--%1 takes %2, not &apos;%3&apos;.</source>
        <translation>--%1 admite %2, no &apos;%3&apos;.</translation>
    </message>
    <message>
        <source>The %1 has no computed channels; only these have: %2.</source>
        <translation>%1 no tiene canales calculados; solo los tienen: %2.</translation>
    </message>
    <message>
        <source>Give --math or --math-from-settings, not both.</source>
        <translation>Indique --math o --math-from-settings, no ambos.</translation>
    </message>
    <message>
        <source>--math takes NAME=FORMULA or NAME[UNIT]=FORMULA, not &apos;%1&apos;.</source>
        <translation>--math admite NAME=FORMULA o NAME[UNIT]=FORMULA, no &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Which instrument? Give --instrument NAME: %1.</source>
        <translation>¿Qué instrumento? Indique --instrument NAME: %1.</translation>
    </message>
    <message>
        <source>Unknown instrument &apos;%1&apos;. Instruments: %2.</source>
        <translation>Instrumento desconocido &apos;%1&apos;. Instrumentos: %2.</translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation>Indique --board o --port, no ambos.</translation>
    </message>
    <message>
        <source>--out needs a file name, or - for standard output.</source>
        <translation>--out necesita un nombre de archivo, o - para la salida estándar.</translation>
    </message>
    <message>
        <source>a time such as 90s, 15m, 8h or 2d</source>
        <translation>un tiempo como 90s, 15m, 8h o 2d</translation>
    </message>
    <message>
        <source>--rotate takes daily, hourly or a size such as 10M, not &apos;%1&apos;.</source>
        <translation>--rotate admite daily, hourly o un tamaño como 10M, no &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Standard output cannot be rotated: give --out a file name.</source>
        <translation>La salida estándar no se puede rotar: indique un nombre de archivo en --out.</translation>
    </message>
    <message>
        <source>rows a second such as 10/s</source>
        <translation>filas por segundo como 10/s</translation>
    </message>
    <message>
        <source>--mqtt-credentials needs --mqtt.</source>
        <translation>--mqtt-credentials necesita --mqtt.</translation>
    </message>
    <message>
        <source>Records what one instrument of the USB measurement board sends to a CSV file, without a window: the file a window&apos;s Start Recording writes. Ends on SIGINT, SIGTERM or SIGHUP, or after --duration, with the board stopped and the file complete.</source>
        <translation>Graba en un archivo CSV, sin ventana, lo que envía un instrumento de la placa de medida USB: el archivo que escribe «Iniciar grabación» de una ventana. Termina con SIGINT, SIGTERM o SIGHUP, o tras --duration, con la placa detenida y el archivo completo.</translation>
    </message>
    <message>
        <source>The instrument to run: %1.</source>
        <translation>El instrumento que usar: %1.</translation>
    </message>
    <message>
        <source>The CSV file; - for standard output. Default: &lt;instrument&gt;-&lt;date&gt;-&lt;time&gt;.csv in the current folder.</source>
        <translation>El archivo CSV; - para la salida estándar. Predeterminado: &lt;instrument&gt;-&lt;date&gt;-&lt;time&gt;.csv en la carpeta actual.</translation>
    </message>
    <message>
        <source>Stop after this time: 90s, 15m, 8h, 2d.</source>
        <translation>Detenerse tras este tiempo: 90s, 15m, 8h, 2d.</translation>
    </message>
    <message>
        <source>Start a new file every day (FILE-2026-12-08.csv), every hour (FILE-2026-12-08T14.csv) or when the file reaches SIZE (10M, 512K; FILE-&lt;date&gt;T&lt;time&gt;.csv), each with its header.</source>
        <translation>Empezar un archivo nuevo cada día (FILE-2026-12-08.csv), cada hora (FILE-2026-12-08T14.csv) o cuando el archivo alcance SIZE (10M, 512K; FILE-&lt;date&gt;T&lt;time&gt;.csv), cada uno con su cabecera.</translation>
    </message>
    <message>
        <source>Record at most N rows a second; the others are skipped.</source>
        <translation>Grabar como máximo N filas por segundo; las demás se omiten.</translation>
    </message>
    <message>
        <source>Also publish every reading, or the samples in up to 20 messages a second, to TOPIC-PREFIX/&lt;instrument&gt; on this broker: mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2].</source>
        <translation>Publicar además cada lectura, o las muestras en hasta 20 mensajes por segundo, en TOPIC-PREFIX/&lt;instrument&gt; de este broker: mqtt[s]://[USER:PASSWORD@]HOST[:PORT]/TOPIC-PREFIX[?qos=0|1|2].</translation>
    </message>
    <message>
        <source>Read the broker&apos;s user (first line) and password (second line) from FILE, rather than from the URL, where other users can see them. Under systemd a FILE without a / is a credential (LoadCredential=), and without this option the credential mqtt is read if there is one.</source>
        <translation>Leer el usuario (primera línea) y la contraseña (segunda línea) del broker de FILE, en lugar de la URL, donde otros usuarios pueden verlos. Con systemd, un FILE sin / es una credencial (LoadCredential=), y sin esta opción se lee la credencial mqtt si existe.</translation>
    </message>
    <message>
        <source>Also compute the channel NAME from FORMULA, as a window&apos;s Add Math Channel does, into a column of its own (osciloscope, accelerometer; up to 4, each may use the inputs and the channels before it); UNIT is optional: M1[mV]=PAD0-PAD1.</source>
        <translation>Calcular además el canal NAME a partir de FORMULA, como hace «Añadir canal matemático» de una ventana, en una columna propia (osciloscope, accelerometer; hasta 4, cada uno puede usar las entradas y los canales anteriores); UNIT es opcional: M1[mV]=PAD0-PAD1.</translation>
    </message>
    <message>
        <source>Compute the channels the panel keeps for the board (by its USB serial number), or else those its window keeps.</source>
        <translation>Calcular los canales que el panel guarda para la placa (por su número de serie USB) o, si no, los que guarda su ventana.</translation>
    </message>
    <message>
        <source>No status line and no messages but errors.</source>
        <translation>Sin línea de estado ni más mensajes que los errores.</translation>
    </message>
</context>
<context>
    <name>RecorderSession</name>
    <message>
        <source>there is no device %1.</source>
        <translation>no existe el dispositivo %1.</translation>
    </message>
    <message>
        <source>no board is plugged in (a serial port with USB vendor id 0d28).</source>
        <translation>no hay ninguna placa conectada (un puerto serie con el id. de fabricante USB 0d28).</translation>
    </message>
    <message>
        <source>there is no board %1. Boards: %2.</source>
        <translation>no existe la placa %1. Placas: %2.</translation>
    </message>
    <message>
        <source>the panel keeps no computed channels for the %1.</source>
        <translation>el panel no guarda canales calculados para %1.</translation>
    </message>
    <message>
        <source>the computed channels the panel keeps for the %1 cannot be computed: %2.</source>
        <translation>los canales calculados que el panel guarda para %1 no se pueden calcular: %2.</translation>
    </message>
    <message>
        <source>computing %1.</source>
        <translation>calculando %1.</translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation>no se pueden vigilar SIGINT, SIGTERM y SIGHUP.</translation>
    </message>
    <message>
        <source>cannot publish to %1: %2.</source>
        <translation>no se puede publicar en %1: %2.</translation>
    </message>
    <message>
        <source>publishing to %1 on %2.</source>
        <translation>publicando en %1 de %2.</translation>
    </message>
    <message>
        <source>connected to %1.</source>
        <translation>conectado a %1.</translation>
    </message>
    <message>
        <source>the broker %1 is unreachable; trying again.</source>
        <translation>el broker %1 no está accesible; se reintenta.</translation>
    </message>
    <message>
        <source>the broker %1 is unreachable (%2); trying again.</source>
        <translation>el broker %1 no está accesible (%2); se reintenta.</translation>
    </message>
    <message>
        <source>recording the %1 on %2 to %3.</source>
        <translation>grabando %1 de %2 en %3.</translation>
    </message>
    <message>
        <source>the board is back on %1; the recording goes on in %2.</source>
        <translation>la placa ha vuelto en %1; la grabación continúa en %2.</translation>
    </message>
    <message>
        <source>cannot write %1: %2. The file holds %3 rows.</source>
        <translation>no se puede escribir %1: %2. El archivo contiene %3 filas.</translation>
    </message>
    <message>
        <source>%1 messages published, %2 dropped.</source>
        <translation>%1 mensajes publicados, %2 descartados.</translation>
    </message>
    <message>
        <source>stopped; %1 holds %2 rows.</source>
        <translation>detenido; %1 contiene %2 filas.</translation>
    </message>
</context>
<context>
    <name>RecordingControl</name>
    <message>
        <source>Start Recording…</source>
        <translation>Iniciar grabación…</translation>
    </message>
    <message>
        <source>● REC %1 %2 samples</source>
        <translation>● REC %1 %2 muestras</translation>
    </message>
    <message>
        <source>Record Data</source>
        <translation>Grabar datos</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>1 row</source>
        <translation>1 fila</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 filas</translation>
    </message>
    <message>
        <source>The recording ended; the file holds %1.</source>
        <translation>La grabación terminó; el archivo contiene %1.</translation>
    </message>
    <message>
        <source>The recording ended; nothing was written.</source>
        <translation>La grabación terminó; no se escribió nada.</translation>
    </message>
    <message>
        <source>Stop Recording</source>
        <translation>Detener grabación</translation>
    </message>
</context>
<context>
    <name>RecordingFiles</name>
    <message>
        <source>standard output</source>
        <translation>salida estándar</translation>
    </message>
</context>
<context>
    <name>RecordingPlayer</name>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Velocidad</translation>
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
        <translation>Lo más rápido posible</translation>
    </message>
    <message>
        <source>the last %1 of %2 rows</source>
        <translation>las últimas %1 de %2 filas</translation>
    </message>
    <message>
        <source>the last row was incomplete and is left out</source>
        <translation>la última fila estaba incompleta y se omite</translation>
    </message>
</context>
<context>
    <name>RecordingReader</name>
    <message>
        <source>longer than %1 characters</source>
        <translation>más de %1 caracteres</translation>
    </message>
    <message>
        <source>%1 fields, %2 expected</source>
        <translation>%1 campos, se esperaban %2</translation>
    </message>
    <message>
        <source>not a recording or an export of this panel (it begins %1)</source>
        <translation>no es una grabación ni una exportación de este panel (empieza por %1)</translation>
    </message>
    <message>
        <source>the sample number %1 is not a whole number</source>
        <translation>el número de muestra %1 no es un número entero</translation>
    </message>
    <message>
        <source>sample %1 comes after sample %2</source>
        <translation>la muestra %1 va después de la muestra %2</translation>
    </message>
    <message>
        <source>time_s %1 is not a time in seconds</source>
        <translation>time_s %1 no es un tiempo en segundos</translation>
    </message>
    <message>
        <source>%1 %2 is not a whole number within range</source>
        <translation>%1 %2 no es un número entero dentro del rango</translation>
    </message>
    <message>
        <source>time_iso %1 is not a date and time</source>
        <translation>time_iso %1 no es una fecha y hora</translation>
    </message>
    <message>
        <source>the reading number %1 is not a whole number</source>
        <translation>el número de lectura %1 no es un número entero</translation>
    </message>
    <message>
        <source>%1 %2 is not a number</source>
        <translation>%1 %2 no es un número</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>its only line is cut off</source>
        <translation>su única línea está cortada</translation>
    </message>
    <message>
        <source>it holds no rows after its header</source>
        <translation>no contiene filas tras la cabecera</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es una carpeta</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>línea %1: %2</translation>
    </message>
</context>
<context>
    <name>RemoteControl</name>
    <message>
        <source>cannot listen on %1:%2: %3.</source>
        <translation>no se puede escuchar en %1:%2: %3.</translation>
    </message>
</context>
<context>
    <name>RemoteControlDialog</name>
    <message>
        <source>Serve SCPI clients</source>
        <translation>Atender a clientes SCPI</translation>
    </message>
    <message>
        <source>Remote Control</source>
        <translation>Control remoto</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Dirección:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Puerto:</translation>
    </message>
    <message>
        <source>This is no address.</source>
        <translation>Esto no es una dirección.</translation>
    </message>
</context>
<context>
    <name>SavedFile</name>
    <message>
        <source>it could not be opened within a second (nothing reads from it, or its disk does not answer)</source>
        <translation>no se pudo abrir en un segundo (nadie lee de él, o su disco no responde)</translation>
    </message>
    <message>
        <source>a file of that name is there already</source>
        <translation>ya existe un archivo con ese nombre</translation>
    </message>
</context>
<context>
    <name>ScopeOverlay</name>
    <message>
        <source>Off</source>
        <translation>Apagado</translation>
    </message>
    <message>
        <source>Rising Edge</source>
        <translation>Flanco ascendente</translation>
    </message>
    <message>
        <source>Falling Edge</source>
        <translation>Flanco descendente</translation>
    </message>
    <message>
        <source>Automatic Level</source>
        <translation>Nivel automático</translation>
    </message>
    <message>
        <source>Show Measurements</source>
        <translation>Mostrar medidas</translation>
    </message>
    <message>
        <source>Set Level Here (%1)</source>
        <translation>Fijar el nivel aquí (%1)</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>Disparo</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Fuente</translation>
    </message>
    <message>
        <source>Triggered</source>
        <translation>Disparado</translation>
    </message>
    <message>
        <source>Auto (no trigger)</source>
        <translation>Auto (sin disparo)</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Pre-trigger</source>
        <translation>Pre-disparo</translation>
    </message>
    <message>
        <source>Holdoff</source>
        <translation>Retención (holdoff)</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Single</source>
        <translation>Único</translation>
    </message>
    <message>
        <source>%1: Waiting</source>
        <translation>%1: Esperando</translation>
    </message>
    <message>
        <source>%1: Stopped</source>
        <translation>%1: Detenido</translation>
    </message>
    <message>
        <source>%1: Triggered</source>
        <translation>%1: Disparado</translation>
    </message>
    <message>
        <source>%1: Armed</source>
        <translation>%1: Armado</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Arm Single</source>
        <translation>Armar disparo único</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
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
        <translation>Permite que los scripts manejen la placa de medida USB por SCPI en un puerto TCP (como socket en bruto: una línea de orden entra, una línea de respuesta sale), sin ventana. Termina con SIGINT, SIGTERM o SIGHUP con la placa detenida. SCPI no tiene autenticación: quien llegue al puerto maneja la placa.</translation>
    </message>
    <message>
        <source>Take clients on this address and port. Default: 127.0.0.1:5025, this computer only.</source>
        <translation>Aceptar clientes en esta dirección y puerto. Predeterminado: 127.0.0.1:5025, solo este ordenador.</translation>
    </message>
    <message>
        <source>--listen takes [ADDR:]PORT, such as 5025 or 0.0.0.0:5025, not &apos;%1&apos;.</source>
        <translation>--listen admite [ADDR:]PORT, como 5025 o 0.0.0.0:5025, no &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Give --board or --port, not both.</source>
        <translation>Indique --board o --port, no ambos.</translation>
    </message>
    <message>
        <source>cannot watch for SIGINT, SIGTERM and SIGHUP.</source>
        <translation>no se pueden vigilar SIGINT, SIGTERM y SIGHUP.</translation>
    </message>
    <message>
        <source>cannot listen on %1:%2: %3.</source>
        <translation>no se puede escuchar en %1:%2: %3.</translation>
    </message>
    <message>
        <source>listening on %1:%2.</source>
        <translation>escuchando en %1:%2.</translation>
    </message>
    <message>
        <source>%1 Commands that need the board answer with error -240 until it is there.</source>
        <translation>%1 Las órdenes que necesitan la placa responden con el error -240 hasta que esté.</translation>
    </message>
    <message>
        <source>stopped.</source>
        <translation>detenido.</translation>
    </message>
    <message>
        <source>RECord:STARt writes its files in FOLDER, by name only. Default: %1.</source>
        <translation>RECord:STARt escribe sus archivos en FOLDER y solo admite nombres de archivo. Predeterminado: %1.</translation>
    </message>
</context>
<context>
    <name>SpectrumView</name>
    <message>
        <source>dB of full scale</source>
        <translation>dB respecto a fondo de escala</translation>
    </message>
    <message>
        <source>frequency (Hz)</source>
        <translation>frecuencia (Hz)</translation>
    </message>
    <message>
        <source>frequency (bins; sample rate not yet known)</source>
        <translation>frecuencia (bins; frecuencia de muestreo aún desconocida)</translation>
    </message>
    <message>
        <source>Spectrum Length</source>
        <translation>Longitud del espectro</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>%1 rows  %2/s  %3 damaged  %4  %5</source>
        <translation>%1 filas  %2/s  %3 dañadas  %4  %5</translation>
    </message>
    <message>
        <source>  waiting for the board</source>
        <translation>  esperando a la placa</translation>
    </message>
    <message>
        <source>  broker connected</source>
        <translation>  broker conectado</translation>
    </message>
    <message>
        <source>  broker unreachable</source>
        <translation>  broker no accesible</translation>
    </message>
    <message>
        <source>, %1 messages dropped</source>
        <translation>, %1 mensajes descartados</translation>
    </message>
</context>
<context>
    <name>ViewSwitch</name>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Spectrum</source>
        <translation>Espectro</translation>
    </message>
    <message>
        <source>XY</source>
        <translation>XY</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Vista</translation>
    </message>
    <message>
        <source>Lanes</source>
        <translation>Carriles</translation>
    </message>
</context>
<context>
    <name>Voltmeter</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
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
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>WindowMemory</name>
    <message>
        <source>Restore Defaults</source>
        <translation>Restaurar valores predeterminados</translation>
    </message>
</context>
<context>
    <name>WindowPublisher</name>
    <message>
        <source>broker unreachable</source>
        <translation>broker no accesible</translation>
    </message>
    <message>
        <source>1 message dropped</source>
        <translation>1 mensaje descartado</translation>
    </message>
    <message>
        <source>%1 messages dropped</source>
        <translation>%1 mensajes descartados</translation>
    </message>
</context>
<context>
    <name>XYView</name>
    <message>
        <source>X Channel</source>
        <translation>Canal X</translation>
    </message>
    <message>
        <source>Y Channel</source>
        <translation>Canal Y</translation>
    </message>
</context>
</TS>
