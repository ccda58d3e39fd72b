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


def reset_after(answers, marker):
    """Runs the dialogue on a connection that delivers answers, then is
    reset once the output shows marker; returns (status, last line)."""
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    client = socket.create_connection(server.getsockname())
    peer, _ = server.accept()
    run = subprocess.Popen([BIN], stdin=client.fileno(), stdout=subprocess.PIPE)
    client.close()
    peer.sendall(answers)
    seen = read_until(run.stdout, marker)
    peer.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    peer.close()
    rest, _ = run.communicate(timeout=5)
    server.close()
    return run.returncode, (seen + rest).decode().split("\n")[-2]


def read_errors_end_the_dialogue():
    """A read error (a connection reset) ends the dialogue where it stands
    with exit status 1: in the middle of the node lines no summary or
    verdict follows, and at the final key wait the verdict stands."""
    error = "Error: cannot read standard input: Connection reset by peer"
    expect("read error in the node lines", (1, "(1),(2),(3)," + error),
           reset_after(b"K\nTri\n3\n2 3\n", b"(2),"))
    expect("read error at the key wait", (1, error),
           reset_after(b"K\nTri\n3\n2 3\n3\n\n", b"not a tree\n"))


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


read_errors_end_the_dialogue()
modes_wait_for_non_blocking_input()
sys.exit(1 if failures else 0)
