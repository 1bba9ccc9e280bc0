#!/usr/bin/python3
"""A small FTP server on 127.0.0.1 that misbehaves on purpose, one way per scenario.

    rogue_ftpd.py --scenario NAME --log FILE [--max-seconds 60]

Prints "LISTENING <port>" once it accepts. Every command line it receives is appended to the
log as "<session> <line>", with CR, LF, NUL and other control bytes written as \\r, \\n, \\x00,
so that a test can tell what reached the server. Ends by itself after --max-seconds or when its
parent is gone, whatever the client does.

Scenarios:
  normal               behaves; used to see what a client sends. RETR of a name ending in
                       .txt sends TEXT_DATA (CR LF line ends); STOR keeps the bytes received
                       in stored.bin beside the log
  drop-mid-transfer    RETR: sends half of the file, then closes data and control connections
  426-after-data       RETR: sends the whole file, then answers 426
  stall-greeting       accepts and never says a word
  stall-reply          logs in, then never answers CWD
  stall-data           RETR: answers 150, then sends nothing and keeps the data connection open
  pasv-foreign         PASV names 10.0.0.1 (the data port is really on 127.0.0.1)
  hostile-listing      LIST holds names no directory can hold, and over-long and NUL lines
  bad-reply-code       the greeting does not start with three digits
  nul-in-reply         the reply to USER contains a NUL byte
  idle-drop-421        after the first CWD of the first session: 421 and close
  idle-drop-close      after the first CWD of the first session: close without a word
  retr-550             RETR: 550 at once, no 150
  short-data           SIZE announces the whole file; RETR sends less, then 226
"""
import argparse
import os
import socket
import sys
import threading
import time

FILE_SIZE = 256 * 1024
FILE_DATA = bytes(i % 251 for i in range(FILE_SIZE))
TEXT_DATA = b"line one\r\nline two\r\n"
DATA_ACCEPT_TIMEOUT = 10
FOREVER = 3600

NORMAL_LISTING = (
    b"-rw-r--r--   1 0 0 %d Jan 01 12:00 file.bin\r\n" % FILE_SIZE
    + b"drwxr-xr-x   2 0 0 4096 Jan 01 12:00 pub\r\n"
)

ENTRY = b"-rw-r--r--   1 0 0 10 Jan 01 12:00 "
HOSTILE_LISTING = b"".join([
    ENTRY + b"good.txt\r\n",
    ENTRY + b"../evil\r\n",
    ENTRY + b"a/b\r\n",
    ENTRY + b"\r\n",
    b"drwxr-xr-x   2 0 0 4096 Jan 01 12:00 .\r\n",
    b"drwxr-xr-x   2 0 0 4096 Jan 01 12:00 ..\r\n",
    ENTRY + b"cr\rname\r\n",
    ENTRY + b"x" * (70 * 1024) + b"\r\n",
    ENTRY + b"nul\x00name\r\n",
    ENTRY + b"also-good.txt\r\n",
])

log_lock = threading.Lock()
session_counter = [0]


