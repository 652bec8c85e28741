#!/usr/bin/env python3
"""The Linux drive's stream server: each Ogg file of the folder as a live stream, the
way Icecast serves one. Bytes go at the file's own pace after a burst, from where the stream is
now (a client that comes later gets the stream's headers, then the stream as it is); a client that asks with
"Icy-MetaData: 1" gets "icy-metaint" and, after every that many bytes, a metadata block
with "StreamTitle='Tone <NAME> part <n>';" whose number counts the stream's 10-second
parts.
/cut-<file> is <file> whose first connection to last 4 seconds is cut then (a player may
open and drop one before it plays: that one is not it); each connection
is written to the log as "connect <path> <n>" and each cut as "cut <path>".

    e2e-linux-server.py FOLDER LOG   (prints the port it listens on)
"""
import http.server, os, socketserver, sys, threading, time

folder, log_path = sys.argv[1], sys.argv[2]
METAINT, SECONDS, CUT_AFTER, BURST = 8192, 90, 4.0, 2.0
started, connections, was_cut, lock = {}, {}, set(), threading.Lock()


def ogg_headers(data):
    """The stream's header pages (granule position 0), which Icecast sends every
    client first: without them a client joining mid-stream cannot decode it."""
    at = 0
    while data[at:at + 4] == b"OggS" and data[at + 6:at + 14] == bytes(8):
        segments = data[at + 26]
        at += 27 + segments + sum(data[at + 27:at + 27 + segments])
    return at


def log(line):
    with lock, open(log_path, "a") as f:
        f.write(line + "\n")


class Stream(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        path = self.path.lstrip("/")
        cut = path.startswith("cut-")
        name = (path[4:] if cut else path).split("?")[0]
        try:
            data = open(os.path.join(folder, os.path.basename(name)), "rb").read()
        except OSError:
            self.send_error(404)
            return
        with lock:
            n = connections[path] = connections.get(path, 0) + 1
            begun = started.setdefault(path, time.time())
        log(f"connect {path} {n}")
        icy = self.headers.get("Icy-MetaData") == "1"
        self.send_response(200)
        self.send_header("Content-Type", "audio/ogg")
        self.send_header("icy-name", name)
        if icy:
            self.send_header("icy-metaint", str(METAINT))
        self.end_headers()
        rate = len(data) / SECONDS
        heads = ogg_headers(data)
        at = int((time.time() - begun) * rate) % len(data)
        if at > heads:
            # The headers, then the stream from the next page on.
            page = data.find(b"OggS", at)
            at = page if page > 0 else heads
            data = data[:heads] + data[at:] + data[heads:at]
        at = 0
        sent, since_meta, told, t0 = 0, 0, None, time.time()
        try:
            while True:
                if cut and time.time() - t0 > CUT_AFTER:
                    cut = False
                    with lock:
                        first = path not in was_cut
                        was_cut.add(path)
                    if first:
                        log(f"cut {path}")
                        return
                # The headers and two seconds at once, as Icecast's burst on connecting,
                # then the stream's own pace.
                allowed = heads + int((time.time() - t0 + BURST) * rate) - sent
                if allowed <= 0:
                    time.sleep(0.05)
                    continue
                chunk = min(allowed, 4096, METAINT - since_meta if icy else 4096)
                piece = data[at:at + chunk] or data[:chunk]
                at = (at + len(piece)) % len(data)
                self.wfile.write(piece)
                sent += len(piece)
                since_meta += len(piece)
                if icy and since_meta == METAINT:
                    since_meta = 0
                    title = f"Tone {name.split('.')[0].upper()} part {int((time.time() - begun) // 10) + 1}"
                    if title == told:
                        self.wfile.write(b"\0")
                    else:
                        told = title
                        text = f"StreamTitle='{title}';".encode()
                        blocks = (len(text) + 15) // 16
                        self.wfile.write(bytes([blocks]) + text.ljust(blocks * 16, b"\0"))
        except (BrokenPipeError, ConnectionResetError):
            pass


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Stream)
print(server.server_address[1], flush=True)
server.serve_forever()
