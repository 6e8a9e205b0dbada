# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

"""Orca, the screen reader, reading the program on a private display, and
what it says, taken from its debug log.

Orca speaks through a speech-dispatcher of our own, which writes its sound
to ALSA's null device: a machine without a sound card still gets every
utterance in the log. Everything started here is a child of the caller's
session and is stopped by close().
"""

import datetime
import json
import os
import re
import shutil
import subprocess
import time

WAIT = 20.0  # seconds for one utterance; a busy machine can be slow
POLL = 0.05

# Runs /usr/bin/orca unchanged, with its debug log written line by line
# (Orca's own file is block-buffered, so a test would see speech late) and
# without its check for another Orca of the same user (otherOrcas up to 48,
# other_orcas since): the test's Orca has a session bus of its own and
# cannot disturb a user's running one. Orca 43 and 48 read their settings
# from the folder given with -u; Orca 51 has no such option and reads
# GSettings, here kept in memory (nothing of the user's is read or written)
# with the test's settings laid over them as Orca's own runtime values.
LAUNCHER = r"""
import json, runpy, sys
log, settings, sys.argv = sys.argv[1], json.loads(sys.argv[2]), ["orca"] + sys.argv[3:]
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(log, "w", buffering=1)
try:
    from orca import gsettings_registry
except ImportError:
    sys.argv += ["-u", settings["folder"]]
else:
    for schema, key, value in settings["gsettings"]:
        gsettings_registry.get_registry().set_runtime_value(schema, key, value)
orca = runpy.run_path("/usr/bin/orca", run_name="orca_launcher")
orca["main"].__globals__.update(otherOrcas=lambda: [], other_orcas=lambda: [])
sys.exit(orca["main"]())
"""

# "SPEECH OUTPUT: 'text'" and the voice, written as {...}, [{...}] or,
# after a single character, " {...}". Orca 51 writes a voice with a family
# over several lines, each after the first indented.
SPEECH = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*)'(?: voice=\w+)? ?\[?\{.*\}\]?$", re.S)

# Orca's settings for this run, its defaults but for key echo and Braille:
# the log then holds what the program made Orca say.
SETTINGS = {
    "enableKeyEcho": False,
    "enableEchoByCharacter": False,
    "enableEchoByWord": False,
    "enableBraille": False,
    "enableBrailleMonitor": False,
}
# The same for Orca 51, as (GSettings schema, key, value).
GSETTINGS = [
    ("typing-echo", "key-echo", False),
    ("typing-echo", "character-echo", False),
    ("typing-echo", "word-echo", False),
    ("braille", "enabled", False),
]


def _major_version():
    out = subprocess.run(["orca", "--version"], capture_output=True, text=True, timeout=30).stdout
    found = re.search(r"(\d+)\.\d+", out)
    return int(found[1]) if found else 0


# What Orca's releases say differently: what it calls a push button (43
# says "push button", 48 "button"), and what it says as a key types over a
# selected text, here as in a GTK entry.
_OLD_ORCA = _major_version() < 48
BUTTON = "push button" if _OLD_ORCA else "button"
TYPED_OVER = "Selection deleted" if _OLD_ORCA else "Text unselected"


class Timeout(AssertionError):
    pass


