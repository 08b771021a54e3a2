#!/usr/bin/python3
"""The real client against the real Orca, with the game's own speech off.

Usage: screen_reader_orca_test.py TARVEL PICTURE_PROGRAM [--keep DIR] [--without-orca]

(--without-orca: the same keys with no screen reader, to compare the key delays by hand.)

Everything runs privately: its own Xvfb display, session bus and accessibility bus, its
own HOME and Orca settings. Orca runs in a process of this file with a speech server that
only writes down what it was asked to say, and a second process listens on the
accessibility bus for what the client changes. Keys are pressed through XTest, so the
moment of each press is known.

For a deal, the selection, a refusal, a draw and every Say command it checks that Orca
said the card or fact, within 300 ms of the client's change, and that the key reached the
client within 50 ms of its press (the client holds a key until the screen reader has seen
it). A measure over its limit is taken again, up to three times, where the key can be
pressed again without changing the table; the moves count in the middle value of all
first measures, which must be within the limits too. A missing Orca or one that does not
start fails at once with the reason; every wait has a limit, and every process started
here is ended by its id.
"""

import json
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PYTHON = "/usr/bin/python3"
HERE = os.path.abspath(__file__)
SPEECH_WITHIN = 0.300   # from the client's change to Orca's speech
KEY_WITHIN = 0.050      # from the key press to the client's first change
CARD = (r"(7|8|9|10|kluk|dáma|král|eso) (srdcov|károv|pikov|křížov)[áýé]")

# key (XTest names), what Orca must say (a pattern), and how to measure it once more: a
# measure that misses its limit is taken again (after the given key puts the table back; ""
# where pressing the key again changes nothing), so that a busy machine alone does not fail
# the test. None: the move is measured once.
STEPS = [
    ("ctrl+n", r"^Soupeř: .*Začín", None),
    ("Home", "^" + CARD + r"\.?$", ""),
    ("Right", "^" + CARD + r"\.?$", "Home"),
    ("Left", "^" + CARD + r"\.?$", "Right"),
    ("End", "^" + CARD + r"\.?$", ""),
    ("F2", "^" + CARD + r"\.?$", ""),
    ("shift+F2", r"^Ty: \d+\.?$", ""),
    ("ctrl+F2", "^Ty: " + CARD, ""),
    ("F3", "^Soupeř: " + CARD, ""),
    ("Up", "^Soupeř: " + CARD, ""),
    ("F4", r"^Soupeř: 1\.?$", ""),
    ("F5", r"^Ty: 0\.?$", ""),
    ("F6", r"^Soupeř: 0\.?$", ""),
    ("F9", r"^Soupeř: \d+\.?$", ""),
    ("Down", r"^Soupeř: \d+\.?$", ""),
    ("shift+F9", r"^Ty: \d+\.?$", ""),
    ("Home", "^" + CARD + r"\.?$", ""),
    ("Return", r"^Soupeř: kartu nelze", ""),  # the first card does not fit: refused, nothing changes
    ("space", r"lízání", None),
]


class Failure(Exception):
    pass


# ------------------------------------------------------------------ Orca's process

def run_orca(prefs, speech_log):
    """Orca as /usr/bin/orca runs it, with a speech server that writes what it is given."""
    out = open(speech_log, "w", buffering=1, encoding="utf-8")

    def note(text):
        out.write(json.dumps({"t": time.time(), "text": text}, ensure_ascii=False) + "\n")

    try:
        import types
        import pyatspi  # noqa: F401  (Orca expects it loaded first)
        from orca import speechserver
    except ImportError as error:
        print("Orca is not installed (%s): apt-get install orca python3-pyatspi" % error, flush=True)
        sys.exit(3)

    class WrittenSpeech(speechserver.SpeechServer):
        only = None

        @staticmethod
        def getFactoryName():
            return "written"

        @staticmethod
        def getSpeechServers():
            return [WrittenSpeech.getSpeechServer()]

        @staticmethod
        def getSpeechServer(info=None):
            if WrittenSpeech.only is None:
                WrittenSpeech.only = WrittenSpeech()
            return WrittenSpeech.only

        @staticmethod
        def shutdownActiveServers():
            pass

        def getInfo(self):
            return ["written", "written"]

        def getVoiceFamilies(self):
            return []

        def speak(self, text=None, acss=None, interrupt=True):
            if text:
                note(text)

        def speakCharacter(self, character, acss=None):
            note(character)

        def speakKeyEvent(self, event, acss=None):
            pass

        def sayAll(self, utterances, progress):
            for context, _ in utterances:
                note(context.utterance)
                progress(context, speechserver.SayAllContext.COMPLETED)

        def stop(self):
            pass

        def shutdown(self):
            pass

    module = types.ModuleType("tarvel_written_speech")
    module.SpeechServer = WrittenSpeech
    sys.modules["tarvel_written_speech"] = module

    from orca import orca
    manager = orca.getSettingsManager()
    manager.activate(prefs, {
        "speechServerFactory": "tarvel_written_speech",
        "speechFactoryModules": ["tarvel_written_speech"],
        "speechServerInfo": None,
        "enableSpeech": True,
        "enableBraille": False,
        "enableSound": False,
        "enableKeyEcho": False,
        "showMainWindow": False,
    })
    sys.path.insert(0, manager.getPrefsDir())
    # Orca waits in C for bus events; a short timer lets Python see SIGTERM when none come.
    from gi.repository import GLib
    GLib.timeout_add(200, lambda: True)
    sys.exit(orca.main())


