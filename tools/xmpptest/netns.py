# A test host of our own that is not this machine's loopback: a network namespace with a veth
# pair, its ends given addresses of the benchmarking range 198.18.0.0/15 (RFC 2544), which no
# real network uses. The client (under Wine, in this machine's namespace) reaches the servers
# started inside it over the pair, exactly as it would reach a server on another machine, and
# nothing goes to any other address. Needs root (or CAP_NET_ADMIN) and iproute2; where the
# machine does not allow it, create() says why.
import fcntl
import ipaddress
import os
import shutil
import subprocess

BASE = ipaddress.IPv4Address("198.18.0.0")
BLOCKS = 16384  # /30 blocks of 198.18.0.0/16
LOCK = "/tmp/korvel-netns.lock"


class Unavailable(Exception):
    pass


def _ip(*args, check=True):
    result = subprocess.run(["ip", *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            stdin=subprocess.DEVNULL, timeout=30)
    if check and result.returncode != 0:
        raise Unavailable("ip %s: %s" % (" ".join(args), result.stderr.decode(errors="replace").strip()))
    return result.stdout.decode(errors="replace")


class Namespace:
    def __init__(self, tag):
        self.name = "korvel-test-%s" % tag
        self.host_if = ("kv%sh" % tag)[:15]
        self.ns_if = ("kv%sn" % tag)[:15]
        self.host_address = None
        self.address = None  # the test host's address, reached from this machine

    def create(self):
        if os.geteuid() != 0:
            raise Unavailable("network namespaces need root, and the test run is not root")
        if not shutil.which("ip"):
            raise Unavailable("the ip command (iproute2) is missing")
        # Two test runs on one machine must not pick the same addresses.
        with open(LOCK, "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            used = _ip("-o", "-4", "addr", "show")
            block = None
            for i in range(BLOCKS):
                candidate = BASE + ((os.getpid() + i) % BLOCKS) * 4
                if not any(str(candidate + k) + "/" in used for k in range(4)):
                    block = candidate
                    break
            if block is None:
                raise Unavailable("no free addresses left in 198.18.0.0/16")
            self.host_address, self.address = str(block + 1), str(block + 2)
            try:
                _ip("netns", "add", self.name)
                _ip("link", "add", self.host_if, "type", "veth", "peer", "name", self.ns_if, "netns", self.name)
                _ip("addr", "add", self.host_address + "/30", "dev", self.host_if)
                _ip("link", "set", self.host_if, "up")
                _ip("-n", self.name, "addr", "add", self.address + "/30", "dev", self.ns_if)
                _ip("-n", self.name, "link", "set", self.ns_if, "up")
                _ip("-n", self.name, "link", "set", "lo", "up")
            except Unavailable:
                self.remove()
                raise

    def command(self, args):
        """The command line that runs `args` inside the namespace."""
        return ["ip", "netns", "exec", self.name] + list(args)

    def remove(self):
        remove_named(self.name, self.host_if)


def remove_named(name, host_if):
    # Deleting the namespace deletes the pair with it; the host's end goes too, should the
    # namespace already be gone.
    _ip("netns", "del", name, check=False)
    _ip("link", "del", host_if, check=False)
