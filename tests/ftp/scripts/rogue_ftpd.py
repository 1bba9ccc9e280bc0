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
"""
import os
import socket
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scripted_ftpd  # noqa: E402

FILE_SIZE = 256 * 1024
FILE_DATA = bytes(i % 251 for i in range(FILE_SIZE))
TEXT_DATA = b"line one\r\nline two\r\n"
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


class Session(scripted_ftpd.Session):
    OPENING = "150 Opening BINARY mode data connection."

    def __init__(self, control, number, args):
        super().__init__(control, number, args)
        self.scenario = args.scenario
        self.cwd = "/"
        self.cwd_count = 0
        self.stored = {}

    def logged_form(self, line):
        return scripted_ftpd.escape(line)

    def retrieve(self, name):
        s = self.scenario
        if s == "retr-550":
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
        elif name.endswith(".txt"):
            self.send_over_data(TEXT_DATA)
        else:
            self.send_over_data(FILE_DATA)

    def store(self, name):
        s = self.scenario
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

    def listing(self):
        if self.scenario == "hostile-listing":
            return HOSTILE_LISTING
        stored = b"".join(b"-rw-r--r--   1 0 0 %d Jan 01 12:00 %s\r\n" % (size, name.encode())
                          for name, size in self.stored.items())
        return NORMAL_LISTING + stored

    def run(self):
        self.log("CONNECT")
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
                self.passive("10,0,0,1" if s == "pasv-foreign" else "127,0,0,1")
            elif verb == "PORT":
                self.active(argument)
            elif verb in ("EPSV", "EPRT", "MLSD", "MLST"):
                self.reply("500 Unknown command.")
            elif verb == "SIZE":
                self.reply("213 %d" % (len(TEXT_DATA) if argument.endswith(".txt") else FILE_SIZE))
            elif verb == "MDTM":
                self.reply("213 20240101120000")
            elif verb in ("LIST", "NLST"):
                self.send_over_data(self.listing())
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


if __name__ == "__main__":
    scripted_ftpd.main(Session, add_options)
