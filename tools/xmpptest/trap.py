# A server that looks like an XMPP server to a client up to the point where the client has to
# decide whether to trust it, and counts what the client sends past that point. The tests use it
# to show that a client refusing a server sends it nothing of the account:
#   plain       offers no TLS: everything after the client's stream header counts
#   untrusted   offers STARTTLS and shows a certificate of an unknown authority (alone, as most
#   wrong-name  servers send theirs), one made out to another name, or an expired one:
#   expired     everything after the client's <starttls/> counts, in the clear or encrypted
#   broken      offers STARTTLS and then answers the handshake with bytes that are not TLS
# Both kinds offer the SASL mechanisms a client would use, so a client that went on regardless
# would send its name at once. The counts go to a report file after every change:
#   connections=N handshakes=N after=N open=N
# where open counts the connections the client has not closed yet.
import os
import socket
import ssl
import threading
import time

STREAM_NS = "http://etherx.jabber.org/streams"
MECHANISMS = ("<mechanisms xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>SCRAM-SHA-1</mechanism>"
              "<mechanism>PLAIN</mechanism></mechanisms>")
LIFETIME = 900  # seconds: the trap ends itself even when nobody stops it
KINDS = ("plain", "untrusted", "wrong-name", "expired", "broken")


class Report:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.counts = {"connections": 0, "handshakes": 0, "after": 0, "open": 0}
        self.write()

    def add(self, key, n=1):
        with self.lock:
            self.counts[key] += n
            self.write()

    def write(self):
        with open(self.path + ".tmp", "w") as f:
            f.write(" ".join("%s=%d" % kv for kv in self.counts.items()) + "\n")
        os.replace(self.path + ".tmp", self.path)


def read_until(conn, data, marker, limit=65536):
    """Reads until `marker` is in data; (data, True) or (data, False) at the end or a time out."""
    while marker not in data and len(data) < limit:
        try:
            chunk = conn.recv(4096)
        except OSError:
            return data, False
        if not chunk:
            return data, False
        data += chunk
    return data, marker in data


def drain(conn, report):
    """Counts everything else the client sends until it closes or goes quiet."""
    while True:
        try:
            chunk = conn.recv(4096)
        except (OSError, ssl.SSLError):
            return
        if not chunk:
            return
        report.add("after", len(chunk))


def serve(conn, kind, context, report):
    report.add("connections")
    report.add("open")
    try:
        converse(conn, kind, context, report)
    finally:
        conn.close()
        report.add("open", -1)


def converse(conn, kind, context, report):
    conn.settimeout(20)
    data, ok = read_until(conn, b"", b"<stream:stream")
    data, ok = read_until(conn, data, b">") if ok else (data, False)
    if not ok:
        return
    rest = data[data.index(b">", data.index(b"<stream:stream")) + 1:]
    offer = "" if kind == "plain" else "<starttls xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>"
    conn.sendall(("<?xml version='1.0'?><stream:stream xmlns='jabber:client' xmlns:stream='%s' id='trap' "
                  "version='1.0' from='trap'><stream:features>%s%s</stream:features>"
                  % (STREAM_NS, offer, MECHANISMS)).encode())
    if kind == "plain":
        report.add("after", len(rest))
        drain(conn, report)
        return
    # Anything but the request for TLS counts: a client that ignored the offer signs in here.
    rest, ok = read_until(conn, rest, b">")
    start = rest.find(b"<starttls")
    end = rest.find(b"/>", start) + 2 if start >= 0 else 1
    if start < 0 or end < 2:
        report.add("after", len(rest))
        drain(conn, report)
        return
    report.add("after", len(rest) - (end - start))
    conn.sendall(b"<proceed xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>")
    if kind == "broken":
        # The client's hello (one TLS record) is the handshake's own; the answer is no TLS.
        rest = rest[end:]
        while len(rest) < 5 or len(rest) < 5 + int.from_bytes(rest[3:5], "big"):
            chunk = conn.recv(4096)
            if not chunk:
                return
            rest += chunk
        report.add("after", len(rest) - 5 - int.from_bytes(rest[3:5], "big"))
        conn.sendall(b"HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n" * 4)
        drain(conn, report)
        return
    try:
        secure = context.wrap_socket(conn, server_side=True)
    except (OSError, ssl.SSLError):
        return
    report.add("handshakes")
    drain(secure, report)
    secure.close()


def run(kind, address, port, cert, key, report_path):
    context = None
    if kind not in ("plain", "broken"):
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.minimum_version = ssl.TLSVersion.TLSv1_2
        context.load_cert_chain(cert, key)
    listener = socket.create_server((address, port))
    listener.settimeout(1)
    report = Report(report_path)  # the first report says that the trap listens
    deadline = time.monotonic() + LIFETIME
    while time.monotonic() < deadline:
        try:
            conn, _ = listener.accept()
        except socket.timeout:
            continue
        threading.Thread(target=serve, args=(conn, kind, context, report), daemon=True).start()
    listener.close()