# ------------------------------------------------------------------ the listening process

def run_listener(log):
    """Writes down when the client changed something: nothing is asked of the client here,
    so the times are those of the events' arrival. Orca's own bits stay off the bus
    (NO_AT_BRIDGE), so every event comes from the client."""
    import pyatspi
    out = open(log, "w", buffering=1, encoding="utf-8")

    def heard(event):
        out.write(json.dumps({"t": time.time(), "type": event.type}) + "\n")

    for kind in ["object:state-changed:showing", "object:state-changed:focused",
                 "object:property-change:accessible-name", "window:activate"]:
        pyatspi.Registry.registerEventListener(heard, kind)
    signal.signal(signal.SIGTERM, lambda *_: pyatspi.Registry.stop())
    out.write(json.dumps({"t": time.time(), "type": "ready"}) + "\n")
    pyatspi.Registry.start()


# ------------------------------------------------------------------ helpers

def lines_of(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return [json.loads(line) for line in f if line.strip().startswith("{")]
    except FileNotFoundError:
        return []


def wait_for(check, seconds, step=0.05):
    end = time.time() + seconds
    while time.time() < end:
        found = check()
        if found:
            return found
        time.sleep(step)
    return check()


class Keys:
    """XTest through libX11 and libXtst: the press time is known to the millisecond."""

    MODIFIERS = {"ctrl": "Control_L", "shift": "Shift_L"}

    def __init__(self, display):
        import ctypes
        self.x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        self.xtest = ctypes.cdll.LoadLibrary("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise Failure("cannot open the display %s" % display)

    def _code(self, name):
        return self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))

    def _send(self, code, down):
        self.xtest.XTestFakeKeyEvent(self.display, code, 1 if down else 0, 0)
        self.x11.XSync(self.display, 0)

    def press(self, combination):
        """Presses and lets go of e.g. "ctrl+n"; returns when its main key went down."""
        parts = combination.split("+")
        modifiers = [self._code(self.MODIFIERS[m]) for m in parts[:-1]]
        for code in modifiers:
            self._send(code, True)
        if modifiers:
            time.sleep(0.02)
        key = self._code(parts[-1])
        pressed = time.time()
        self._send(key, True)
        time.sleep(0.02)
        self._send(key, False)
        for code in reversed(modifiers):
            self._send(code, False)
        return pressed

    def close(self):
        self.x11.XCloseDisplay(self.display)


class Processes:
    def __init__(self):
        self.started = []

    def start(self, argv, env, **kwargs):
        process = subprocess.Popen(argv, env=env, start_new_session=True, **kwargs)
        self.started.append(process)
        return process

    def stop_all(self):
        # Each was started in a session of its own: its group holds it and its children.
        for process in reversed(self.started):
            for sig in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, sig)
                except ProcessLookupError:
                    break
                try:
                    process.wait(3)
                    break
                except subprocess.TimeoutExpired:
                    continue


# ------------------------------------------------------------------ the test

