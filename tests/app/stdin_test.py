"""Runs the real binary on standard input that is slow, not ready, or
fails part-way, and on standard output that is not ready or closed, and
checks that every run ends as it should.

usage: stdin_test.py UGRAPH
"""
import os
import select
import socket
import struct
import subprocess
import sys
import tempfile
import time

BIN = os.path.abspath(sys.argv[1])
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


def modes_write_each_row_as_its_graph_comes():
    """On a pipe held open after one graph, each mode has written that
    graph's row before its input ends."""
    for args, row in ((["--list", "-"], b"connected and is a tree"),
                      (["--list", "--json", "-"], b'"number":1'),
                      (["--convert", "--to=graph6", "-"], b"A_")):
        run = subprocess.Popen([BIN] + args, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        run.stdin.write(b'[U "A" (1) 2]\n')
        run.stdin.flush()
        seen = read_until(run.stdout, row, deadline=2.0)
        run.stdin.close()
        run.wait(timeout=5)
        run.stdout.close()
        run.stderr.close()
        expect(f"{' '.join(args)} writes its row while the pipe is open",
               True, row in seen)


def modes_wait_for_non_blocking_output():
    """A mode writing to a non-blocking pipe that is slow to be read waits
    for its reader, and every byte arrives: far more than a pipe holds."""
    graphs = b"".join(b'[U "G%d" (1) 2 (2) 3]\n' % i for i in range(20000))
    want = subprocess.run([BIN, "--list", "-"], input=graphs,
                          capture_output=True, check=True).stdout
    read_end, write_end = os.pipe()
    os.set_blocking(write_end, False)
    with tempfile.TemporaryFile() as source:
        source.write(graphs)
        source.seek(0)
        run = subprocess.Popen([BIN, "--list", "-"], stdin=source,
                               stdout=write_end, stderr=subprocess.PIPE)
    os.close(write_end)
    time.sleep(0.3)  # the pipe fills, and the writer must wait
    got = b""
    with os.fdopen(read_end, "rb") as reader:
        while chunk := reader.read(65536):
            got += chunk
    err = run.stderr.read()
    run.wait(timeout=10)
    expect("--list to a non-blocking pipe", (0, b"", len(want)),
           (run.returncode, err, len(got)))
    expect("--list to a non-blocking pipe, every byte", True, got == want)


def closed_output_is_said_as_it_is():
    """With standard output closed, a mode says so, not that its input is
    its output (opening a FILE would reuse descriptor 1); the dialogue
    says so in its own way and ends with 1."""
    here = os.path.dirname(os.path.abspath(__file__))
    catalogue = os.path.join(here, "catalogues", "features.txt")
    for args in (["--list", catalogue], ["--count", catalogue, "-"],
                 ["--check", "-"]):
        run = subprocess.run([BIN] + args, input=b"", stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, close_fds=True,
                             preexec_fn=lambda: os.close(1))
        expect(f"{args[0]} with standard output closed",
               (2, b"ugraph: cannot write standard output: Bad file descriptor\n"),
               (run.returncode, run.stderr))
    work = os.path.dirname(catalogue)
    run = subprocess.run([BIN], input=b"F\n1\n\n", stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, cwd=work,
                         preexec_fn=lambda: os.close(1))
    expect("the dialogue with standard output closed", 1, run.returncode)
    expect("the dialogue says nothing of its input", False,
           b"input file" in run.stderr)


read_errors_end_the_dialogue()
modes_wait_for_non_blocking_input()
modes_write_each_row_as_its_graph_comes()
modes_wait_for_non_blocking_output()
closed_output_is_said_as_it_is()
sys.exit(1 if failures else 0)
