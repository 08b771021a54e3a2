#!/usr/bin/env python3
"""A server started with a low open-files limit is flooded with connections from many
loopback addresses until it can take no more, several times over: it must never die,
must keep accepting once the flood has gone, and two clients must then be numbered."""
import os
import random
import resource
import socket
import subprocess
import sys
import tempfile
import time

from numbered_pair import heard_numbers

LIMIT = 160


def connect(port, source):
    s = socket.socket()
    s.setblocking(False)
    s.bind((source, 0))
    try:
        s.connect(("127.0.0.1", port))
    except BlockingIOError:
        pass
    except OSError:
        s.close()
        return None
    return s


def numbered(port):
    try:
        clients = [socket.create_connection(("127.0.0.1", port), timeout=5,
                                            source_address=("127.0.0.%d" % (200 + i), 0)) for i in range(2)]
    except OSError as error:
        print("cannot connect:", error)
        return False
    ok, _ = heard_numbers(clients)
    for client in clients:
        client.close()
    return ok


def open_files(pid):
    return len(os.listdir("/proc/%d/fd" % pid))


def settle(pid, baseline):
    """Connections the flood closed may still wait in the kernel's queue; each is taken and
    dropped in turn. A newcomer before then could be paired with one of them."""
    deadline = time.time() + 8
    quiet_since = None
    while time.time() < deadline:
        if open_files(pid) <= baseline:
            quiet_since = quiet_since or time.time()
            if time.time() - quiet_since >= 1.5:
                return
        else:
            quiet_since = None
        time.sleep(0.1)


def start(server, folder):
    """The server on a port below the kernel's range for outgoing connections: the floods
    (this test's and other tests' at the same time) could take a port chosen from that range
    before the server binds it. A port someone else holds is tried again."""
    def low_limit():
        resource.setrlimit(resource.RLIMIT_NOFILE, (LIMIT, LIMIT))

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for _ in range(10):
        port = random.randint(20000, 32000)
        settings = os.path.join(folder, "tarvelsvr.ini")
        with open(settings, "w") as ini:
            ini.write("[server]\nport=%d\ntables=100\n" % port)
        log = open(os.path.join(folder, "log"), "w+")
        process = subprocess.Popen([server, "--settings", settings], preexec_fn=low_limit, env=env,
                                   stdout=log, stderr=subprocess.STDOUT)
        deadline = time.time() + 15
        while time.time() < deadline:
            said = open(log.name, encoding="utf-8", errors="replace").read()
            if "Nelze naslouchat" in said or "Port serveru" in said:
                break
            time.sleep(0.1)
        if "Nelze naslouchat" not in said:
            return process, port, log
        process.kill()
        process.wait()
    raise SystemExit("no free port for the server")


def main(server):
    folder = tempfile.mkdtemp()
    process, port, log = start(server, folder)
    try:
        time.sleep(0.5)
        baseline = open_files(process.pid)
        most = 0
        for round_ in range(3):
            flood = []
            for i in range(3 * LIMIT):
                s = connect(port, "127.0.0.%d" % (2 + i % 50))
                if s is not None:
                    flood.append(s)
            time.sleep(1.5)
            most = max(most, open_files(process.pid))
            if process.poll() is not None:
                print("round %d: the server died" % round_)
                return 1
            for s in flood:
                s.close()
            time.sleep(1.5)
        settle(process.pid, baseline)
        if not numbered(port):
            print("after the floods two clients were not numbered")
            return 1
        if process.poll() is not None:
            print("the server died")
            return 1
        print("alive and accepting after three floods; at most %d files open of %d" % (most, LIMIT))
        return 0
    finally:
        process.kill()
        process.wait()
        if "--verbose" in sys.argv:
            log.seek(0)
            print(log.read()[-3000:])


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
