#!/usr/bin/python3
"""A small FTP server on 127.0.0.1 that misbehaves on purpose, one way per scenario.

    rogue_ftpd.py --scenario NAME --log FILE [--max-seconds 60]

Prints "LISTENING <port>" once it accepts. Every command line it receives is appended to the
log as "<session> <line>", with CR, LF, NUL and other control bytes written as \\r, \\n, \\x00,
so that a test can tell what reached the server. Ends by itself after --max-seconds or when its
parent is gone, whatever the client does.

Scenarios:
  normal               behaves; used to see what a client sends. RETR of a name ending in
                       .txt sends TEXT_DATA (CR LF line ends), and SIZE gives its length; STOR keeps the bytes received
                       in stored.bin beside the log
  drop-mid-transfer    RETR: sends half of the file, then closes data and control connections
  426-after-data       RETR: sends the whole file, then answers 426
  stall-greeting       accepts and never says a word
  stall-reply          logs in, then never answers CWD
  stall-data           RETR: answers 150, then sends nothing and keeps the data connection open
  stall-listing        logs in, then never answers the first command of a listing (PASV, PORT, LIST)
  pasv-foreign         PASV names 10.0.0.1 (the data port is really on 127.0.0.1)
  hostile-listing      LIST holds names no directory can hold, and over-long and NUL lines
  bad-reply-code       the greeting does not start with three digits
  nul-in-reply         the reply to USER contains a NUL byte
  idle-drop-421        after the first CWD of the first session: 421 and close
  idle-drop-close      after the first CWD of the first session: close without a word
  retr-550             RETR: 550 at once, no 150
  short-data           SIZE announces the whole file; RETR sends less, then 226
  stor-refused         STOR: 553 at once, no 150
  stor-552-after-data  STOR: takes every byte, then answers 552
  stor-drop-mid        STOR: takes some bytes, then closes data and control connections
  stor-keeps-half      STOR: answers 226, but the listing shows the file with half its bytes
  auth-plain-after-234 AUTH TLS: 234, then a clear-text reply instead of the TLS handshake
  auth-plain-with-234  AUTH TLS: 234 and a clear-text reply in the same packet
  auth-close-handshake AUTH TLS: 234, then closes once the client's handshake arrives
  auth-stall-handshake AUTH TLS: 234, then never answers the handshake
  tls-truncated-data   real TLS (--tls-cert/--tls-key); RETR sends half the file, ends the
                       data connection without TLS's closing alert, then answers 226; FEAT
                       names no SIZE, so only the missing alert tells the file is cut
  tls-alert-mid-data   real TLS; RETR sends 3/8 of the file, then a fatal alert written raw
                       on the socket (no record TLS 1.3 accepts after the handshake), waits
                       for the client to let the data connection go, and answers 226;
                       LIST is sent encrypted. --alert-then-426: 426 right behind the alert
  tls-data-refused     real TLS; RETR of a name ending in "refused.bin" closes the data
                       connection instead of its handshake and answers 522 with the reason
  (every other scenario answers AUTH with 500: a server without TLS)

Connections that drop in the middle of a file (and a server that lets a client continue: REST
then RETR, STOR or APPE; SIZE and LIST show the files stored so far, in every session):
  cut-data             RETR and STOR/APPE: the data connection ends at 40% of the file, then
                       426; each later cut 20% further on. RETR closes it cleanly (TLS: without
                       the closing alert), STOR keeps exactly the bytes up to the cut and resets
                       it; RETR of a .txt name sends TEXT_LINES
  cut-control          as cut-data, but the control connection closes without a word; RETR
                       keeps the data connection open and silent until the client lets go
  Options: --cuts N (transfers that are cut, counted over all sessions; default 1),
  --rest-stream (FEAT lists REST STREAM), --refuse-rest (REST answered 502), --ignore-rest
  (REST answered 350, but every transfer starts at byte 0), --no-size (FEAT
  lists no SIZE, which is refused), --tls-cert/--tls-key (explicit TLS, data connections too)

Reply floods (endless, until the client goes):
  empty-line-flood     the reply to USER is "331-" followed by empty lines
  stray-flood          unasked "200" replies from the greeting on, one after the other
1xx storms:
  greeting-120-storm   "120 Wait" again and again instead of a greeting
  150-after-data       LIST and RETR: the data, then "150" again and again
  150-instead-of-data  LIST and RETR: "150" again and again, the data connection idle
Listing sizes (LIST, or MLSD where the scenario names it; FEAT then lists MLST):
  listing-newlines     line feeds without end (past any sane listing's size)
  mlsd-too-many        MLSD: one entry more than a client should hold (1,000,001)
  mlsd-many            MLSD: 100,000 entries, a large but real directory
Failed listings:
  list-421-mid         LIST: half the listing, then 421 and the connection closed
  list-data-refused    PASV names a port where nothing listens
  list-450             LIST answered 450, before any data
  list-451-after-data  LIST: the whole listing, then 451
  list-no-files-found  LIST answered "550 No files found" (an empty directory, as IIS says)
  pasv-port-zero       PASV names port 0; EPSV is unknown
  escape-530           PASS answered 530 with terminal escape sequences in the text
  escape-names         LIST holds names with C1 control characters and bytes that are no UTF-8
"""
import os
import select
import socket
import ssl
import struct
import sys
import threading
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scripted_ftpd  # noqa: E402

