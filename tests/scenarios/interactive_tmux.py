#!/usr/bin/python3
"""Drives the interactive command line in a real terminal (tmux), as a person types.

usage: interactive_tmux.py LINTARO

Checks: a command runs, Enter at the command prompt repeats it, a transparent 'ZOOM
gives back the interrupted command's prompt, ESC cancels, HELP lists the commands,
and QUIT ends the program. Exits 77 (skipped) when tmux is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

# How long to wait for the program to show something: generous, for a loaded machine.
WAIT_SECONDS = 60


def tmux(server, *args, check=True):
    return subprocess.run(["tmux", "-L", server, *args], capture_output=True, text=True, check=check)


def screen(server):
    return tmux(server, "capture-pane", "-p", "-J", "-S", "-5000", "-t", "lintaro").stdout


def wait_for(server, text, count=1):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        shown = screen(server)
        if shown.count(text) >= count:
            return shown
        time.sleep(0.1)
    sys.exit(f"FAIL: waited for {text!r} (x{count}); the screen shows:\n{screen(server)}")


def type_line(server, text):
    if text:
        tmux(server, "send-keys", "-t", "lintaro", "-l", text)
    tmux(server, "send-keys", "-t", "lintaro", "Enter")


def main():
    if not shutil.which("tmux"):
        print("SKIP: tmux is not installed")
        return 77
    lintaro = os.path.abspath(sys.argv[1])
    server = f"lintaro-test-{os.getpid()}"
    with tempfile.TemporaryDirectory(prefix="lintaro-tmux-", ignore_cleanup_errors=True) as home:
        command = f"env APPDATA={home} TMPDIR={home} LANG=C.UTF-8 {lintaro}; sleep 30"
        tmux(server, "new-session", "-d", "-s", "lintaro", "-x", "200", "-y", "60", command)
        try:
            wait_for(server, "Command: ")
            for line in ("LINE", "0,0", "10,0", ""):
                type_line(server, line)
            wait_for(server, "Command: ", 2)
            # Enter repeats LINE; a transparent zoom in the middle gives its prompt back.
            type_line(server, "")
            wait_for(server, "Specify first point", 2)
            type_line(server, "0,5")
            type_line(server, "'ZOOM")
            type_line(server, "E")
            shown = wait_for(server, "Resuming LINE command.")
            after = shown[shown.index("Resuming LINE command."):].splitlines()
            if len(after) < 2 or not after[1].startswith("Specify next point"):
                sys.exit(f"FAIL: LINE's prompt did not come back after 'ZOOM:\n{shown}")
            type_line(server, "10,5")
            type_line(server, "\x1b")
            wait_for(server, "*Cancel*")
            type_line(server, "HELP")
            type_line(server, "")
            wait_for(server, "The host's commands:")
            type_line(server, "LIST")
            type_line(server, "ALL")
            type_line(server, "")
            # Two lines: the first LINE and the repeated one (the cancelled segment stays).
            wait_for(server, "2 found")
            wait_for(server, "Length = 10.0000", 2)
            type_line(server, "QUIT")
            wait_for(server, "Command: QUIT")
        finally:
            print(screen(server))
            tmux(server, "kill-server", check=False)
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
