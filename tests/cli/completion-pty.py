#!/usr/bin/python3
"""completion-pty.py METRIVO_CONVERT COMPLETION_FOLDER SHELL...

Shell completion of metrivo-convert as a user meets it: each SHELL (bash,
zsh, fish) runs interactively on a pseudo-terminal with the completion file
loaded, and the keys are typed as a user types them. For every unit name of
every category, with -c and without, the shortest start that names only it
(the whole name when it starts another) is typed and completed with Tab, as
FROM and as TO; Return then runs the command, which must convert. Options
written with "=" are completed too.
"""

import os
import pty
import re
import select
import signal
import subprocess
import sys
import time

PROMPT = "READY> "
# Written after each command ends, never when a line is redrawn.
DONE = "<<command done>>"
# Written before each command runs, with the command line the shell runs.
RAN = "<<ran>>"
QUOTED_RAN = "<<r''an>>"
# The marker as the shells are given it: echoed, it is not the marker.
QUOTED_DONE = "<<command'' done>>"
ANSI = re.compile(r"\x1b(\[[0-9;?<=>]*[ -/]*[@-~]|\][^\x07\x1b]*(\x07|\x1b\\)|[()][0-9A-B]|[=>78])")
RESULT = re.compile(r"^-?[0-9]+(\.[0-9]+)?(E[+-][0-9]+)?$")


