#!/usr/bin/python3
"""Writes a self-signed certificate whose name hides a NUL byte: "localhost\\0.evil.example" in
both the common name and the DNS name, as an attacker would ask a careless authority for.

    make_nul_certificate.py CERT_FILE KEY_FILE
"""
import datetime
import sys

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import NameOID

NAME = "localhost\x00.evil.example"


def main(cert_file, key_file):
    key = ec.generate_private_key(ec.SECP256R1())
    name = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, NAME)])
    now = datetime.datetime.utcnow()
    certificate = (
        x509.CertificateBuilder()
        .subject_name(name)
        .issuer_name(name)
        .public_key(key.public_key())
        .serial_number(x509.random_serial_number())
        .not_valid_before(now - datetime.timedelta(hours=1))
        .not_valid_after(now + datetime.timedelta(days=2))
        .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
        .add_extension(x509.SubjectAlternativeName([x509.DNSName(NAME)]), critical=False)
        .sign(key, hashes.SHA256())
    )
    with open(cert_file, "wb") as out:
        out.write(certificate.public_bytes(serialization.Encoding.PEM))
    with open(key_file, "wb") as out:
        out.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                    serialization.NoEncryption()))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
