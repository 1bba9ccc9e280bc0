#!/usr/bin/python3
"""A small FTP server on 127.0.0.1 that answers LIST with the bytes of a file, as a server of
another family would: the listing layouts of VMS, MVS, IBM i and the rest, which no server on
this machine produces.

    listing_ftpd.py --log FILE --listing FILE [--syst TEXT] [--max-seconds 60]

Prints "LISTENING <port>". Logs every command line as "<session> <line>". SYST answers
"215 <TEXT>"; FEAT is unknown, so the client lists with LIST.
"""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import scripted_ftpd  # noqa: E402


class Session(scripted_ftpd.Session):
    def run(self):
        self.reply("220 Listing FTP ready.")
        with open(self.args.listing, "rb") as listing:
            listing_bytes = listing.read()
        while True:
            line = self.read_command()
            if line is None:
                return
            verb, _, argument = line.decode("utf-8", "replace").partition(" ")
            verb = verb.upper()
            if verb == "USER":
                self.reply("331 Password please.")
            elif verb == "PASS":
                self.reply("230 Logged in.")
            elif verb == "SYST":
                self.reply("215 " + self.args.syst)
            elif verb == "PWD":
                self.reply('257 "/" is the current directory.')
            elif verb in ("CWD", "TYPE"):
                self.reply("250 Okay." if verb == "CWD" else "200 Type set.")
            elif verb == "PASV":
                self.passive()
            elif verb == "LIST":
                self.send_over_data(listing_bytes)
            elif verb == "QUIT":
                self.reply("221 Goodbye.")
                return
            else:
                self.reply("500 Unknown command.")


def add_options(parser):
    parser.add_argument("--listing", required=True)
    parser.add_argument("--syst", default="UNIX Type: L8")


if __name__ == "__main__":
    scripted_ftpd.main(Session, add_options)
