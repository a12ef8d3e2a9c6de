#!/usr/bin/env python3
"""Slow clients against a comparison server on 127.0.0.1, and probes beside
them: how long a normal GET / takes to be answered.
    slow_clients.py PORT
Three trials, each bounded (about 20 s at most):
  dribble: 8 connections sending one header byte every 2 s, 4 probes 4 s apart
  half:    20 connections that send half a header and wait, one probe
  fifty:   50 connections, half of them dribbling, half silent after half a
           header, 4 probes"""
import socket
import sys
import threading
import time

PORT = int(sys.argv[1])
HEADER = b"GET / HTTP/1.1\r\nHost: x\r\nAccept: */*\r\n\r\n"


def probe(timeout=5.0):
    start = time.monotonic()
    try:
        with socket.create_connection(("127.0.0.1", PORT), timeout=timeout) as s:
            s.sendall(b"GET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
            data = s.recv(64)
            if data.startswith(b"HTTP/1.1 200"):
                return time.monotonic() - start
    except OSError:
        pass
    return None


def slow(count, dribble, stop):
    sockets = []
    for _ in range(count):
        s = socket.create_connection(("127.0.0.1", PORT))
        s.sendall(HEADER[:1] if dribble else HEADER[:len(HEADER) // 2])
        sockets.append(s)

    def run():
        sent = 1
        while not stop.is_set() and sent < len(HEADER) - 1:
            stop.wait(2.0)
            for s in sockets:
                try:
                    s.send(HEADER[sent:sent + 1])
                except OSError:
                    pass
            sent += 1
    thread = threading.Thread(target=run)
    thread.start()
    return sockets, thread


def trial(name, groups, probes, gap):
    stop = threading.Event()
    opened = [slow(count, dribble, stop) for count, dribble in groups]
    time.sleep(0.5)
    times = []
    for i in range(probes):
        times.append(probe())
        if i + 1 < probes:
            time.sleep(gap)
    stop.set()
    for sockets, thread in opened:
        thread.join()
        for s in sockets:
            s.close()
    answered = [t for t in times if t is not None]
    worst = f"{max(answered) * 1000:.0f} ms" if answered else "-"
    print(f"{name}: {len(answered)} of {probes} probes answered within 5 s, slowest {worst}")


trial("dribble", [(8, True)], 4, 4.0)
trial("half", [(20, False)], 1, 0.0)
trial("fifty", [(25, True), (25, False)], 4, 2.0)
