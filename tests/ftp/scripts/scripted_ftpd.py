"""What the scripted FTP servers of the tests have in common: a control session that logs every
command line, passive and active data connections, and a server on 127.0.0.1 that prints
"LISTENING <port>" and ends by itself after --max-seconds or when its parent is gone.

A script subclasses Session, gives it a run() that plays its scenarios, and calls main().
The log holds one line per event, "<session> <text>"; sessions are numbered from 1 in the
order they are accepted.
"""
import argparse
import os
import socket
import threading
import time

DATA_ACCEPT_TIMEOUT = 10

_log_lock = threading.Lock()


def escape(raw):
    """Bytes as text, with CR, LF, NUL and other control bytes written as \\r, \\n, \\x00."""
    out = []
    for byte in raw:
        if byte == 0x0D:
            out.append("\\r")
        elif byte == 0x0A:
            out.append("\\n")
        elif byte < 0x20 or byte == 0x7F:
            out.append("\\x%02x" % byte)
        else:
            out.append(chr(byte))
    return "".join(out)


class Session:
    OPENING = "150 Opening data connection."

    def __init__(self, control, number, args):
        self.control = control
        self.number = number
        self.args = args
        self.buffer = b""
        self.pasv_listener = None
        self.port_address = None

    def log(self, text):
        with _log_lock, open(self.args.log, "a", encoding="utf-8", errors="replace") as log:
            log.write("%d %s\n" % (self.number, text))

    def logged_form(self, line):
        """How a command line (bytes, without CR LF) is written to the log."""
        return line.decode("utf-8", "replace")

    def reply(self, text):
        """Sends text followed by CR LF; bytes go out exactly as given."""
        self.control.sendall(text if isinstance(text, bytes) else text.encode() + b"\r\n")

    def read_command(self):
        """The next command line as bytes without its line end, logged; None once the client
        has closed the connection."""
        while b"\n" not in self.buffer:
            chunk = self.control.recv(4096)
            if not chunk:
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        line = line.rstrip(b"\r")
        self.log(self.logged_form(line))
        return line

    def passive(self, host="127,0,0,1"):
        """Answers PASV with a fresh listener on 127.0.0.1, naming `host` in the reply."""
        self.close_passive()
        self.port_address = None
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.bind(("127.0.0.1", 0))
        listener.listen(1)
        self.pasv_listener = listener
        port = listener.getsockname()[1]
        self.reply("227 Entering Passive Mode (%s,%d,%d)." % (host, port >> 8, port & 255))

    def close_passive(self):
        if self.pasv_listener is not None:
            self.pasv_listener.close()
            self.pasv_listener = None

    def active(self, argument):
        """Answers PORT h1,h2,h3,h4,p1,p2."""
        parts = argument.split(",")
        try:
            numbers = [int(p) for p in parts]
        except ValueError:
            numbers = []
        if len(numbers) != 6 or any(n < 0 or n > 255 for n in numbers):
            self.reply("501 Bad PORT.")
            return
        self.close_passive()
        self.port_address = (".".join(parts[:4]), numbers[4] * 256 + numbers[5])
        self.reply("200 PORT command successful.")

    def open_data(self):
        """The data connection PASV or PORT prepared, or None when neither came first."""
        if self.pasv_listener is not None:
            listener, self.pasv_listener = self.pasv_listener, None
            listener.settimeout(DATA_ACCEPT_TIMEOUT)
            try:
                data, _ = listener.accept()
            finally:
                listener.close()
            return data
        if self.port_address is not None:
            address, self.port_address = self.port_address, None
            return socket.create_connection(address, timeout=DATA_ACCEPT_TIMEOUT)
        return None

    def open_data_or_refuse(self):
        """open_data(), answering 425 when there is nothing to open."""
        data = self.open_data()
        if data is None:
            self.reply("425 Use PORT or PASV first.")
        return data

    def send_over_data(self, payload, final="226 Transfer complete."):
        """The ordinary download: preliminary reply, payload, close, `final`."""
        self.reply(self.OPENING)
        data = self.open_data_or_refuse()
        if data is None:
            return
        data.sendall(payload)
        data.close()
        self.reply(final)

    def receive_over_data(self):
        """The ordinary upload up to its final reply: 150, then every byte until the client
        closes. Returns the bytes, or None when there was no data connection to open."""
        self.reply("150 Ok to send data.")
        data = self.open_data_or_refuse()
        if data is None:
            return None
        received = []
        try:
            while True:
                chunk = data.recv(65536)
                if not chunk:
                    break
                received.append(chunk)
        finally:
            data.close()
        return b"".join(received)

    def run(self):
        raise NotImplementedError


def parse_arguments(add_options):
    """--log FILE and --max-seconds N, plus what add_options(parser) adds."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--max-seconds", type=float, default=60)
    add_options(parser)
    return parser.parse_args()


def _serve(session_class, control, number, args):
    try:
        session_class(control, number, args).run()
    except OSError:
        pass
    finally:
        try:
            control.close()
        except OSError:
            pass


def _watch_parent(max_seconds):
    parent = os.getppid()
    deadline = time.monotonic() + max_seconds
    while os.getppid() == parent and time.monotonic() < deadline:
        time.sleep(0.2)
    os._exit(0)


def main(session_class, add_options=lambda parser: None):
    """Serves session_class on 127.0.0.1 until the time limit or the parent's end; each
    connection gets its own thread."""
    args = parse_arguments(add_options)
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    open(args.log, "w").close()
    threading.Thread(target=_watch_parent, args=(args.max_seconds,), daemon=True).start()
    print("LISTENING %d" % listener.getsockname()[1], flush=True)
    number = 0
    while True:
        control, _ = listener.accept()
        number += 1
        threading.Thread(target=_serve, args=(session_class, control, number, args), daemon=True).start()
