#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A loopback SMTP server for the mail tests: every message taken is written to OUTDIR as
N.eml (the bytes received) and N.json (subject, body and attachments as a mail reader decodes
them). Recipients starting "refuse@" are refused with 550. With CERT and KEY it requires
STARTTLS and a login (player / s3cret). Prints "READY <port>" and serves until stdin closes."""
import email
import email.policy
import json
import os
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Handler:
    def __init__(self, outdir):
        self.outdir = outdir

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.startswith("refuse@"):
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        n = len([f for f in os.listdir(self.outdir) if f.endswith(".eml")])
        raw = envelope.original_content
        with open(os.path.join(self.outdir, f"{n}.eml"), "wb") as f:
            f.write(raw)
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        attachments = [
            {"name": part.get_filename(), "data": part.get_content().hex()}
            for part in msg.iter_attachments()
        ]
        decoded = {
            "from": envelope.mail_from,
            "to": envelope.rcpt_tos,
            "subject": str(msg["subject"]),
            "body": msg.get_body(("plain",)).get_content(),
            "attachments": attachments,
        }
        with open(os.path.join(self.outdir, f"{n}.json"), "w", encoding="utf-8") as f:
            json.dump(decoded, f, ensure_ascii=False)
        return "250 Message accepted"


def authenticate(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword) and auth_data.login == b"player"
          and auth_data.password == b"s3cret")
    return AuthResult(success=ok)


def main():
    outdir = sys.argv[1]
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    options = {}
    if len(sys.argv) == 4:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(sys.argv[2], sys.argv[3])
        options = dict(tls_context=context, require_starttls=True,
                       authenticator=authenticate, auth_require_tls=True)
    controller = Controller(Handler(outdir), hostname="127.0.0.1", port=port, **options)
    controller.start()
    print(f"READY {port}", flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
