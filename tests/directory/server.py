#!/usr/bin/env python3
"""The tests' own station directory: a small HTTP server on 127.0.0.1 that answers as
the public directory's servers do, from the recorded stations beside it, and
misbehaves on request.

    server.py [--port N] [--port-file F] [--tone BASE] [--log F] [--max-seconds S]

It prints its port on the first line of its output (and into --port-file). Requests
go to /json/... as on the real servers; a first path segment names a misbehaviour:

    /slow/...       answers after --slow-seconds (20), later than any client waits
    /500/...        answers 500
    /cut/...        promises the whole answer, sends half of it and hangs up
    /malformed/...  a 200 whose JSON breaks off
    /huge/...       9 MB of stations, without a length, until the connection ends
    /hugeclaim/...  a Content-Length of 9 MB, then a few bytes and the end
    /wrongtypes/... the answer with wrong-typed fields in three of its stations
    /changed/...    byuuid as the directory answers later: changed.json applied

A search must carry what the directory asks of every client (a User-Agent of
"Zelvora/<version>", hidebroken, limit and order), or it gets 400. Addresses of the
recorded stations start with http://tone.invalid; --tone replaces that with a
server of real streams. GET /_quit ends the server; --max-seconds ends it anyway.
"""
import argparse
import json
import os
import socket
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
MODES = {"slow", "500", "cut", "malformed", "huge", "hugeclaim", "wrongtypes", "changed"}
ORDERS = {"name", "votes", "clickcount", "clicktrend", "bitrate", "random", "codec",
          "country", "language", "tags"}


def load(name):
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        return json.load(f)


def number(v):
    try:
        return float(v)
    except (TypeError, ValueError):
        return 0.0


