"""What the server's process tests share: two clients that must be given numbers 0 and 1."""
import socket
import time


def heard_numbers(clients, seconds=10):
    """Reads from both clients until each was given a number; True when the first got 0 and
    the second 1, and what each heard."""
    heard = [b"", b""]
    deadline = time.time() + seconds
    while time.time() < deadline and not all(b"yournumber=" in h for h in heard):
        for i, client in enumerate(clients):
            client.settimeout(0.2)
            try:
                heard[i] += client.recv(4096)
            except socket.timeout:
                pass
    return b"yournumber=0\\" in heard[0] and b"yournumber=1\\" in heard[1], heard