FILE_SIZE = 256 * 1024
FILE_DATA = bytes(i % 251 for i in range(FILE_SIZE))
TEXT_DATA = b"line one\r\nline two\r\n"
FOREVER = 3600

TEXT_LINES = b"".join(b"line %05d of the text file\r\n" % i for i in range(2000))
# Where the first cut falls, and how much further each later one.
FIRST_CUT_PERCENT = 40
NEXT_CUT_PERCENT = 20

# What the cut scenarios share over all sessions: the cuts made so far and the files stored.
_shared_lock = threading.Lock()
_shared = {"cuts": 0, "files": {}}

# A fatal alert record (handshake_failure) in clear text, as a broken middlebox or server might
# send it in the middle of an encrypted stream.
RAW_FATAL_ALERT = bytes([21, 3, 3, 0, 2, 2, 40])
CLIENT_LETS_GO_SECONDS = 10

NORMAL_LISTING = (
    b"-rw-r--r--   1 0 0 %d Jan 01 12:00 file.bin\r\n" % FILE_SIZE
    + b"drwxr-xr-x   2 0 0 4096 Jan 01 12:00 pub\r\n"
)

ENTRY = b"-rw-r--r--   1 0 0 10 Jan 01 12:00 "
FLOOD_CHUNK = 64 * 1024
STORM_PAUSE = 0.05
MLSD_LIMIT = 1000000
ESCAPE_NAMES = (
    ENTRY + b"csi\xc2\x9b2Jname\r\n"
    + ENTRY + b"latin\xe9\r\n"
    + ENTRY + b"plain\r\n"
)
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


def closed_port():
    """A port on 127.0.0.1 where nothing listens (bound once, then let go)."""
    probe = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    return port


