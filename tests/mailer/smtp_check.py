#!/usr/bin/python3
"""Runs a mailer test program under Wine against real SMTP servers on 127.0.0.1, then checks
what the servers received with Python's email package.

    smtp_check.py <emulator...> <program.exe>

Servers: Debian's aiosmtpd (the well-behaved one), and small asyncio servers that misbehave:
replies byte by byte and slowly, a drop in the middle of DATA, silence after DATA, a close
right after the connection. The program finds their ports and the attachment files in the
environment (POSTLARK_*). Exit status 0 when the program and every check passed."""
import asyncio
import email
import email.policy
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading

from aiosmtpd.controller import Controller

PNG = "/usr/share/libjxl-testdata/external/wesaturate/500px/cvo9xd_keong_macan_grayscale.png"
JPEGS = ["/usr/share/libjxl-testdata/jxl/flower/flower_small.q85_420_non_interleaved.jpg",
         "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg"]


class Inbox:
    def __init__(self):
        self.messages = []  # (envelope sender, recipients, raw bytes)
        self.lock = threading.Lock()

    def add(self, sender, recipients, data):
        with self.lock:
            self.messages.append((sender, recipients, data))

    def by_subject(self, subject):
        found = []
        for sender, recipients, data in self.messages:
            message = email.message_from_bytes(data, policy=email.policy.default)
            if str(message["Subject"]) == subject:
                found.append((sender, recipients, data, message))
        return found


class Handler:
    def __init__(self, inbox):
        self.inbox = inbox

    async def handle_DATA(self, server, session, envelope):
        self.inbox.add(envelope.mail_from, list(envelope.rcpt_tos), envelope.original_content)
        return "250 Message accepted for delivery"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


async def misbehaving(mode, inbox, reader, writer):
    async def reply(text):
        if mode == "slow":
            for byte in text.encode():
                writer.write(bytes([byte]))
                await writer.drain()
                await asyncio.sleep(0.002)
        else:
            writer.write(text.encode())
            await writer.drain()

    try:
        if mode == "early":
            return
        await reply("220 ready\r\n")
        sender, recipients = None, []
        while True:
            line = await reader.readline()
            if not line:
                return
            command = line.decode("latin-1").strip()
            verb = command[:4].upper()
            if verb == "HELO":
                await reply("250-hello\r\n250-second line\r\n250 last line\r\n")
            elif verb == "MAIL":
                sender = command
                await reply("250 ok\r\n")
            elif verb == "RCPT":
                recipients.append(command)
                await reply("250 ok\r\n")
            elif verb == "DATA":
                await reply("354 go ahead\r\n")
                data = b""
                while not data.endswith(b"\r\n.\r\n"):
                    chunk = await reader.read(65536)
                    if not chunk:
                        return
                    data += chunk
                    if mode == "drop" and len(data) > 20000:
                        return
                if mode == "silent":
                    await reader.read()  # until the client gives up
                    return
                inbox.add(sender, recipients, data[:-3].replace(b"\r\n..", b"\r\n."))
                await reply("250 queued\r\n")
            elif verb == "QUIT":
                await reply("221 bye\r\n")
                return
            else:
                await reply("500 what\r\n")
    except ConnectionError:
        pass  # the client gave up, as the silent server wants it to
    finally:
        writer.close()


def start_misbehaving(inbox):
    loop = asyncio.new_event_loop()
    ports = {}
    for mode in ("slow", "drop", "silent", "early"):
        port = free_port()
        handler = (lambda m: lambda r, w: misbehaving(m, inbox, r, w))(mode)
        loop.run_until_complete(asyncio.start_server(handler, "127.0.0.1", port))
        ports[mode] = port
    threading.Thread(target=loop.run_forever, daemon=True).start()
    return ports