def start_display(processes, env, log):
    for number in range(140, 400):
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        reader, writer = os.pipe()
        xvfb = processes.start(["Xvfb", ":%d" % number, "-displayfd", str(writer), "-screen", "0",
                                "1024x768x24", "-nolisten", "tcp"], env, pass_fds=(writer,),
                               stdout=log, stderr=subprocess.STDOUT)
        os.close(writer)
        told = b""
        end = time.time() + 10
        while not told.endswith(b"\n") and time.time() < end:
            if select.select([reader], [], [], 0.2)[0]:
                byte = os.read(reader, 1)
                if not byte:
                    break
                told += byte
        os.close(reader)
        if told.strip() and xvfb.poll() is None:
            return ":" + told.decode().strip()
    raise Failure("Xvfb did not start")


def run(tarvel, pictures, keep, with_orca=True):
    folder = tempfile.mkdtemp(prefix="tarvel-orca-")
    game = os.path.join(folder, "game")
    os.makedirs(game)
    for name in ["home", "runtime", "prefs", "config"]:
        os.makedirs(os.path.join(folder, name), exist_ok=True)
    os.chmod(os.path.join(folder, "runtime"), 0o700)
    log = open(os.path.join(folder, "processes.log"), "w")
    speech_log = os.path.join(folder, "speech.jsonl")
    events_log = os.path.join(folder, "events.jsonl")
    env = {
        "PATH": "/usr/local/bin:/usr/bin:/bin",
        "HOME": os.path.join(folder, "home"),
        "XDG_RUNTIME_DIR": os.path.join(folder, "runtime"),
        "XDG_CONFIG_HOME": os.path.join(folder, "config"),
        "LANG": "C.UTF-8",
        "GSETTINGS_BACKEND": "memory",
        "NO_AT_BRIDGE": "1",
    }
    processes = Processes()
    failures = []
    try:
        subprocess.run([pictures, os.path.join(game, "karty")], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                       stdout=log, stderr=subprocess.STDOUT, timeout=60, check=True)
        # The client reads its settings beside itself, as in the game folder the set-up makes.
        shutil.copy2(tarvel, os.path.join(game, "tarvel"))
        with open(os.path.join(game, "tarvel.ini"), "wb") as f:
            f.write(b"[environment]\r\nspeech=2\r\n")

        env["DISPLAY"] = start_display(processes, env, log)
        bus = os.path.join(folder, "bus")
        processes.start(["dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + bus],
                        env, stdout=log, stderr=subprocess.STDOUT)
        if not wait_for(lambda: os.path.exists(bus), 10):
            raise Failure("the session bus did not start")
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + bus
        processes.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env,
                        stdout=log, stderr=subprocess.STDOUT)

        def accessibility_bus():
            answer = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path",
                                     "/org/a11y/bus", "--method", "org.a11y.Bus.GetAddress"],
                                    env=env, capture_output=True, text=True, timeout=5)
            return answer.returncode == 0 and "unix:" in answer.stdout
        if not wait_for(accessibility_bus, 10, 0.2):
            raise Failure("the accessibility bus did not start")

        processes.start([PYTHON, HERE, "--listen", events_log], env, stdout=log, stderr=subprocess.STDOUT)
        if not wait_for(lambda: lines_of(events_log), 10):
            raise Failure("the listener on the accessibility bus did not start")

        orca_out = os.path.join(folder, "orca.out")
        orca = None if not with_orca else processes.start([PYTHON, HERE, "--orca", os.path.join(folder, "prefs"), speech_log], env,
                               stdout=open(orca_out, "w"), stderr=subprocess.STDOUT)
        started = time.time()
        if orca and not wait_for(lambda: orca.poll() is not None or any("Screen reader on" in s["text"]
                                                                for s in lines_of(speech_log)), 30, 0.1) \
                or orca and orca.poll() is not None:
            with open(orca_out, encoding="utf-8", errors="replace") as f:
                tail = f.read()[-1500:]
            raise Failure("Orca did not start (exit code %s):\n%s" % (orca.poll(), tail))
        print("Orca started in %.1f s" % (time.time() - started))

        client_env = dict(env, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                          TARVEL_AUDIO="off", TARVEL_SEED="7")
        client_env.pop("NO_AT_BRIDGE")
        client = processes.start([os.path.join(game, "tarvel")], client_env, cwd=game, stdout=log, stderr=subprocess.STDOUT)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tarvel$"],
                                env=env, capture_output=True, text=True, timeout=20).stdout.split()
        if not window:
            raise Failure("the client's window did not appear")
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], env=env, timeout=10)
        if orca and not wait_for(lambda: any(s["text"].startswith("Stůl") for s in lines_of(speech_log)), 15):
            raise Failure("Orca did not read the table when the window came up")
        time.sleep(0.5)

        keys = Keys(env["DISPLAY"])

        def measure(combination, wanted):
            """Presses a key; what Orca said, the key's delay and the speech's delay."""
            spoken_before = len(lines_of(speech_log))
            events_before = len(lines_of(events_log))
            pressed = keys.press(combination)
            said = wait_for(lambda: [s for s in lines_of(speech_log)[spoken_before:]
                                     if re.search(wanted, s["text"])], 3 if orca else 1)
            time.sleep(0.3)  # what else follows it, and Orca at rest again
            if client.poll() is not None:
                raise Failure("the client ended after %s" % combination)
            changes = [e for e in lines_of(events_log)[events_before:] if e["t"] >= pressed]
            shown = [e for e in changes if e["type"] == "object:state-changed:showing"]
            key = changes[0]["t"] - pressed if changes else None
            speech = said[0]["t"] - shown[0]["t"] if said and shown else None
            everything = [s["text"] for s in lines_of(speech_log)[spoken_before:]]
            return said[0]["text"] if said else None, everything, key, speech

        def late(key, speech):
            return key is None or key > KEY_WITHIN or (orca and (speech is None or speech > SPEECH_WITHIN))

        def ms(seconds):
            return "   -" if seconds is None else "%4.0f" % (seconds * 1000)

        key_delays, speech_delays = [], []
        for combination, wanted, again in STEPS:
            said, everything, key, speech = measure(combination, wanted)
            if orca and said is None:
                failures.append("%s: Orca did not say /%s/; it said %r" % (combination, wanted, everything))
                continue
            print("%-9s key to client %s ms, change to speech %s ms: %r" % (combination, ms(key), ms(speech), said))
            key_delays.append(key if key is not None else 1.0)
            speech_delays.append(speech if speech is not None else 1.0)
            tries = 1
            while late(key, speech) and again is not None and tries < 3:
                if again:
                    keys.press(again)
                    time.sleep(0.5)
                said, everything, key, speech = measure(combination, wanted)
                tries += 1
                print("%-9s again: key to client %s ms, change to speech %s ms" % (combination, ms(key), ms(speech)))
            if again is None:
                continue  # a move: it counts in the medians below
            if key is None or key > KEY_WITHIN:
                failures.append("%s: the key reached the client %s ms after it was pressed, %d times" % (
                    combination, ms(key), tries))
            if orca and (speech is None or speech > SPEECH_WITHIN):
                failures.append("%s: Orca spoke %s ms after the client's change, %d times" % (
                    combination, ms(speech), tries))
        # A screen reader that holds every key, or speaks late every time, shows in the middle
        # of all the first measures, where a moment of load on the machine does not.
        if key_delays and sorted(key_delays)[len(key_delays) // 2] > KEY_WITHIN:
            failures.append("half of the keys reached the client later than %.0f ms" % (KEY_WITHIN * 1000))
        if orca and speech_delays and sorted(speech_delays)[len(speech_delays) // 2] > SPEECH_WITHIN:
            failures.append("half of the speech came later than %.0f ms" % (SPEECH_WITHIN * 1000))
        keys.close()
    except Failure as failure:
        failures.append(str(failure))
    except subprocess.TimeoutExpired as timeout:
        failures.append("%s did not finish in time" % " ".join(timeout.cmd))
    finally:
        processes.stop_all()
        log.close()
        if keep:
            shutil.rmtree(keep, ignore_errors=True)
            shutil.copytree(folder, keep, ignore=shutil.ignore_patterns("runtime", "bus"))
        shutil.rmtree(folder, ignore_errors=True)

    for failure in failures:
        print("FAIL " + failure)
    print("ok" if not failures else "%d failed" % len(failures))
    return not failures


def main():
    arguments = sys.argv[1:]
    if arguments[:1] == ["--orca"]:
        run_orca(*arguments[1:3])
    elif arguments[:1] == ["--listen"]:
        run_listener(arguments[1])
    elif len(arguments) >= 2:
        keep = arguments[arguments.index("--keep") + 1] if "--keep" in arguments else None
        sys.exit(0 if run(os.path.abspath(arguments[0]), os.path.abspath(arguments[1]), keep,
                          "--without-orca" not in arguments) else 1)
    else:
        print(__doc__)
        sys.exit(2)


if __name__ == "__main__":
    main()