class Session(scripted_ftpd.Session):
    OPENING = "150 Opening BINARY mode data connection."

    def __init__(self, control, number, args):
        super().__init__(control, number, args)
        self.scenario = args.scenario
        self.cwd = "/"
        self.cwd_count = 0
        self.closed_port = closed_port()
        self.stored = {}
        self.restart = 0
        self.tls = None

    def logged_form(self, line):
        return scripted_ftpd.escape(line)

    def retrieve(self, name):
        s = self.scenario
        if s.startswith("cut-"):
            self.retrieve_with_cut(name)
        elif s == "retr-550":
            self.reply("550 Failed to open file.")
        elif s == "drop-mid-transfer":
            self.reply(self.OPENING)
            data = self.open_data_or_refuse()
            if data is None:
                return
            data.sendall(FILE_DATA[: FILE_SIZE // 2])
            data.close()
            self.control.shutdown(socket.SHUT_RDWR)
            self.control.close()
            raise ConnectionAbortedError
        elif s == "426-after-data":
            self.send_over_data(FILE_DATA, "426 Connection closed; transfer aborted.")
        elif s == "stall-data":
            self.reply(self.OPENING)
            data = self.open_data_or_refuse()
            if data is None:
                return
            time.sleep(FOREVER)
            data.close()
        elif s == "short-data":
            self.send_over_data(FILE_DATA[: FILE_SIZE * 2 // 5])
        elif s == "tls-data-refused" and name.endswith("refused.bin"):
            self.reply(self.OPENING)
            data = self.open_data_or_refuse()
            if data is None:
                return
            data.close()
            self.reply("522 SSL connection failed: session reuse required")
        elif s == "tls-truncated-data":
            self.reply(self.OPENING)
            data = self.open_data_or_refuse()
            if data is None:
                return
            secured = self.tls.wrap_socket(data, server_side=True)
            secured.sendall(FILE_DATA[: FILE_SIZE // 2])
            # Closing the socket itself skips the closing alert that unwrap() would send.
            secured.close()
            self.reply("226 Transfer complete.")
        elif s == "tls-alert-mid-data":
            data = self.secured_data()
            if data is None:
                return
            data.sendall(FILE_DATA[: FILE_SIZE * 3 // 8])
            os.write(data.fileno(), RAW_FATAL_ALERT)   # past the TLS layer, onto the socket
            if self.args.alert_then_426:
                self.reply("426 Connection closed; transfer aborted.")
            self.wait_for_close(data.fileno())
            data.close()
            if not self.args.alert_then_426:
                self.reply("226 Transfer complete.")
        elif name.endswith(".txt"):
            self.send_over_data(TEXT_DATA)
        else:
            self.send_over_data(FILE_DATA)

    def wait_for_close(self, descriptor):
        """Reads the raw socket (the client's own alert, if any) until the client closes it."""
        deadline = time.monotonic() + CLIENT_LETS_GO_SECONDS
        while (left := deadline - time.monotonic()) > 0:
            if not select.select([descriptor], [], [], left)[0]:
                return
            try:
                if not os.read(descriptor, 65536):
                    return
            except BlockingIOError:
                continue
            except OSError:
                return

    def take_cut(self, size, done):
        """The byte where this transfer is cut, or None when it runs to its end."""
        with _shared_lock:
            if _shared["cuts"] >= self.args.cuts:
                return None
            percent = FIRST_CUT_PERCENT + NEXT_CUT_PERCENT * _shared["cuts"]
            _shared["cuts"] += 1
        return max(done, size * percent // 100)

    def secured_data(self):
        """The preliminary reply and the data connection, under TLS when the session speaks it."""
        data = self.opened_data()
        if data is not None and self.tls is not None:
            data = self.tls.wrap_socket(data, server_side=True)
        return data

    def complete_data(self, data):
        """Ends a data connection cleanly (TLS: with the closing alert), then 226."""
        if self.tls is not None:
            data = data.unwrap()
        data.close()
        self.reply("226 Transfer complete.")

    def drop_control(self):
        self.control.shutdown(socket.SHUT_RDWR)
        self.control.close()

    def retrieve_with_cut(self, name):
        content = TEXT_LINES if name.endswith(".txt") else FILE_DATA
        start, self.restart = self.restart, 0
        cut = self.take_cut(len(content), start)
        data = self.secured_data()
        if data is None:
            return
        data.sendall(content[start:cut])
        if cut is None:
            self.complete_data(data)
            return
        if self.scenario == "cut-control":
            self.drop_control()
            data.settimeout(10)
            try:
                data.recv(1)   # until the client closes it
            finally:
                data.close()
            raise ConnectionAbortedError
        data.close()   # a TLS socket closed so ends without the closing alert
        self.reply("426 Connection closed; transfer aborted.")

    def store_with_cut(self, name, append):
        start, self.restart = self.restart, 0
        with _shared_lock:
            files = _shared["files"]
            if append:
                start = len(files.get(name, b""))
            elif start == 0:
                files[name] = b""
            kept = files.get(name, b"")[:start]
        data = self.secured_data()
        if data is None:
            return
        # The cut falls past what the server holds already: the client sent at least that much.
        cut = self.take_cut(len(FILE_DATA), start + 1)
        received = b""
        while cut is None or start + len(received) < cut:
            chunk = data.recv(65536)
            if not chunk:
                break
            received += chunk
        if cut is not None:
            received = received[: cut - start]
        with _shared_lock:
            _shared["files"][name] = kept + received
            content = _shared["files"][name]
        with open(os.path.join(os.path.dirname(self.args.log), "stored.bin"), "wb") as stored:
            stored.write(content)
        if cut is None:
            self.complete_data(data)
            return
        # A reset, as a router that forgets the connection would leave it.
        data.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        data.close()
        if self.scenario == "cut-control":
            self.drop_control()
            raise ConnectionAbortedError
        self.reply("426 Connection closed; transfer aborted.")

    def size_of(self, name):
        with _shared_lock:
            stored = _shared["files"].get(name)
        if stored is not None:
            return len(stored)
        return len(TEXT_LINES if self.scenario.startswith("cut-") else TEXT_DATA) if name.endswith(".txt") else FILE_SIZE

    def flood(self, unit, target=None):
        """Sends `unit` over and over (on `target`, the control connection by default) until
        the client goes away."""
        target = target or self.control
        chunk = unit * max(1, FLOOD_CHUNK // len(unit))
        try:
            while True:
                target.sendall(chunk)
        except OSError:
            pass

    def storm(self, reply):
        """Sends the 1xx `reply` again and again, a little apart, until the client goes."""
        try:
            while True:
                self.reply(reply)
                time.sleep(STORM_PAUSE)
        except OSError:
            pass

    def opened_data(self):
        """The preliminary reply, then the data connection (None if there is none)."""
        self.reply(self.OPENING)
        return self.open_data_or_refuse()

    def mlsd_lines(self, count):
        line = b"type=file;size=1; f\r\n"
        return line * count

    def listing(self, verb):
        """LIST, NLST and MLSD, as the scenario has them."""
        s = self.scenario
        if s == "list-450":
            self.reply("450 Cannot list the directory now.")
        elif s == "list-no-files-found":
            self.reply("550 No files found.")
        elif s == "list-451-after-data":
            self.send_over_data(NORMAL_LISTING, "451 Local error in processing.")
        elif s == "list-421-mid":
            data = self.opened_data()
            if data is None:
                return
            data.sendall(NORMAL_LISTING[: len(NORMAL_LISTING) // 2])
            self.reply("421 Service not available, closing control connection.")
            data.close()
            self.control.shutdown(socket.SHUT_RDWR)
            raise ConnectionAbortedError
        elif s in ("150-after-data", "150-instead-of-data"):
            data = self.opened_data()
            if data is None:
                return
            if s == "150-after-data":
                data.sendall(NORMAL_LISTING)
                data.close()
            self.storm("150 Still opening.")
        elif s == "listing-newlines":
            data = self.opened_data()
            if data is not None:
                self.flood(b"\n", data)
                data.close()
                self.reply("426 Connection closed; transfer aborted.")
        elif s == "mlsd-too-many" and verb == "MLSD":
            self.send_over_data(self.mlsd_lines(MLSD_LIMIT + 1))
        elif s == "mlsd-many" and verb == "MLSD":
            self.send_over_data(self.mlsd_lines(100000))
        elif s == "hostile-listing":
            self.send_over_data(HOSTILE_LISTING)
        elif s == "escape-names":
            self.send_over_data(ESCAPE_NAMES)
        elif s.startswith("cut-") or s == "tls-alert-mid-data":
            data = self.secured_data()
            if data is None:
                return
            data.sendall(NORMAL_LISTING + self.stored_listing())
            self.complete_data(data)
        else:
            self.send_over_data(NORMAL_LISTING + self.stored_listing())

    def authenticate(self):
        s = self.scenario
        proceed = "234 Proceed with negotiation."
        if s == "auth-plain-after-234":
            self.reply(proceed)
            self.control.recv(4096)   # the client's first handshake message
            self.reply("230 Welcome, in clear text.")
        elif s == "auth-plain-with-234":
            self.reply((proceed + "\r\n230 Welcome, in clear text.\r\n").encode())
        elif s == "auth-close-handshake":
            self.reply(proceed)
            self.control.recv(4096)
            self.control.close()
            raise ConnectionAbortedError
        elif s == "auth-stall-handshake":
            self.reply(proceed)
            time.sleep(FOREVER)
        elif s.startswith("tls-") or (s.startswith("cut-") and self.args.tls_cert):
            self.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            self.tls.load_cert_chain(self.args.tls_cert, self.args.tls_key)
            self.reply(proceed)
            self.control = self.tls.wrap_socket(self.control, server_side=True)
        else:
            self.reply("500 AUTH not understood.")

    def store(self, name, append=False):
        s = self.scenario
        if s.startswith("cut-"):
            self.store_with_cut(name.rsplit("/", 1)[-1], append)
            return
        if s == "stor-refused":
            self.reply("553 Could not create file.")
            return
        if s == "stor-drop-mid":
            self.reply("150 Ok to send data.")
            data = self.open_data_or_refuse()
            if data is None:
                return
            data.recv(4096)
            data.close()
            self.control.shutdown(socket.SHUT_RDWR)
            self.control.close()
            raise ConnectionAbortedError
        received = self.receive_over_data()
        if received is None:
            return
        with open(os.path.join(os.path.dirname(self.args.log), "stored.bin"), "wb") as stored:
            stored.write(received)
        if s == "stor-552-after-data":
            self.reply("552 Exceeded storage allocation.")
            return
        kept = len(received) // 2 if s == "stor-keeps-half" else len(received)
        self.stored[name.rsplit("/", 1)[-1]] = kept
        self.reply("226 Transfer complete.")

    def stored_listing(self):
        """Listing lines of the files stored (in this session; in any for the cut scenarios),
        with the sizes the server kept."""
        sizes = dict(self.stored)
        if self.scenario.startswith("cut-"):
            with _shared_lock:
                sizes.update((name, len(content)) for name, content in _shared["files"].items())
        return b"".join(b"-rw-r--r--   1 0 0 %d Jan 01 12:00 %s\r\n" % (size, name.encode())
                        for name, size in sizes.items())

    def run(self):
        self.log("CONNECT")
        s = self.scenario
        if s == "stall-greeting":
            time.sleep(FOREVER)
            return
        if s == "greeting-120-storm":
            self.storm("120 Service ready in a few minutes.")
            return
        if s == "bad-reply-code":
            self.reply("2x0 Rogue FTP ready.")
        elif s == "stray-flood":
            # Stray replies in the very packet of the greeting, so that they wait before the
            # first command whatever the timing; then more without end.
            self.reply(b"220 Rogue FTP ready.\r\n" + b"200 Stray.\r\n" * 1000)
            threading.Thread(target=self.flood, args=(b"200 Stray.\r\n",), daemon=True).start()
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
                elif s == "empty-line-flood":
                    self.reply(b"331-Password required.\r\n")
                    self.flood(b"\r\n")
                    return
                else:
                    self.reply("331 Please specify the password.")
            elif verb == "PASS":
                if s == "escape-530":
                    self.reply(b"530 \x1b]0;owned\x07\x1b[2J\x1bcLogin incorrect.\r\n")
                    continue
                self.reply("230 Login successful.")
            elif verb == "AUTH":
                self.authenticate()
            elif verb == "SYST":
                self.reply("215 UNIX Type: L8")
            elif verb == "FEAT" and s.startswith("tls-"):
                self.reply(b"211-Features:\r\n AUTH TLS\r\n PBSZ\r\n PROT\r\n PASV\r\n211 End\r\n")
            elif verb == "FEAT" and s.startswith("cut-"):
                tls = b" AUTH TLS\r\n PBSZ\r\n PROT\r\n" if self.args.tls_cert else b""
                size = b"" if self.args.no_size else b" SIZE\r\n"
                rest = b" REST STREAM\r\n" if self.args.rest_stream else b""
                self.reply(b"211-Features:\r\n PASV\r\n MDTM\r\n" + tls + size + rest + b"211 End\r\n")
            elif verb == "FEAT":
                mlst = b" MLST type*;size*;modify*;\r\n" if s.startswith("mlsd-") else b""
                self.reply(b"211-Features:\r\n PASV\r\n SIZE\r\n MDTM\r\n UTF8\r\n" + mlst + b"211 End\r\n")
            elif verb in ("PBSZ", "PROT"):
                self.reply("200 Ok.")
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
            elif verb in ("PASV", "EPSV", "PORT", "EPRT", "LIST", "NLST", "MLSD") and s == "stall-listing":
                time.sleep(FOREVER)
                return
            elif verb == "PASV":
                if s == "pasv-port-zero":
                    self.reply("227 Entering Passive Mode (127,0,0,1,0,0).")
                elif s == "list-data-refused":
                    self.reply("227 Entering Passive Mode (127,0,0,1,%d,%d)." % (self.closed_port >> 8, self.closed_port & 255))
                else:
                    self.passive("10,0,0,1" if s == "pasv-foreign" else "127,0,0,1")
            elif verb == "PORT":
                self.active(argument)
            elif verb == "MLSD" and s.startswith("mlsd-"):
                self.listing(verb)
            elif verb in ("EPSV", "EPRT", "MLSD", "MLST"):
                self.reply("500 Unknown command.")
            elif verb == "SIZE" and self.args.no_size:
                self.reply("502 Command not implemented.")
            elif verb == "SIZE":
                self.reply("213 %d" % self.size_of(argument.rsplit("/", 1)[-1]))
            elif verb == "REST" and s.startswith("cut-") and not self.args.refuse_rest:
                self.restart = 0 if self.args.ignore_rest else int(argument)
                self.reply("350 Restart position accepted (%s)." % argument)
            elif verb == "APPE" and s.startswith("cut-"):
                self.store(argument, append=True)
            elif verb == "MDTM":
                self.reply("213 20240101120000")
            elif verb in ("LIST", "NLST"):
                self.listing(verb)
            elif verb == "RETR" and s in ("150-after-data", "150-instead-of-data"):
                self.listing(verb)
            elif verb == "RETR":
                self.retrieve(argument)
            elif verb == "STOR":
                self.store(argument)
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


def add_options(parser):
    parser.add_argument("--scenario", required=True)
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    parser.add_argument("--cuts", type=int, default=1)
    parser.add_argument("--rest-stream", action="store_true")
    parser.add_argument("--refuse-rest", action="store_true")
    parser.add_argument("--ignore-rest", action="store_true")
    parser.add_argument("--no-size", action="store_true")
    parser.add_argument("--alert-then-426", action="store_true")


if __name__ == "__main__":
    scripted_ftpd.main(Session, add_options)
