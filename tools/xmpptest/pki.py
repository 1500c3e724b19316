# The certificates of the test servers, made with openssl: one test authority per build folder,
# which the Wine prefix of the tests trusts (trust_test_authority.exe adds it to the current
# user's Root store), and server certificates issued by it for each server start, good ones and
# the faulty ones the client must refuse. A second authority, never trusted, stands for an
# unknown one.
#
# The trusted authority is kept from run to run: Wine keeps a certificate in the store even after
# it was deleted there, so a new authority per run would pile up in the prefix. It is made anew
# only when it is missing or near its end.
import datetime
import fcntl
import os
import subprocess
import tempfile

AUTHORITY_NAME = "Korvel test authority"
UNKNOWN_AUTHORITY_NAME = "Korvel unknown authority"
# The name the certificate of a server that pretends to be another is made out to.
WRONG_NAME = "elsewhere.korvel.test"
OPENSSL = "/usr/bin/openssl"


def _openssl(*args):
    result = subprocess.run([OPENSSL, *args], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            stdin=subprocess.DEVNULL, timeout=120)
    if result.returncode != 0:
        raise RuntimeError("openssl %s: %s" % (args[0], result.stderr.decode(errors="replace").strip()))


def _valid_for(cert, seconds):
    return subprocess.run([OPENSSL, "x509", "-in", cert, "-noout", "-checkend", str(seconds)],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60).returncode == 0


def make_authority(cert, key, name, days=3650):
    _openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key + ".tmp", "-out", cert + ".tmp",
             "-days", str(days), "-subj", "/CN=" + name,
             "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    os.replace(key + ".tmp", key)
    os.replace(cert + ".tmp", cert)


def ensure_authority(folder):
    """The build folder's test authority, made when missing or within a year of its end:
    (certificate, key) paths."""
    os.makedirs(folder, exist_ok=True)
    cert, key = os.path.join(folder, "ca.pem"), os.path.join(folder, "ca.key")
    with open(os.path.join(folder, ".lock"), "w") as lock:
        # The tests and tools/run may start servers of the same build folder at once.
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not (os.path.exists(key) and os.path.exists(cert) and _valid_for(cert, 365 * 86400)):
            make_authority(cert, key, AUTHORITY_NAME)
    return cert, key


def _stamp(when):
    return when.strftime("%Y%m%d%H%M%SZ")


def issue(authority, name, out_prefix, days_from=-1, days_to=30):
    """A server certificate for the DNS name `name`, issued by `authority` ((cert, key) paths),
    valid from days_from to days_to days from now: (out_prefix.pem, out_prefix.key)."""
    ca_cert, ca_key = authority
    now = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)
    cert, key = out_prefix + ".pem", out_prefix + ".key"
    with tempfile.TemporaryDirectory() as tmp:
        config = os.path.join(tmp, "ca.cnf")
        with open(config, "w") as f:
            f.write("""[ ca ]
default_ca = test
[ test ]
database = {tmp}/index.txt
new_certs_dir = {tmp}
rand_serial = yes
default_md = sha256
policy = any
unique_subject = no
[ any ]
commonName = supplied
[ server ]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature,keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:{name}
""".format(tmp=tmp, name=name))
        open(os.path.join(tmp, "index.txt"), "w").close()
        csr = os.path.join(tmp, "server.csr")
        _openssl("req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-subj", "/CN=" + name, "-out", csr)
        _openssl("ca", "-batch", "-config", config, "-cert", ca_cert, "-keyfile", ca_key, "-in", csr, "-out", cert,
                 "-notext", "-extensions", "server",
                 "-startdate", _stamp(now + datetime.timedelta(days=days_from)),
                 "-enddate", _stamp(now + datetime.timedelta(days=days_to)))
    return cert, key


def make_server_set(authority_folder, folder, names):
    """The certificates of one controller run, in `folder`: for each name of `names` a good one
    (NAME.pem, NAME.key), and for the first name the faulty ones: "expired" (its dates are past),
    "wrong-name" (made out to another name) and "untrusted" (issued by an unknown authority).
    Returns the path of the trusted authority's certificate."""
    os.makedirs(folder, exist_ok=True)
    authority = ensure_authority(authority_folder)
    for name in names:
        issue(authority, name, os.path.join(folder, name))
    first = names[0]
    issue(authority, first, os.path.join(folder, "expired"), days_from=-60, days_to=-30)
    issue(authority, WRONG_NAME, os.path.join(folder, "wrong-name"))
    unknown = (os.path.join(folder, "unknown-ca.pem"), os.path.join(folder, "unknown-ca.key"))
    make_authority(unknown[0], unknown[1], UNKNOWN_AUTHORITY_NAME, days=30)
    issue(unknown, first, os.path.join(folder, "untrusted"))
    return authority[0]
