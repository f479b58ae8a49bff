#!/usr/bin/env python3
"""Writes a mail-folder file of about SIZE megabytes: messages with separator, From, Reply-To and other header
lines, a body that quotes an old From line, mixed LF and CR LF line ends. Prints the number of messages."""
import sys

def main():
    path, megabytes = sys.argv[1], float(sys.argv[2])
    target = int(megabytes * 1024 * 1024)
    written = 0
    messages = 0
    body = b"".join(b"Line %d of the message text, with a comma, and more words to fill it.\n" % i for i in range(6))
    with open(path, "wb", buffering=1 << 20) as out:
        while written < target:
            n = messages
            end = b"\r\n" if n % 2 else b"\n"
            chunk = (b"From sender%d@example.org Mon Jan  5 09:12:00 2026" % n + end
                     + b"From: Sender Number %d <sender%d@example.org>" % (n, n) + end
                     + (b"Reply-To: replies%d@example.org" % n + end if n % 3 == 0 else b"")
                     + b"To: list@example.net" + end
                     + b"Subject: Message %d, about things" % n + end
                     + b"X-From: relay@example.org" + end
                     + end + body + b"> From: an old quote" + end + end)
            out.write(chunk)
            written += len(chunk)
            messages += 1
    print(messages)

main()