class Shell:
    def __init__(self, name, argv, env, setup):
        self.name = name
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            os.execvpe(argv[0], argv, env)
        self.buffer = ""
        self.send(setup)
        self.wait_done(30)

    def send(self, text):
        os.write(self.fd, text.encode())

    def read(self, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            return False
        try:
            data = os.read(self.fd, 65536)
        except OSError:
            return False
        self.buffer += data.decode("utf-8", "replace")
        return True

    def wait_done(self, seconds):
        """Everything up to the end of the next command, escape sequences removed."""
        deadline = time.monotonic() + seconds
        while True:
            clean = ANSI.sub("", self.buffer)
            at = clean.find(DONE)
            if at >= 0:
                self.buffer = self.buffer[self.buffer.find(DONE) + len(DONE):]
                return clean[:at]
            left = deadline - time.monotonic()
            if left <= 0 or not self.read(left):
                raise TimeoutError(f"{self.name}: the command did not end; the screen shows {clean[-400:]!r}")

    def close(self):
        try:
            os.kill(self.pid, signal.SIGKILL)
            os.waitpid(self.pid, 0)
        except OSError:
            pass
        os.close(self.fd)


def command_run(screen):
    """The command line the shell ran, its quoting undone."""
    at = screen.rfind(RAN)
    if at < 0:
        return ""
    line = screen[at + len(RAN):].replace("\r", "\n").split("\n")[0]
    return re.sub(r"[\\'\"]", "", line).strip()


def names(exe, *args):
    out = subprocess.run([exe, *args], capture_output=True, text=True, check=True).stdout
    return out.splitlines()


def unique_start(name, candidates):
    """The shortest start of `name` that starts no other candidate."""
    others = [c for c in set(candidates) if c != name]
    for length in range(1, len(name) + 1):
        start = name[:length]
        if not any(c.startswith(start) for c in others):
            return start, True
    return name, False


def escaped(text):
    """Text as typed on a shell's command line: its special characters after
    a backslash."""
    return re.sub(r"([ ()\[\],'\"&;|<>])", r"\\\1", text)


def typed(name, candidates):
    """The keys that complete `name`: its unique start and Tab, and a space
    where the shell cannot know the name is complete."""
    start, unique = unique_start(name, candidates)
    return escaped(start) + "\t" + ("" if unique else " ")


def shell_setup(shell, folder):
    if shell == "bash":
        return (["bash", "--norc", "--noprofile", "-i"],
                "bind 'set bell-style none'; bind 'set show-all-if-ambiguous off'; "
                "[ -f /usr/share/bash-completion/bash_completion ] && "
                ". /usr/share/bash-completion/bash_completion; "
                f". '{folder}/metrivo-convert.bash'; PS1='{PROMPT}'; "
                "trap '[ -z \"$ran\" ] && ran=1 && echo \"" + QUOTED_RAN + "$BASH_COMMAND\"' DEBUG; "
                f"PROMPT_COMMAND='echo \"{QUOTED_DONE}\"; ran='\r")
    if shell == "zsh":
        return (["zsh", "-f", "-i"],
                f"fpath=('{folder}' $fpath); autoload -U compinit; compinit -u -D; "
                f"unsetopt beep; PROMPT='{PROMPT}'; RPROMPT=''; PROMPT_EOL_MARK=''; "
                f"preexec() {{ print -r -- '{QUOTED_RAN}'\"$1\" }}; precmd() {{ print '{QUOTED_DONE}' }}\r")
    if shell == "fish":
        return (["fish", "--no-config", "-i"],
                f"set -g fish_greeting; source '{folder}/metrivo-convert.fish'; "
                f"function fish_prompt; echo -n '{PROMPT}'; end; "
                "function fish_right_prompt; end; set -g fish_autosuggestion_enabled 0; "
                f"function __ran --on-event fish_preexec; echo '{QUOTED_RAN}'\"$argv\"; end; "
                f"function __done --on-event fish_postexec; echo '{QUOTED_DONE}'; end\r")
    raise SystemExit(f"unknown shell {shell}")


def lines_to_try(exe):
    """(keys typed, what it is) for every name, with -c and without."""
    everything = names(exe, "--names")
    categories = ["Length", "Temperature", "Speed", "Volume", "Weight", "Area"]
    out = []
    for category in categories:
        units = names(exe, "--names", category)
        for i in range(0, len(units), 2):
            first = units[i]
            second = units[(i + 1) % len(units)]
            out.append((f"metrivo-convert -c {category} 1 " + typed(first, units) + typed(second, units),
                        f"-c {category} 1 {first} {second}"))
            partners = names(exe, "--names-of", second)
            out.append(("metrivo-convert 1 " + typed(second, everything) + typed(first, partners),
                        f"metrivo-convert 1 {second} {first}"))
    # Options written with "=", and a category option before the amount.
    out.append(("metrivo-convert --category=Wei\t2.5 pou\tkilogr\t", "--category=Weight 2.5 pound kilogram"))
    out.append(("metrivo-convert --decimal-separator=. -c Tem\t1 degree\\ C\tkel\t",
                "--decimal-separator=. -c Temperature 1 degree Celsius kelvin"))
    return out


def main():
    exe, folder, shells = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3:]
    env = dict(os.environ)
    env.update({"PATH": os.path.dirname(exe) + ":" + env.get("PATH", ""), "TERM": "xterm",
                "LC_ALL": "C.UTF-8", "HOME": env.get("TMPDIR", "/tmp"), "COLUMNS": "400",
                "XDG_CONFIG_HOME": "/nonexistent", "XDG_DATA_DIRS": "/usr/share"})
    failures = 0
    attempts = lines_to_try(exe)
    for shell in shells:
        argv, setup = shell_setup(shell, folder)
        session = Shell(shell, argv, env, setup)
        # A wide terminal: no line wraps in what it echoes.
        os.system(f"stty -F {os.ttyname(session.fd)} cols 400 rows 50 2>/dev/null")
        started = time.monotonic()
        for keys, what in attempts:
            session.send(keys + "\r")
            try:
                screen = session.wait_done(20)
            except TimeoutError as error:
                print(f"FAIL: {shell}: {what}: {error}")
                failures += 1
                session.close()
                session = Shell(shell, argv, env, setup)
                continue
            lines = [l.strip() for l in screen.replace("\r", "\n").split("\n")
                     if l.strip() and RAN not in l]
            result = lines[-1] if lines else ""
            ran = command_run(screen)
            if what not in ran:
                failures += 1
                print(f"FAIL: {shell}: typed {keys!r}, ran {ran!r}, not '{what}'")
            elif not RESULT.match(result):
                failures += 1
                print(f"FAIL: {shell}: {what}: typed {keys!r}; the screen shows {lines[-3:]!r}")
        print(f"{shell}: {len(attempts)} completed commands in {time.monotonic() - started:.1f} s")
        session.close()
    if failures:
        print(f"{failures} completion(s) failed")
        return 1
    print("every unit completes to a command that converts, in " + ", ".join(shells))
    return 0


if __name__ == "__main__":
    sys.exit(main())
