#!/usr/bin/python3
"""The loopback FTP server of `scripts/run --demo`.

    demo-ftpd.py --root DIR --registry FILE --parent PID

Fills DIR with a few sample folders and files, serves it with pyftpdlib on 127.0.0.1 (a port
the kernel picks), and writes FILE: a registry file holding one host profile for this server,
chosen as the lower region's last profile, so that the program's start-up Connect dialog has
it selected. Prints "LISTENING <port>" once it accepts. Ends when process PID (the script
that started it) is gone, however that ends.
"""
import argparse
import logging
import os
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

PROFILE_NAME = "Ferrix demo (this computer)"
USER = "demo"
PASSWORD = "demo"
EMAIL = "guest@example.com"
STORE_FORMAT_VERSION = 202   # the version the program writes with its profiles

SAMPLES = {
    "Documents/Quarterly report.txt": "Revenue went up.\n",
    "Documents/Notes/todo list.txt": "1. Connect\n2. Browse\n3. Copy\n",
    "Photos/Été 2025/plage.txt": "sable, mer, soleil\n",
    "Photos/Été 2025/Ünïcödé – 日本語.txt": "こんにちは\n",
    "Music/.keep": "",
    "projects/ferrix/src/main.cpp": "int main() { return 0; }\n",
    "projects/ferrix/README.md": "# ferrix\n",
    "read me first.txt": "Drag files between the two trees to copy them.\n",
    "empty folder/": None,
}


def make_samples(root):
    for relative, content in SAMPLES.items():
        path = os.path.join(root, relative)
        if content is None:
            os.makedirs(path, exist_ok=True)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as out:
            out.write(content * 50)


def hex_value(data):
    return "hex:" + ",".join("%02x" % b for b in data)


def stored_text(fields):
    # Fields separated by line feeds, ended by a NUL that belongs to the stored data.
    return ("\n".join(str(f) for f in fields)).encode("utf-8") + b"\0"


def quoted(name):
    return '"' + name.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_registry(path, port):
    base = "HKEY_CURRENT_USER\\Software\\Ferrix Software\\Ferrix FTP"
    stored_port = port - 65536 if port >= 32768 else port   # kept as a signed 16-bit number
    # name, host, user, password, savePassword, anonymous, port, useDefaultPort, passive, initialDir
    profile = stored_text([PROFILE_NAME, "127.0.0.1", USER, PASSWORD, 1, 0, stored_port, 0, 1, ""])
    # upper and lower region's last profile, e-mail, arrangeBy, connectionType, transferType
    setting = stored_text(["", PROFILE_NAME, EMAIL, 0, 0, 0])
    version = STORE_FORMAT_VERSION.to_bytes(4, "little")
    lines = [
        "REGEDIT4",
        "",
        "[%s\\User Profiles]" % base,
        "%s=%s" % (quoted(PROFILE_NAME), hex_value(profile)),
        "",
        "[%s\\Setting]" % base,
        '"Setting"=%s' % hex_value(setting),
        '"Version"=%s' % hex_value(version),
        "",
    ]
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))
    os.chmod(path, 0o600)


def watch_parent(pid):
    while True:
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            os._exit(0)
        time.sleep(0.5)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--registry", required=True)
    parser.add_argument("--parent", type=int, required=True)
    args = parser.parse_args()

    make_samples(args.root)
    logging.basicConfig(stream=sys.stderr, level=logging.WARNING)
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, PASSWORD, args.root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Ferrix FTP demo server."
    server = FTPServer(("127.0.0.1", 0), handler)
    port = server.socket.getsockname()[1]
    write_registry(args.registry, port)
    print("LISTENING %d" % port, flush=True)
    threading.Thread(target=watch_parent, args=(args.parent,), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
