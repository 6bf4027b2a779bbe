"""Drives kestrafo as a screen reader user would: finds the window and its
controls by name and role, reads the question pane through the Text
interface, types an answer, presses "Enter Response" through the Action
interface and answers the rating prompt. The SEND file must hold the record.

    atspi_client.py PROGRAM HOME
"""
import glob
import os
import subprocess
import sys
import time

import pyatspi

program, home = sys.argv[1], sys.argv[2]


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if app.poll() is not None:
            fail("the program ended while waiting for " + what)
        try:
            found = probe()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "kestrafo":
            return child
    return None


def find(root, name, role):
    return pyatspi.findDescendant(root, lambda a: a.name == name and a.getRole() == role)


def frame(title):
    app_node = application()
    if app_node is None:
        return None
    for i in range(app_node.childCount):
        child = app_node.getChildAtIndex(i)
        if child is not None and child.name == title and child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "SetFocus") and action.getName(i) != "SetFocus":
            action.doAction(i)
            return
    action.doAction(0)


def answer_prompt(reply):
    # The prompts are dialogs titled "kestrafo", each with one entry field.
    def open_prompt():
        node = frame("kestrafo")
        if node is None:
            return None
        return pyatspi.findDescendant(node, lambda a: a.getRole() == pyatspi.ROLE_TEXT)

    field = wait_for("a prompt", open_prompt)
    dialog = frame("kestrafo")
    if reply:
        field.queryEditableText().setTextContents(reply)
    ok = find(dialog, "OK", pyatspi.ROLE_PUSH_BUTTON)
    if ok is None:
        fail("the prompt has no OK button")
    press(ok)
    wait_for("the prompt to close", lambda: frame("kestrafo") is None or frame("kestrafo") != dialog)


app = subprocess.Popen([program], env=dict(os.environ, HOME=home))
try:
    for reply in ("Ann Student", "", "5"):
        answer_prompt(reply)
    form = wait_for("the main window", lambda: frame("Form1"))

    controls = [
        ("Questions and worked answers", pyatspi.ROLE_TEXT),
        ("Your answer", pyatspi.ROLE_TEXT),
        ("Picture", None),
        ("Copied picture", None),
        ("List", pyatspi.ROLE_LIST),
        ("Parameter 1", pyatspi.ROLE_TEXT),
        ("Parameter 2", pyatspi.ROLE_TEXT),
        ("Parameter 3", pyatspi.ROLE_TEXT),
        ("Parameter 4", pyatspi.ROLE_TEXT),
        ("Next Question / Answer", pyatspi.ROLE_PUSH_BUTTON),
        ("Enter Response", pyatspi.ROLE_PUSH_BUTTON),
        ("Save as Notes", pyatspi.ROLE_PUSH_BUTTON),
        ("clear answer", pyatspi.ROLE_PUSH_BUTTON),
        ("display notes", pyatspi.ROLE_PUSH_BUTTON),
        ("display SEND file", pyatspi.ROLE_PUSH_BUTTON),
        ("quit program", pyatspi.ROLE_PUSH_BUTTON),
        ("next picture", pyatspi.ROLE_PUSH_BUTTON),
        ("copy picture", pyatspi.ROLE_PUSH_BUTTON),
        ("Trigger Timer", pyatspi.ROLE_PUSH_BUTTON),
        ("pend exp", pyatspi.ROLE_PUSH_BUTTON),
    ]
    found = {}
    for name, role in controls:
        node = pyatspi.findDescendant(form, lambda a: a.name == name and (role is None or a.getRole() == role)
                                      and a.getRole() != pyatspi.ROLE_LABEL)
        if node is None:
            fail("no control named %r with role %s" % (name, role))
        found[name] = node
    nameless = pyatspi.findAllDescendants(
        form, lambda a: a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_LIST, pyatspi.ROLE_PUSH_BUTTON) and not a.name)
    if nameless:
        fail("controls without a name: %s" % [n.getRoleName() for n in nameless])
    if "Empty" not in found["Picture"].description:
        fail("the picture's description does not say it is empty: %r" % found["Picture"].description)

    press(found["Next Question / Answer"])
    question = found["Questions and worked answers"].queryText()
    text = wait_for("the first question", lambda: question.getText(0, -1).strip())
    course = open(os.path.join(os.path.dirname(__file__), "../../src/bank/course_content.txt"), encoding="cp1252").read()
    if text.split("\n")[0][:30] not in course.replace("\\n", "\n"):
        fail("the question pane shows text that is not in the course: %r" % text[:80])

    found["Your answer"].queryEditableText().setTextContents("read to me by a screen reader")
    press(found["Enter Response"])
    answer_prompt("4")

    sends = glob.glob(os.path.join(home, "kestrafo", "send_*.txt"))
    if len(sends) != 1:
        fail("expected one SEND file, found %s" % sends)
    data = open(sends[0], "rb").read()
    if b"\r\nread to me by a screen reader\r\nconfidence assessment:  4\r\n" not in data:
        fail("the SEND file does not hold the record")
    press(found["quit program"])
    app.wait(timeout=15)
    if app.returncode != 0:
        fail("exit status %d" % app.returncode)
    print("PASS: every control found by name and role; response recorded through AT-SPI")
finally:
    if app.poll() is None:
        app.kill()
        app.wait()
