#!/usr/bin/python3
"""pyftpdlib on 127.0.0.1 for the Ferrix FTP tests.

Binds the port it is given (0: one the kernel picks), prints "LISTENING <port>" on standard
output once it accepts, and serves one full-rights user and a read-only anonymous login, each on
a folder of its own. Ends by itself when its parent (the test) is gone or after --max-seconds.
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


def watch_parent(max_seconds):
    parent = os.getppid()
    deadline = time.monotonic() + max_seconds
    while os.getppid() == parent and time.monotonic() < deadline:
        time.sleep(0.5)
    os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--anonymous-root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--passive-first", type=int, required=True)
    parser.add_argument("--passive-last", type=int, required=True)
    parser.add_argument("--max-seconds", type=float, default=1800)
    parser.add_argument("--address", default="127.0.0.1")
    parser.add_argument("--tls-cert", help="explicit FTP over TLS, required for logins and data")
    parser.add_argument("--tls-key")
    args = parser.parse_args()

    logging.basicConfig(stream=sys.stderr, level=logging.INFO)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    authorizer.add_anonymous(args.anonymous_root)

    handler = FTPHandler
    if args.tls_cert:
        from pyftpdlib.handlers import TLS_FTPHandler
        handler = TLS_FTPHandler
        handler.certfile = args.tls_cert
        handler.keyfile = args.tls_key
        handler.tls_control_required = True
        handler.tls_data_required = True
    handler.authorizer = authorizer
    handler.passive_ports = range(args.passive_first, args.passive_last + 1)
    handler.banner = "pyftpdlib ready for the Ferrix FTP tests."
    # The tests try wrong passwords on purpose; the default 3 s wait after each only slows them.
    handler.auth_failed_timeout = 0.1

    server = FTPServer((args.address, args.port), handler)
    print("LISTENING %d" % server.socket.getsockname()[1], flush=True)
    threading.Thread(target=watch_parent, args=(args.max_seconds,), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
