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
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scripted_ftpd  # noqa: E402

FILE_DATA = bytes((i * 7) % 256 for i in range(200 * 1024))


class Session(scripted_ftpd.Session):
    def __init__(self, control, number, args):
        super().__init__(control, number, args)
        self.files = set(["gone.txt", "file.bin"])

    def retrieve(self):
        style = self.args.retr_style
        if style == "together":
            self.reply(b"150 Opening data connection.\r\n226 Transfer complete.\r\n")
            data = self.open_data_or_refuse()
            if data is not None:
                data.sendall(FILE_DATA)
                data.close()
        elif style == "no-preliminary":
            data = self.open_data_or_refuse()
            if data is not None:
                data.sendall(FILE_DATA)
                data.close()
                self.reply("226 Transfer complete.")
        elif style == "final-first":
            self.reply(self.OPENING)
            data = self.open_data_or_refuse()
            if data is not None:
                self.reply("226 Transfer complete.")
                time.sleep(0.2)
                data.sendall(FILE_DATA)
                data.close()
        else:
            self.send_over_data(FILE_DATA)

    def run(self):
        self.reply("220 Flow FTP ready.")
        while True:
            line = self.read_command()
            if line is None:
                return
            verb, _, argument = line.decode("utf-8", "replace").partition(" ")
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
                self.passive()
            elif verb == "RETR":
                self.retrieve()
            elif verb == "STOR":
                if self.receive_over_data() is not None and not dropping:
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


def add_options(parser):
    parser.add_argument("--drop-on", default="")
    parser.add_argument("--retr-style", default="normal")


if __name__ == "__main__":
    scripted_ftpd.main(Session, add_options)