class Directory:
    def __init__(self, tone, log):
        self.stations = load("stations.json")
        self.changed = load("changed.json")
        self.click = load("click.json")
        self.tone = tone
        self.log = log
        self.lock = threading.Lock()

    def with_tone(self, station):
        s = dict(station)
        for key in ("url", "url_resolved"):
            if isinstance(s.get(key), str) and self.tone:
                s[key] = s[key].replace("http://tone.invalid", self.tone)
        return s

    def search(self, p):
        found = self.stations
        for key, field in (("name", "name"), ("tag", "tags"), ("country", "country"),
                           ("language", "language"), ("codec", "codec")):
            want = p.get(key, "").lower()
            if want:
                found = [s for s in found if want in str(s.get(field, "")).lower()]
        if p.get("hidebroken") == "true":
            found = [s for s in found if number(s.get("lastcheckok")) == 1]
        order = p.get("order", "name")
        numeric = order in ("votes", "clickcount", "clicktrend", "bitrate")
        key = (lambda s: number(s.get(order))) if numeric else (lambda s: str(s.get(order, "")).lower())
        found = sorted(found, key=key, reverse=p.get("reverse") == "true")
        offset, limit = int(p.get("offset", "0")), int(p.get("limit", "100000"))
        return [self.with_tone(s) for s in found[offset:offset + limit]]

    def by_uuid(self, p, mode):
        uuids = [u for u in p.get("uuids", "").split(",") if u]
        out = []
        for s in self.stations:
            if s["stationuuid"] not in uuids:
                continue
            if mode == "changed" and s["stationuuid"] in self.changed:
                change = self.changed[s["stationuuid"]]
                if change is None:
                    continue
                s = dict(s, **change)
            out.append(self.with_tone(s))
        return out

    def note(self, record):
        if not self.log:
            return
        with self.lock, open(self.log, "a", encoding="utf-8") as f:
            f.write(json.dumps(record) + "\n")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    directory = None
    slow_seconds = 20.0

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.handle_request(b"")

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.handle_request(self.rfile.read(length) if length > 0 else b"")

    def handle_request(self, body):
        url = urllib.parse.urlsplit(self.path)
        parts = [x for x in url.path.split("/") if x]
        mode = parts.pop(0) if parts and parts[0] in MODES else ""
        params = dict(urllib.parse.parse_qsl(url.query))
        params.update(urllib.parse.parse_qsl(body.decode("utf-8", "replace")))
        agent = self.headers.get("User-Agent", "")
        self.directory.note({"method": self.command, "path": "/" + "/".join(parts), "mode": mode,
                             "params": params, "agent": agent})
        if parts == ["_quit"]:
            self.send(200, b"bye")
            threading.Thread(target=self.server.shutdown, daemon=True).start()
            return
        if mode == "slow":
            time.sleep(self.slow_seconds)
        if mode == "500":
            return self.send(500, b"Internal Server Error", "text/plain")
        answer = self.answer(parts, params, mode, agent)
        if answer is None:
            return self.send(404, b'{"ok":false,"message":"no such route"}')
        status, data = answer
        self.misbehave(mode, status, json.dumps(data, ensure_ascii=False).encode("utf-8"))

    def answer(self, parts, params, mode, agent):
        if parts == ["json", "stations", "search"]:
            missing = [k for k in ("hidebroken", "limit", "order") if k not in params]
            if missing or not agent.startswith("Zelvora/") or params.get("order") not in ORDERS:
                return 400, {"ok": False, "message": "missing " + ",".join(missing) + " " + agent}
            stations = self.directory.search(params)
            if mode == "wrongtypes" and len(stations) >= 3:
                stations[0]["bitrate"] = {"kbps": 128}
                stations[1]["name"] = 42
                stations[2]["votes"] = "many"
            return 200, stations
        if parts == ["json", "stations", "byuuid"]:
            return 200, self.directory.by_uuid(params, mode)
        if len(parts) == 3 and parts[:2] == ["json", "url"]:
            s = next((s for s in self.directory.stations if s["stationuuid"] == parts[2]), None)
            if s is None:
                return 404, {"ok": False, "message": "station not found"}
            click = {k: v.replace("{uuid}", s["stationuuid"]).replace("{name}", s["name"])
                     .replace("{url}", self.directory.with_tone(s)["url"]) if isinstance(v, str) else v
                     for k, v in self.directory.click.items()}
            return 200, click
        return None

    def misbehave(self, mode, status, data):
        if mode == "cut":
            self.send_head(status, len(data))
            self.wfile.write(data[: len(data) // 2])
            self.wfile.flush()
            self.close_now()
        elif mode == "malformed":
            self.send(status, data[: max(1, len(data) * 2 // 3)])
        elif mode == "huge":
            self.send_response(status)
            self.send_header("Content-Type", "application/json")
            self.send_header("Connection", "close")
            self.end_headers()
            one = json.dumps(self.directory.stations[0]).encode("utf-8")
            sent = self.write_quietly(b"[" + one)
            while sent and sent < 9 * 1024 * 1024:
                sent += self.write_quietly(b"," + one)
            self.write_quietly(b"]")
            self.close_now()
        elif mode == "hugeclaim":
            self.send_head(status, 9 * 1024 * 1024)
            self.write_quietly(data[:16])
            self.close_now()
        else:
            self.send(status, data)

    def send_head(self, status, length, kind="application/json"):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(length))
        self.end_headers()

    def send(self, status, data, kind="application/json"):
        self.send_head(status, len(data), kind)
        self.write_quietly(data)

    def write_quietly(self, data):
        try:
            self.wfile.write(data)
            return len(data)
        except OSError:  # the client gave up, as it should with some of these
            return 0

    def close_now(self):
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, default=0)
    ap.add_argument("--port-file")
    ap.add_argument("--tone", default="")
    ap.add_argument("--log")
    ap.add_argument("--slow-seconds", type=float, default=20.0)
    ap.add_argument("--max-seconds", type=float, default=1800.0)
    args = ap.parse_args()
    Handler.directory = Directory(args.tone.rstrip("/"), args.log)
    Handler.slow_seconds = args.slow_seconds
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    port = server.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(port))
        os.replace(args.port_file + ".tmp", args.port_file)
    print(port, flush=True)
    threading.Timer(args.max_seconds, server.shutdown).start()
    server.serve_forever()
    os._exit(0)


if __name__ == "__main__":
    sys.exit(main())