def escape(raw):
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
    def __init__(self, control, number, scenario, log_path):
        self.control = control
        self.number = number
        self.scenario = scenario
        self.log_path = log_path
        self.cwd = "/"
        self.pasv_listener = None
        self.port_address = None
        self.buffer = b""
        self.cwd_count = 0

    def log(self, text):
        with log_lock, open(self.log_path, "a", encoding="utf-8") as log:
            log.write("%d %s\n" % (self.number, text))

    def reply(self, text):
        self.control.sendall(text if isinstance(text, bytes) else text.encode() + b"\r\n")

    def read_command(self):
        while b"\n" not in self.buffer:
            chunk = self.control.recv(4096)
            if not chunk:
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        self.log(escape(line.rstrip(b"\r")))
        return line.rstrip(b"\r")

    def open_data(self):
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

    def send_over_data(self, payload, final="226 Transfer complete."):
        self.reply("150 Opening BINARY mode data connection.")
        data = self.open_data()
        if data is None:
            self.reply("425 Use PORT or PASV first.")
            return
        data.sendall(payload)
        data.close()
        self.reply(final)

    def passive(self):
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.bind(("127.0.0.1", 0))
        listener.listen(1)
        self.pasv_listener = listener
        port = listener.getsockname()[1]
        host = "10,0,0,1" if self.scenario == "pasv-foreign" else "127,0,0,1"
        self.reply("227 Entering Passive Mode (%s,%d,%d)." % (host, port >> 8, port & 255))

    def active(self, argument):
        parts = argument.split(",")
        if len(parts) != 6:
            self.reply("501 Bad PORT.")
            return
        numbers = [int(p) for p in parts]
        self.port_address = (".".join(parts[:4]), numbers[4] * 256 + numbers[5])
        self.reply("200 PORT command successful.")

    def retrieve(self, name):
        s = self.scenario
        if s == "retr-550":
            self.reply("550 Failed to open file.")
        elif s == "drop-mid-transfer":
            self.reply("150 Opening BINARY mode data connection.")
            data = self.open_data()
            data.sendall(FILE_DATA[: FILE_SIZE // 2])
            data.close()
            self.control.shutdown(socket.SHUT_RDWR)
            self.control.close()
            raise ConnectionAbortedError
        elif s == "426-after-data":
            self.send_over_data(FILE_DATA, "426 Connection closed; transfer aborted.")
        elif s == "stall-data":
            self.reply("150 Opening BINARY mode data connection.")
            data = self.open_data()
            time.sleep(FOREVER)
            data.close()
        elif s == "short-data":
            self.send_over_data(FILE_DATA[: FILE_SIZE * 2 // 5])
        elif name.endswith(".txt"):
            self.send_over_data(TEXT_DATA)
        else:
            self.send_over_data(FILE_DATA)

    def store(self):
        self.reply("150 Ok to send data.")
        data = self.open_data()
        if data is None:
            self.reply("425 Use PORT or PASV first.")
            return
        received = []
        while True:
            chunk = data.recv(65536)
            if not chunk:
                break
            received.append(chunk)
        data.close()
        with open(os.path.join(os.path.dirname(self.log_path), "stored.bin"), "wb") as stored:
            stored.write(b"".join(received))
        self.reply("226 Transfer complete.")

    def run(self):
        s = self.scenario
        if s == "stall-greeting":
            time.sleep(FOREVER)
            return
        if s == "bad-reply-code":
            self.reply("2x0 Rogue FTP ready.")
        else:
            self.reply("220 Rogue FTP ready.")
        while True:
            line = self.read_command()
            if line is None:
                return
            verb, _, argument = line.decode("latin-1").partition(" ")
            verb = verb.upper()
            if verb == "USER":
                if s == "nul-in-reply":
                    self.reply(b"331 Password\x00 required.\r\n")
                else:
                    self.reply("331 Please specify the password.")
            elif verb == "PASS":
                self.reply("230 Login successful.")
            elif verb == "SYST":
                self.reply("215 UNIX Type: L8")
            elif verb == "FEAT":
                self.reply(b"211-Features:\r\n PASV\r\n SIZE\r\n MDTM\r\n UTF8\r\n211 End\r\n")
            elif verb in ("OPTS", "TYPE", "MODE", "STRU", "NOOP"):
                self.reply("200 Ok.")
            elif verb == "PWD":
                self.reply('257 "%s" is the current directory' % self.cwd)
            elif verb in ("CWD", "CDUP"):
                if s == "stall-reply":
                    time.sleep(FOREVER)
                    return
                self.cwd = argument if argument.startswith("/") else self.cwd.rstrip("/") + "/" + argument
                self.reply("250 Directory successfully changed.")
                self.cwd_count += 1
                if self.number == 1 and self.cwd_count == 1 and s.startswith("idle-drop"):
                    if s == "idle-drop-421":
                        self.reply("421 Timeout.")
                    self.control.close()
                    return
            elif verb == "PASV":
                self.passive()
            elif verb == "PORT":
                self.active(argument)
            elif verb in ("EPSV", "EPRT", "MLSD", "MLST"):
                self.reply("500 Unknown command.")
            elif verb == "SIZE":
                self.reply("213 %d" % FILE_SIZE)
            elif verb == "MDTM":
                self.reply("213 20240101120000")
            elif verb in ("LIST", "NLST"):
                self.send_over_data(HOSTILE_LISTING if s == "hostile-listing" else NORMAL_LISTING)
            elif verb == "RETR":
                self.retrieve(argument)
            elif verb == "STOR":
                self.store()
            elif verb in ("DELE", "RMD", "RNTO"):
                self.reply("250 Ok.")
            elif verb == "MKD":
                self.reply('257 "%s" created' % argument)
            elif verb == "RNFR":
                self.reply("350 Ready for RNTO.")
            elif verb == "ABOR":
                self.reply("226 Abort ok.")
            elif verb == "QUIT":
                self.reply("221 Goodbye.")
                return
            else:
                self.reply("502 Command not implemented.")


def serve(control, scenario, log_path):
    with log_lock:
        session_counter[0] += 1
        number = session_counter[0]
    session = Session(control, number, scenario, log_path)
    session.log("CONNECT")
    try:
        session.run()
    except (OSError, ConnectionError):
        pass
    finally:
        try:
            control.close()
        except OSError:
            pass


def watch_parent(max_seconds):
    parent = os.getppid()
    deadline = time.monotonic() + max_seconds
    while os.getppid() == parent and time.monotonic() < deadline:
        time.sleep(0.2)
    os._exit(0)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--max-seconds", type=float, default=60)
    args = parser.parse_args()

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    open(args.log, "w").close()
    threading.Thread(target=watch_parent, args=(args.max_seconds,), daemon=True).start()
    print("LISTENING %d" % listener.getsockname()[1], flush=True)
    while True:
        control, _ = listener.accept()
        threading.Thread(target=serve, args=(control, args.scenario, args.log), daemon=True).start()


if __name__ == "__main__":
    sys.exit(main())
