#!/usr/bin/env python3
"""End-to-end run of the real program on a virtual display: a fresh user clicks "Load
Sample/Example Database", "Next >", "Select All" and "Finish", dismisses "Done." and the
workbook handed to a stand-in soffice must hold every sample table, value for value.

Usage: sample_export_e2e.py --program BUILD/quorvane --data samples/data
           [--screenshots DIR --dos-table-maker BUILD/tests/e2e/e2e_make_dos_table]
       sample_export_e2e.py --install-from BUILD --data samples/data
The second form installs the build into a temporary prefix, checks the installed files and
runs the installed program. Starts its own virtual X server, so it needs no display of its own."""

import argparse
import datetime
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TWIPS_PER_PIXEL = 15
# Buttons (left, top, width, height in twips) from the window layouts; Form1's buttons in its
# frame are placed from the frame's corner (120, 600).
LOAD_SAMPLE = (120 + 240, 600 + 1290, 3600, 405)
NEXT = (120, 2595, 7800, 405)
SELECT_ALL = (120, 120, 3840, 405)
FINISH = (4080, 3680, 3840, 405)
FIRST_TABLE = (120, 80)  # pixels: the text of the list's first item, below its header

WINDOW_NAME = "^Quorvane$"  # both windows and the message boxes carry the program's name
ERROR_REPORT_NAME = "^Application Error$"  # the title of the program's error report
STEP_TIMEOUT = 15.0  # seconds for one step of the run; the whole run takes a few seconds
SKIPPED = 77  # what ctest counts as a skipped test


class E2EFailure(Exception):
    pass


def start_virtual_display(log_path):
    """Starts Xvfb on a display number it finds free itself and points DISPLAY at it. The server
    picks the number (-displayfd) because a number chosen from lock files alone can still be
    taken, on this machine or by a server sharing its abstract socket names. -noreset keeps the
    server from resetting when its last client leaves: a client arriving during a reset, as the
    program may right after the readiness check, is refused."""
    reader, writer = os.pipe()
    with open(log_path, "wb") as log:
        server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1024x768x24",
                                   "-nolisten", "tcp", "-noreset"], pass_fds=(writer,),
                                  stdout=subprocess.DEVNULL, stderr=log)
    os.close(writer)
    number = b""
    deadline = time.monotonic() + STEP_TIMEOUT
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([reader], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(reader, 16) if ready else b""
        if not chunk:
            break
        number += chunk
    os.close(reader)
    if not number.strip().isdigit():
        stop_virtual_display(server)
        raise E2EFailure("Xvfb did not start:\n" + open(log_path, errors="replace").read()[-2000:])
    os.environ["DISPLAY"] = ":" + number.decode().strip()
    os.environ.pop("XAUTHORITY", None)
    os.environ.pop("WAYLAND_DISPLAY", None)
    try:
        wait_for("the virtual display to take clients", lambda: xdotool("getdisplaygeometry"))
    except E2EFailure:
        stop_virtual_display(server)
        raise
    return server


def stop_virtual_display(server):
    server.terminate()
    try:
        server.wait(timeout=5)
    except subprocess.TimeoutExpired:
        server.kill()
        server.wait()


def wait_for(what, condition, timeout=STEP_TIMEOUT, app=None):
    """Polls condition until it returns something true; fails naming what was awaited, or at
    once when the program shows an error report instead or has ended."""
    deadline = time.monotonic() + timeout
    while True:
        if xdotool("search", "--onlyvisible", "--name", ERROR_REPORT_NAME):
            raise E2EFailure(f"an error report appeared while waiting for {what}")
        if app is not None and app.poll() is not None:
            raise E2EFailure(f"the program ended (exit {app.returncode}) while waiting for {what}")
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise E2EFailure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.05)


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return done.stdout.split() if done.returncode == 0 else []


def visible_windows():
    return xdotool("search", "--onlyvisible", "--name", WINDOW_NAME)


def window_size(window):
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window))
    return int(values.get("WIDTH", 0)), int(values.get("HEIGHT", 0))