class Orca:
    def __init__(self, work):
        self.work = work
        self.log_path = os.path.join(work, "orca.debug")
        self.processes = []
        self._seen = 0  # utterances already taken by expect()

    # -- lifetime --------------------------------------------------------

    def start(self, timeout=60.0):
        env = dict(os.environ)
        socket = os.path.join(self.work, "speechd.sock")
        env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        env["GSETTINGS_BACKEND"] = "memory"
        self._start_speech(socket, env)
        prefs = os.path.join(self.work, "orca-prefs")
        os.makedirs(prefs, exist_ok=True)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            f.write(_settings_json())
        log = open(os.path.join(self.work, "orca.out"), "wb")
        self.processes.append(
            subprocess.Popen(["/usr/bin/python3", "-B", "-c", LAUNCHER, self.log_path,
                              json.dumps({"folder": prefs, "gsettings": GSETTINGS})],
                             env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log))
        log.close()
        # Orca has found the desktop once it says that it runs.
        self.expect("Screen reader on", timeout)

    def _start_speech(self, socket, env):
        config = os.path.join(self.work, "speech-dispatcher")
        shutil.copytree("/etc/speech-dispatcher", config, symlinks=True)
        conf = os.path.join(config, "speechd.conf")
        with open(conf) as f:
            text = f.read()
        with open(conf, "w") as f:
            f.write(text + '\nAudioOutputMethod "alsa"\nAudioALSADevice "null"\n')
        log_dir = os.path.join(self.work, "speechd-log")
        os.makedirs(log_dir, exist_ok=True)
        out = open(os.path.join(log_dir, "speech-dispatcher.out"), "wb")
        self.processes.append(
            subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", config,
                              "--communication-method", "unix_socket", "--socket-path", socket,
                              "--log-dir", log_dir], env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out))
        out.close()
        deadline = time.monotonic() + WAIT
        while not os.path.exists(socket):
            if self.processes[-1].poll() is not None or time.monotonic() > deadline:
                raise Timeout("speech-dispatcher did not open its socket")
            time.sleep(POLL)

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.kill()
                p.wait(5)
        self.processes = []

    # -- what Orca says ----------------------------------------------------

    def utterances(self):
        """Everything Orca has said so far, in order."""
        return [text for _, text in self.timed()]

    def timed(self):
        """Everything Orca has said so far, each with when it was said, in
        seconds since midnight (see seconds_today())."""
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                log = f.read()
        except FileNotFoundError:
            return []
        # Whole lines only: Orca may be writing the last one.
        entries = []
        for line in log[:log.rfind("\n") + 1].splitlines():
            if line[:1].isspace() and entries:
                entries[-1] += "\n" + line.lstrip()
            else:
                entries.append(line)
        return [(int(m[1]) * 3600 + int(m[2]) * 60 + float(m[3]), m[4]) for m in map(SPEECH.match, entries) if m]

    def forget_the_dead(self):
        """Waits until Orca 48 or 51 has seen the ended program leave and
        cleared what it knows dead (within a minute; 51 says so as it
        invalidates its cache "AXObject.known-dead"): a new object with the
        hash of a dead one is passed over. Orca 43 keeps no such list."""
        deadline = time.monotonic() + 60 + WAIT
        while not _OLD_ORCA:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                log = f.read()
            left = log.rfind("Dequeued object:children-changed:remove for [desktop frame")
            cleared = max(log.rfind("AXObject: Clearing local cache"), log.rfind("AXObject.known-dead"))
            if left >= 0 and re.search(r"FINISHED (\w+ -)?PRIORITY", log[left:]) and (
                    cleared > log.rfind("Adding to known dead objects")):
                return
            if time.monotonic() > deadline:
                raise Timeout("Orca did not forget the objects of the program that ended within a minute")
            time.sleep(0.5)

    def mark(self):
        """Forgets what was said until now: expect() looks only after this."""
        self._seen = len(self.utterances())

    def expect(self, text, timeout=WAIT, whole=False):
        """Waits until Orca says an utterance that contains `text` (is
        `text`, if `whole`) after the mark, and moves the mark past it.
        Returns what was said up to and including it."""
        deadline = time.monotonic() + timeout
        while True:
            said = self.utterances()
            for i in range(self._seen, len(said)):
                if said[i] == text or not whole and text in said[i]:
                    taken = said[self._seen:i + 1]
                    self._seen = i + 1
                    return taken
            if any(p.poll() is not None for p in self.processes):
                raise AssertionError(f"Orca or its speech ended; it said {said[self._seen:]}")
            if time.monotonic() > deadline:
                raise Timeout(f"Orca did not say {text!r} within {timeout:.0f} s; it said {said[self._seen:]}")
            time.sleep(POLL)


def seconds_today():
    """Now, on the clock of Orca's log."""
    now = datetime.datetime.now()
    return now.hour * 3600 + now.minute * 60 + now.second + now.microsecond / 1e6


def _settings_json():
    general = dict(SETTINGS)
    return json.dumps({"general": general, "pronunciations": {}, "keybindings": {},
                       "profiles": {"default": {"profile": ["Default", "default"], **general}}}, indent=1)
