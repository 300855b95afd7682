#!/usr/bin/python3
"""A lab script's view of boardpanel-serve: PyVISA over a raw socket against
the standalone virtual board. Usage: scpi_pyvisa.py SERVER VIRTUALBOARD.
Exits 77 (skipped) when PyVISA or its pure-Python backend is missing."""
import os
import re
import struct
import subprocess
import sys
import tempfile

try:
    import pyvisa
    import pyvisa_py  # noqa: F401  the backend of "@py"
except ImportError as missing:
    print(f"SKIP: {missing}; install python3-pyvisa and python3-pyvisa-py")
    sys.exit(77)

server_path, board_path = sys.argv[1], sys.argv[2]
folder = tempfile.mkdtemp()
link = os.path.join(folder, "board")
board = subprocess.Popen([board_path, "--link", link], stdout=subprocess.PIPE, text=True)
server = None
try:
    # Each waits for the line that says it is ready.
    board.stdout.readline()
    server = subprocess.Popen([server_path, "--port", link, "--listen", "127.0.0.1:0"],
                              stderr=subprocess.PIPE, text=True)
    port = None
    for line in server.stderr:
        found = re.search(r"listening on 127\.0\.0\.1:(\d+)", line)
        if found:
            port = found.group(1)
            break
    assert port, "the server did not say where it listens"

    visa = pyvisa.ResourceManager("@py").open_resource(f"TCPIP::127.0.0.1::{port}::SOCKET")
    visa.read_termination = "\n"
    visa.write_termination = "\n"
    visa.timeout = 30000

    assert visa.query("*IDN?").startswith("boardpanel-serve,board,"), "*IDN?"
    visa.write("SOURce1:PWM:FREQuency 1.25kHz")
    visa.write("OUTPut1 ON")
    # The virtual board's counter measures PAD0's output.
    frequency = float(visa.query("MEASure:FREQuency?"))
    assert frequency == 1250, f"counter: {frequency}"
    volts = visa.query_ascii_values("MEASure:VOLTage? (@0:2)")
    assert len(volts) == 3 and all(0 <= v <= 3.3 for v in volts), f"voltages: {volts}"
    visa.write("ACQuire:INSTrument OSC")
    visa.write("FORMat:DATA REAL,32")
    visa.write("INITiate")
    samples = visa.query_binary_values("FETCh:DATA? 1000", datatype="f", is_big_endian=True)
    assert len(samples) == 3000, f"{len(samples)} values"
    # The board's counts: whole numbers, the waves reaching well above 0.
    assert all(v == int(v) and 0 <= v <= 4095 for v in samples), "not the board's counts"
    assert max(samples) > 1000, f"waves up to {max(samples)} only"
    assert visa.query("SYSTem:ERRor?") == '0,"No error"'
    visa.close()
    server.terminate()
    assert server.wait(timeout=60) == 0, "the server did not end cleanly"
finally:
    if server and server.poll() is None:
        server.kill()
    board.kill()
print("PASS")