def click(window, button):
    left, top, width, height = button
    x = (left + width // 2) // TWIPS_PER_PIXEL
    y = (top + height // 2) // TWIPS_PER_PIXEL
    xdotool("mousemove", "--window", window, str(x), str(y), "click", "1")


def only_window(exclude=()):
    """The one visible program window not in exclude, once there is exactly one."""
    windows = [w for w in visible_windows() if w not in exclude]
    return windows[0] if len(windows) == 1 else None


def screenshot(window, path):
    """Saves a picture of the window, the pointer moved off it so no button shows its hover look."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    xdotool("mousemove", "1000", "750")
    time.sleep(0.3)  # let the window repaint without the hover look
    if subprocess.run(["import", "-window", window, path]).returncode != 0:
        raise E2EFailure(f"import could not save {path}")


def read_settings(config_home):
    path = os.path.join(config_home, "Marrowind", "Quorvane.conf")
    try:
        with open(path, encoding="utf-8") as f:
            return dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
    except OSError:
        return {}


def handed_calls(out_dir):
    return sorted(os.path.join(out_dir, d) for d in os.listdir(out_dir)
                  if d.startswith("call.") and os.path.exists(os.path.join(out_dir, d, "done")))


def run_program(program, work, screenshots):
    """Drives the windows; returns the folder of the stand-in's one call."""
    config_home, cache_home, bin_dir, out_dir = (os.path.join(work, d) for d in ("config", "cache", "bin", "out"))
    for d in (config_home, cache_home, bin_dir, out_dir):
        os.makedirs(d)
    shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), "standin-soffice.sh"),
                os.path.join(bin_dir, "soffice"))
    env = dict(os.environ, XDG_CONFIG_HOME=config_home, XDG_CACHE_HOME=cache_home, HOME=work,
               PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""), QUORVANE_E2E_OUT=out_dir,
               QT_QPA_PLATFORM="xcb", ASAN_OPTIONS="detect_leaks=0")
    log = open(os.path.join(work, "program.log"), "w")
    app = subprocess.Popen([program], env=env, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    try:
        form1 = wait_for("the connection setup window", only_window, app=app)
        click(form1, LOAD_SAMPLE)
        samples = os.path.join(os.path.dirname(os.path.realpath(program)), "Samples")
        wait_for("the sample folder in the settings",
                 lambda: read_settings(config_home).get("Text2") == samples
                 and read_settings(config_home).get("FoxproOption") == "2", app=app)
        if screenshots:
            screenshot(form1, os.path.join(screenshots, "form1.png"))
        click(form1, NEXT)
        form2 = wait_for("the table selection window", lambda: only_window(exclude=(form1,)), app=app)
        if window_size(form2)[1] <= window_size(form1)[1]:
            raise E2EFailure("the window after \"Next >\" is not the taller table selection window")
        click(form2, SELECT_ALL)
        if screenshots:
            screenshot(form2, os.path.join(screenshots, "form2.png"))
            preview = open_preview(form2, "customers", app, double_click=FIRST_TABLE)
            screenshot(preview, os.path.join(screenshots, "preview.png"))
            xdotool("key", "Escape")
            wait_for("the preview to close", lambda: preview not in visible_windows(), app=app)
        click(form2, FINISH)
        done_box = wait_for("the \"Done.\" message", lambda: only_window(exclude=(form2,)), app=app)
        xdotool("windowfocus", "--sync", done_box)
        xdotool("key", "Return")
        wait_for("the \"Done.\" message to close", lambda: done_box not in visible_windows(), app=app)
        return wait_for("the workbook handed to soffice", lambda: handed_calls(out_dir), app=app)
    finally:
        stop(app)
        log.close()


def open_preview(table_list, item, app, double_click=None):
    """Enter on the table list's current item, or a double-click on the item at double_click
    (left, top in pixels), opens its preview; returns the preview window."""
    xdotool("windowfocus", "--sync", table_list)
    if double_click:
        xdotool("mousemove", "--window", table_list, *map(str, double_click), "click", "--repeat",
                "2", "1")
    else:
        xdotool("key", "Return")
    title = f"^Preview: {item}$"
    preview = wait_for(f"the preview of {item}",
                       lambda: xdotool("search", "--onlyvisible", "--name", title), app=app)[0]
    xdotool("windowfocus", "--sync", preview)
    time.sleep(0.5)  # the first screen of records painted
    return preview


def dos_preview_screenshots(program, work, screenshots, maker):
    """The preview of an unmarked DOS table before and after choosing code page 850 (the
    code-page box has the focus; Down chooses the page after Windows-1252)."""
    folder = os.path.join(work, "dos")
    subprocess.run([maker, folder], check=True)
    config_home = os.path.join(work, "config")
    env = dict(os.environ, XDG_CONFIG_HOME=config_home, XDG_CACHE_HOME=os.path.join(work, "cache"),
               HOME=work, PATH=os.path.join(work, "bin") + os.pathsep + os.environ.get("PATH", ""),
               QUORVANE_E2E_OUT=os.path.join(work, "out"), QT_QPA_PLATFORM="xcb",
               ASAN_OPTIONS="detect_leaks=0")
    with open(os.path.join(work, "program-dos.log"), "w") as log:
        app = subprocess.Popen([program, folder], env=env, stdout=log, stderr=subprocess.STDOUT,
                               start_new_session=True)
        try:
            table_list = wait_for("the table list of the DOS folder", only_window, app=app)
            preview = open_preview(table_list, "kunden", app)
            screenshot(preview, os.path.join(screenshots, "preview-dos-1252.png"))
            xdotool("windowfocus", "--sync", preview)
            xdotool("key", "Down")
            wait_for("code page 850 in the settings",
                     lambda: read_settings(config_home).get("CodePage") == "850", app=app)
            time.sleep(0.5)
            screenshot(preview, os.path.join(screenshots, "preview-dos-850.png"))
        finally:
            stop(app)


def stop(app):
    if app.poll() is None:
        os.killpg(app.pid, signal.SIGTERM)
        try:
            app.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(app.pid, signal.SIGKILL)
            app.wait()


def check_call(calls):
    if len(calls) != 1:
        raise E2EFailure(f"soffice was started {len(calls)} times; expected once")
    with open(os.path.join(calls[0], "args"), "rb") as f:
        args = [a.decode() for a in f.read().split(b"\0")[:-1]]
    if args[:2] != ["--calc", "-n"] or len(args) != 3 or not args[2].endswith(".xlsx"):
        raise E2EFailure(f"soffice was started with {args}; expected --calc -n FILE.xlsx")
    workbook = os.path.join(calls[0], "workbook.xlsx")
    if not os.path.exists(workbook):
        raise E2EFailure(f"the file handed to soffice, {args[2]}, did not exist")
    return workbook


# What an installation must hold besides the program: the files it finds beside its binary,
# the command-line tool on the PATH, the desktop's menu entry, icon, file type and software
# centre entry, the manual pages, and the package's copyright and changelog.
INSTALLED_FILES = ["lib/quorvane/quorvane", "lib/quorvane/HAND-M.CUR", "lib/quorvane/x/o.cjs",
                   "lib/quorvane/Samples/customers.dbf", "lib/quorvane/Samples/archive/orders_2019.dbf",
                   "bin/quorvane-export", "share/applications/io.github.quorvane.Quorvane.desktop",
                   "share/icons/hicolor/256x256/apps/quorvane.png", "share/mime/packages/quorvane.xml",
                   "share/metainfo/io.github.quorvane.Quorvane.metainfo.xml",
                   "share/man/man1/quorvane.1.gz", "share/man/man1/quorvane-export.1.gz",
                   "share/doc/quorvane/copyright", "share/doc/quorvane/changelog.gz"]


def install(cmake, build, prefix):
    """Installs the build into prefix; returns the installed program's link on the PATH."""
    done = subprocess.run([cmake, "--install", build, "--prefix", prefix], capture_output=True, text=True)
    if done.returncode != 0:
        raise E2EFailure("cmake --install failed:\n" + done.stdout[-2000:] + done.stderr[-2000:])
    missing = [f for f in INSTALLED_FILES if not os.path.isfile(os.path.join(prefix, f))]
    if missing:
        raise E2EFailure(f"the installation lacks {missing}")
    program = os.path.join(prefix, "bin", "quorvane")
    if not os.path.islink(program) or os.path.realpath(program) != os.path.join(os.path.realpath(prefix), INSTALLED_FILES[0]):
        raise E2EFailure("bin/quorvane is not a link to lib/quorvane/quorvane")
    return program


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    source = parser.add_mutually_exclusive_group(required=True)
    source.add_argument("--program", help="the program in a build folder")
    source.add_argument("--install-from", help="a build folder to install and run from the installation")
    parser.add_argument("--cmake", default="cmake", help="the cmake that installs (with --install-from)")
    parser.add_argument("--data", required=True, help="the sample data set (CSV files)")
    parser.add_argument("--screenshots", help="folder for the pictures of the windows")
    parser.add_argument("--dos-table-maker", help="the program that writes the unmarked DOS table "
                        "of the preview's pictures (with --screenshots)")
    options = parser.parse_args()

    missing = [tool for tool in ("Xvfb", "xdotool", "import") if not shutil.which(tool)]
    try:
        import sample_expectations
    except ImportError as error:
        missing.append(f"{error.name} for {sys.executable}")
    if missing:
        print(f"SKIPPED: needs {', '.join(missing)} (Debian: xvfb xdotool imagemagick python3-openpyxl)")
        return SKIPPED

    started = time.monotonic()
    work = tempfile.mkdtemp(prefix="quorvane-e2e-")
    display = None
    try:
        display = start_virtual_display(os.path.join(work, "xvfb.log"))
        program = os.path.abspath(options.program) if options.program else \
            install(options.cmake, options.install_from, os.path.join(work, "prefix"))
        calls = run_program(program, work, options.screenshots)
        if options.screenshots and options.dos_table_maker:
            dos_preview_screenshots(program, work, options.screenshots, options.dos_table_maker)
        workbook = check_call(calls)
        problems = sample_expectations.compare_workbook(workbook, sample_expectations.load_tables(options.data))
        if problems:
            raise E2EFailure("the workbook differs from the sample data set:\n  " + "\n  ".join(problems[:25]))
    except E2EFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        log = os.path.join(work, "program.log")
        if os.path.exists(log):
            print("program output:\n" + open(log, errors="replace").read()[-4000:], file=sys.stderr)
        return 1
    finally:
        if display:
            stop_virtual_display(display)
        shutil.rmtree(work, ignore_errors=True)
    print(f"the workbook matches the sample data set ({time.monotonic() - started:.1f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
