#!/usr/bin/env python3
"""Clients of the SCPI server over TCP, as lab scripts are: each sends a query,
waits for its one-line answer, and sends the next. Counts the answers.

  scpiload.py PORT QUERY [--clients N] [--seconds S] [--every-ms MS] [--setup CMD]...

--setup lines are sent first on a connection of their own, each followed by
*OPC? (so the server has done them); --every-ms paces each client (one query
every MS ms, as a script that polls) instead of asking as fast as answers come.
Prints one line: "answers ANSWERS_PER_S CLIENTS ERRORS BYTES_PER_ANSWER CPU_PERCENT"
(CPU: this program's own, to show it is not what limits the rate).
"""
import argparse
import os
import socket
import threading
import time


def connect(port):
    sock = socket.create_connection(("127.0.0.1", port), timeout=30)
    sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return sock, sock.makefile("rb")


def ask(sock, reader, line):
    sock.sendall(line.encode() + b"\n")
    answer = reader.readline()
    if not answer.endswith(b"\n"):
        raise ConnectionError("the server closed the connection")
    return answer


def client(port, query, until, every, counts, index):
    sock, reader = connect(port)
    answers = errors = size = 0
    next_time = time.monotonic()
    while time.monotonic() < until:
        answer = ask(sock, reader, query)
        answers += 1
        size += len(answer)
        # An answer that is a number list, not an error's text.
        if answer[:1] not in b"+-0123456789" or answer.startswith(b"-2") and b'"' in answer:
            errors += 1
        if every:
            next_time += every
            time.sleep(max(0.0, next_time - time.monotonic()))
    errors += ask(sock, reader, "SYST:ERR?").startswith(b"0,") is False
    sock.close()
    counts[index] = (answers, errors, size)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("port", type=int)
    parser.add_argument("query")
    parser.add_argument("--clients", type=int, default=1)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--every-ms", type=float, default=0)
    parser.add_argument("--setup", action="append", default=[])
    args = parser.parse_args()

    if args.setup:
        sock, reader = connect(args.port)
        for line in args.setup:
            ask(sock, reader, line + ";*OPC?")
        sock.close()
    cpu0 = os.times()
    start = time.monotonic()
    until = start + args.seconds
    counts = [(0, 0, 0)] * args.clients
    threads = [threading.Thread(target=client, args=(args.port, args.query, until,
                                                     args.every_ms / 1000, counts, i))
               for i in range(args.clients)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    wall = time.monotonic() - start
    cpu1 = os.times()
    answers = sum(c[0] for c in counts)
    errors = sum(c[1] for c in counts)
    size = sum(c[2] for c in counts)
    cpu = (cpu1.user + cpu1.system - cpu0.user - cpu0.system) / wall * 100
    print("answers %.0f %d %d %.0f %.1f" % (answers / wall, args.clients, errors,
                                           size / max(answers, 1), cpu))


if __name__ == "__main__":
    main()
