#!/usr/bin/python3
"""A small FTP server on 127.0.0.1 for the engine's flow tests: it drops the control
connection on a chosen command, and answers RETR in the orders real servers use.

    flow_ftpd.py --log FILE [--drop-on VERB] [--retr-style STYLE] [--max-seconds 60]

Prints "LISTENING <port>". Logs every command line as "<session> <line>". With --drop-on,
the first session closes its control connection without a word on receiving VERB (after
carrying it out: DELE deletes, STOR reads the data), as a server that fails at the worst
moment does. Later sessions behave.

RETR styles (the file sent is always FILE_DATA):
  normal           150, data, close, 226
  together         150 and 226 in one packet, then the data
  no-preliminary   data, close, 226 with no 150 before it
  final-first      150, 226, then the data and the close
"""
import argparse
import os
import socket
import sys
import threading
import time

FILE_DATA = bytes((i * 7) % 256 for i in range(200 * 1024))
ACCEPT_TIMEOUT = 10

log_lock = threading.Lock()
counter = [0]


class Session:
    def __init__(self, control, number, args):
        self.control = control
        self.number = number
        self.args = args
        self.buffer = b""
        self.listener = None
        self.files = set(["gone.txt", "file.bin"])

    def log(self, text):
        with log_lock, open(self.args.log, "a", encoding="utf-8", errors="replace") as log:
            log.write("%d %s\n" % (self.number, text))

    def reply(self, text):
        self.control.sendall(text.encode() + b"\r\n")

    def read_command(self):
        while b"\n" not in self.buffer:
            chunk = self.control.recv(4096)
            if not chunk:
                return None
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        line = line.rstrip(b"\r").decode("utf-8", "replace")
        self.log(line)
        return line

    def accept_data(self):
        listener, self.listener = self.listener, None
        listener.settimeout(ACCEPT_TIMEOUT)
        try:
            data, _ = listener.accept()
        finally:
            listener.close()
        return data

    def retrieve(self):
        style = self.args.retr_style
        if style == "together":
            self.control.sendall(b"150 Opening data connection.\r\n226 Transfer complete.\r\n")
            data = self.accept_data()
            data.sendall(FILE_DATA)
            data.close()
        elif style == "no-preliminary":
            data = self.accept_data()
            data.sendall(FILE_DATA)
            data.close()
            self.reply("226 Transfer complete.")
        elif style == "final-first":
            self.reply("150 Opening data connection.")
            data = self.accept_data()
            self.reply("226 Transfer complete.")
            time.sleep(0.2)
            data.sendall(FILE_DATA)
            data.close()
        else:
            self.reply("150 Opening data connection.")
            data = self.accept_data()
            data.sendall(FILE_DATA)
            data.close()
            self.reply("226 Transfer complete.")

    def store(self):
        self.reply("150 Ok to send data.")
        data = self.accept_data()
        while data.recv(65536):
            pass
        data.close()

    def run(self):
        self.reply("220 Flow FTP ready.")
        while True:
            line = self.read_command()
            if line is None:
                return
            verb, _, argument = line.partition(" ")
            verb = verb.upper()
            dropping = self.number == 1 and self.args.drop_on == verb
            if verb == "USER":
                self.reply("331 Password please.")
            elif verb == "PASS":
                self.reply("230 Logged in.")
            elif verb == "PWD":
                self.reply('257 "/" is the current directory.')
            elif verb == "CWD":
                self.reply("250 Okay.")
            elif verb == "TYPE":
                self.reply("200 Type set.")
            elif verb == "PASV":
                self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                self.listener.bind(("127.0.0.1", 0))
                self.listener.listen(1)
                port = self.listener.getsockname()[1]
                self.reply("227 Entering Passive Mode (127,0,0,1,%d,%d)." % (port >> 8, port & 255))
            elif verb == "RETR":
                self.retrieve()
            elif verb == "STOR":
                self.store()
                if not dropping:
                    self.reply("226 Transfer complete.")
            elif verb == "DELE":
                self.files.discard(argument.lstrip("/"))
                if not dropping:
                    self.reply("250 Deleted.")
            elif verb == "MKD":
                if not dropping:
                    self.reply('257 "%s" created.' % argument)
            elif verb == "RNFR":
                self.reply("350 Ready for RNTO.")
            elif verb == "RNTO":
                if not dropping:
                    self.reply("250 Renamed.")
            elif verb == "QUIT":
                self.reply("221 Goodbye.")
                return
            else:
                # FEAT, EPSV and the rest are unknown here, as on old servers.
                self.reply("500 Unknown command.")
            if dropping:
                self.control.close()
                return


def serve(control, number, args):
    try:
        Session(control, number, args).run()
    except OSError:
        pass
    finally:
        try:
            control.close()
        except OSError:
            pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    parser.add_argument("--drop-on", default="")
    parser.add_argument("--retr-style", default="normal")
    parser.add_argument("--max-seconds", type=int, default=60)
    args = parser.parse_args()

    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(8)
    server.settimeout(1)
    print("LISTENING %d" % server.getsockname()[1], flush=True)
    parent = os.getppid()
    deadline = time.time() + args.max_seconds
    while time.time() < deadline and os.getppid() == parent:
        try:
            control, _ = server.accept()
        except socket.timeout:
            continue
        counter[0] += 1
        threading.Thread(target=serve, args=(control, counter[0], args), daemon=True).start()
    sys.exit(0)


if __name__ == "__main__":
    main()
