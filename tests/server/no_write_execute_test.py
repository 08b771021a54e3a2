#!/usr/bin/env python3
"""The service forbids memory that is written and then executed (MemoryDenyWriteExecute).
The kernel's own switch for the same (PR_SET_MDWE) is set here before the server starts,
and two clients must still be numbered: a Qt or library that needs such memory would
make the installed service die at once."""
import ctypes
import os
import random
import socket
import subprocess
import sys
import tempfile
import time

from numbered_pair import heard_numbers

PR_SET_MDWE, PR_MDWE_REFUSE_EXEC_GAIN = 65, 1


def free_port():
    """A free port below the system's range for outgoing connections: between this probe
    and the server's bind, no client of a test running beside this one can take it."""
    while True:
        port = random.randrange(20000, 32768)
        with socket.socket() as probe:
            try:
                probe.bind(("127.0.0.1", port))
                return port
            except OSError:
                continue


def main(server):
    libc = ctypes.CDLL(None, use_errno=True)
    folder = tempfile.mkdtemp()
    port = free_port()
    settings = os.path.join(folder, "tarvelsvr.ini")
    with open(settings, "w") as ini:
        ini.write("[server]\nport=%d\n" % port)

    def forbid():
        if libc.prctl(PR_SET_MDWE, PR_MDWE_REFUSE_EXEC_GAIN, 0, 0, 0) != 0:
            os._exit(77)  # a kernel without the switch: nothing to check here

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    process = subprocess.Popen([server, "--settings", settings], preexec_fn=forbid, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        clients = []
        for _ in range(2):
            for attempt in range(100):
                if process.poll() is not None:
                    if process.returncode == 77:
                        print("kernel without PR_SET_MDWE: skipped")
                        return 77
                    print("the server ended:", process.stderr.read().decode(errors="replace"))
                    return 1
                try:
                    clients.append(socket.create_connection(("127.0.0.1", port), timeout=5))
                    break
                except OSError:
                    time.sleep(0.1)
        ok, heard = heard_numbers(clients)
        print("numbered under no write-execute:" if ok else "not numbered:", heard)
        return 0 if ok else 1
    finally:
        process.kill()
        process.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