def make_files(folder):
    files = {
        "three.bin": b"\x00\xff\x10",
        "fiftyfour.bin": bytes(range(54)),
        "dots.txt": b".\r\n..\r\n.leading dot\r\nmiddle.dot\r\n",
        "large.bin": os.urandom(3 * 1024 * 1024),
        "Grüße 1.bin": b"named in Latin-1",
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    shutil.copy(PNG, os.path.join(folder, "holiday.png"))
    os.mkdir(os.path.join(folder, "pictures"))
    for path in JPEGS:
        shutil.copy(path, os.path.join(folder, "pictures", os.path.basename(path)))


class Checks:
    def __init__(self):
        self.failures = []
        self.count = 0

    def expect(self, condition, what):
        self.count += 1
        if not condition:
            self.failures.append(what)
            print("FAILED:", what)


def attachments(message):
    return {part.get_filename(): part.get_payload(decode=True) for part in message.iter_attachments()}


def check_smtp_program(inbox, folder, checks):
    read = lambda *p: open(os.path.join(folder, *p), "rb").read()
    found = inbox.by_subject("Grüße")
    checks.expect(len(found) == 1, "the picture message arrived once")
    if found:
        sender, recipients, data, message = found[0]
        checks.expect(sorted(recipients) == ["ann@example.com", "bob@example.com"], "two envelope recipients")
        checks.expect(sender == "me@example.com", "envelope sender")
        expected = {"holiday.png": read("holiday.png"), "three.bin": read("three.bin"),
                    "fiftyfour.bin": read("fiftyfour.bin"), "dots.txt": read("dots.txt"),
                    "Grüße 1.bin": read("Grüße 1.bin")}
        for path in JPEGS:
            expected[os.path.basename(path)] = read("pictures", os.path.basename(path))
        checks.expect(attachments(message) == expected, "attachments arrive byte for byte")
        text = message.get_body(("plain",)).get_content().replace("\r\n", "\n")
        checks.expect(text == "a=b\n.dot line\n" + "x" * 100 + "\nno final line end",
                      "text part: %r" % text[:60])
        checks.expect(str(message["To"]) == "Ann <ann@example.com>", "To header")
        checks.expect(str(message["Cc"]) == "bob@example.com", "Cc header")
        checks.expect(b"Subject: =?ISO-8859-1?Q?Gr=FC=DFe?=\r\n" in data, "encoded subject on the wire")
        lines = data.split(b"\r\n")
        checks.expect(max(len(l) for l in lines) <= 78, "no line longer than 78")
        checks.expect(not re.search(rb"(?<!\r)\n|\r(?!\n)", data), "only CR LF line ends")
        checks.expect(not message.defects, "no defects: %s" % message.defects)

    found = inbox.by_subject("Reduced")
    checks.expect(len(found) == 1, "the reduced message arrived")
    if found:
        got = attachments(found[0][3])
        jpeg = got.get("holiday.jpg", b"")
        checks.expect(jpeg[:2] == b"\xff\xd8" and "holiday.png" not in got, "holiday.png sent as holiday.jpg")
        checks.expect(got.get("three.bin") == read("three.bin"), "a file that is no picture goes as it is")
        checks.expect(0 < len(jpeg) < len(read("holiday.png")), "the reduced picture is smaller")

    injected = "Injected\r\nBcc: eve@example.com\r\nX-Evil: 1 ?= " + "y" * 300
    found = inbox.by_subject(injected.replace("\r\n", "  "))
    checks.expect(len(found) == 1, "the hostile subject arrived as one header")
    if found:
        sender, recipients, data, message = found[0]
        checks.expect(message["Bcc"] is None and message["X-Evil"] is None, "no injected header")
        checks.expect(recipients == ["ann@example.com"], "no injected recipient: %s" % recipients)
        address = message["To"].addresses[0]
        checks.expect((address.display_name, address.addr_spec) == ("Ann  Bcc: eve@example.com", "ann@example.com"),
                      "the name stays a name: %s" % message["To"])
        checks.expect(max(len(l) for l in data.split(b"\r\n")) <= 78, "hostile headers folded")

    checks.expect(not inbox.by_subject("Stopped send"), "a stopped send delivers nothing")
    checks.expect(len(inbox.by_subject("Slow server")) == 1, "the slow server got its message")
    checks.expect(not inbox.by_subject("Dropped"), "a dropped send delivers nothing")
    for n in (1, 2):
        checks.expect(len(inbox.by_subject("Parallel %d" % n)) == 1, "parallel send %d arrived" % n)


def check_window_program(inbox, folder, checks):
    holiday = {"holiday.png": open(os.path.join(folder, "holiday.png"), "rb").read()}
    for subject, typed in (("From the window", "Typed in the window"), ("Edited while sending", "Sent as it was")):
        found = inbox.by_subject(subject)
        checks.expect(len(found) == 1, "the window's message %r arrived once" % subject)
        if found:
            got = attachments(found[0][3])
            checks.expect(got == holiday, "%r: its attachment arrives byte for byte, alone" % subject)
            text = found[0][3].get_body(("plain",)).get_content()
            checks.expect(text == typed, "%r: the window's text: %r" % (subject, text))


def check_program(inbox, folder, checks):
    found = inbox.by_subject("From the program")
    checks.expect(len(found) == 1, "the program's message arrived")
    if found:
        expected = {os.path.basename(p): open(os.path.join(folder, "pictures", os.path.basename(p)), "rb").read()
                    for p in JPEGS}
        checks.expect(attachments(found[0][3]) == expected, "the selected pictures arrive byte for byte")


def main():
    program = sys.argv[1:]
    folder = tempfile.mkdtemp(prefix="postlark-")
    try:
        make_files(folder)
        inbox = Inbox()
        port = free_port()
        controller = Controller(Handler(inbox), hostname="127.0.0.1", port=port)
        controller.start()
        ports = start_misbehaving(inbox)
        env = dict(os.environ, POSTLARK_FILES=folder, POSTLARK_SMTP=str(port),
                   POSTLARK_REFUSED=str(free_port()),
                   **{"POSTLARK_" + mode.upper(): str(p) for mode, p in ports.items()})
        run = subprocess.run(program, env=env)
        controller.stop()
        checks = Checks()
        checks.expect(run.returncode == 0, "the Windows test program passed")
        name = os.path.basename(program[-1])
        check = {"postlark_window_win_test": check_window_program, "email_command_win_test": check_program}
        check.get(os.path.splitext(name)[0], check_smtp_program)(inbox, folder, checks)
        print("%d passed, %d failed" % (checks.count - len(checks.failures), len(checks.failures)))
        return 1 if checks.failures else 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
