# A headless sway of its own for the Wayland rows and the start-up benchmark: no GPU, no input
# devices but its clients' virtual ones, no XWayland, and no borders, so that a window's
# rectangle is its client's.
import atexit, glob, os, pwd, shutil, subprocess, tempfile, time

USER = "zobu-sway"  # sway refuses to run as root: root runs it as this system user


def start_sway(popen=subprocess.Popen):
    """Starts sway through popen(argv, env=...); returns the process and what a client's environment
    needs: the socket by its absolute path, sway's IPC socket, a runtime directory of the client's own."""
    runtime, clients = tempfile.mkdtemp(), tempfile.mkdtemp()
    for path in (runtime, clients):
        atexit.register(shutil.rmtree, path, True)
    with open(os.path.join(runtime, "config"), "w", encoding="ascii") as config:
        config.write("xwayland disable\ndefault_border none\ndefault_floating_border none\n")
    env = {**os.environ, "XDG_RUNTIME_DIR": runtime, "SWAYSOCK": os.path.join(runtime, "ipc"),
           "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
    argv = ["sway", "-c", config.name]
    if os.getuid() == 0:
        subprocess.run(["useradd", "--system", "--no-create-home", USER], capture_output=True, check=False)
        os.chown(runtime, pwd.getpwnam(USER).pw_uid, pwd.getpwnam(USER).pw_gid)
        # The new user keeps the signal that this process's end sends it.
        argv = ["setpriv", "--reuid", USER, "--regid", USER, "--init-groups", "--pdeathsig", "keep", *argv]
    sway, deadline = popen(argv, env=env), time.monotonic() + 20
    # The socket's number is sway's choice.
    while not (sockets := glob.glob(os.path.join(runtime, "wayland-[0-9]"))) or not os.path.exists(env["SWAYSOCK"]):
        assert sway.poll() is None and time.monotonic() < deadline, f"sway made no sockets (status {sway.poll()})"
        time.sleep(0.02)
    return sway, {"WAYLAND_DISPLAY": sockets[0], "SWAYSOCK": env["SWAYSOCK"], "XDG_RUNTIME_DIR": clients}
