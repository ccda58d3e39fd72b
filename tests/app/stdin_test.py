"""Runs the real binary on standard input that is slow, not ready, or
fails part-way, and checks that every run ends as it should.

usage: stdin_test.py UGRAPH
"""
import os
import select
import socket
import struct
import subprocess
import sys
import time

BIN = sys.argv[1]
failures = 0


def expect(name, want, got):
    global failures
    if want != got:
        print(f"FAIL {name}:\n  expected {want!r}\n  got      {got!r}")
        failures += 1


def read_until(stream, marker, deadline=5.0):
    """Reads stream until marker has appeared; returns what was read."""
    seen = b""
    end = time.monotonic() + deadline
    while marker not in seen and time.monotonic() < end:
        ready, _, _ = select.select([stream], [], [], end - time.monotonic())
        if not ready:
            break
        chunk = os.read(stream.fileno(), 4096)
        if not chunk:
            break
        seen += chunk
    return seen


def keyboard_read_error():
    """A read error in the middle of the keyboard dialogue (a connection
    reset) ends the run there: no summary, no verdict, exit status 1."""
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    client = socket.create_connection(server.getsockname())
    peer, _ = server.accept()
    run = subprocess.Popen([BIN], stdin=client.fileno(), stdout=subprocess.PIPE)
    client.close()
    peer.sendall(b"K\nTri\n3\n2 3\n")
    # Once the prompt for node 2 is out, the program waits for its line.
    seen = read_until(run.stdout, b"(2),")
    peer.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    peer.close()
    rest, _ = run.communicate(timeout=5)
    server.close()
    lines = (seen + rest).decode().split("\n")
    expect("keyboard read error: status", 1, run.returncode)
    expect("keyboard read error: last line",
           "(1),(2),(3),Error: cannot read standard input: "
           "Connection reset by peer", lines[-2])


def modes_wait_for_non_blocking_input():
    """A mode reading a non-blocking pipe waits for its input."""
    for mode in ("--check", "--list", "--dot=1"):
        read_end, write_end = os.pipe()
        os.set_blocking(read_end, False)
        run = subprocess.Popen([BIN, mode, "-"], stdin=read_end,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        os.close(read_end)
        time.sleep(0.2)
        try:
            os.write(write_end, b'[U "A" (1) 2]\n')
        except BrokenPipeError:
            pass  # the run ended without waiting; its status tells
        os.close(write_end)
        out, err = run.communicate(timeout=5)
        expect(f"{mode} on a non-blocking pipe", (0, b""), (run.returncode, err))
        expect(f"{mode} output", True, b"1" in out)


keyboard_read_error()
modes_wait_for_non_blocking_input()
sys.exit(1 if failures else 0)
