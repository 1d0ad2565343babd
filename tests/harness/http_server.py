#!/usr/bin/python3
"""A small HTTP server for the update checker's tests, on 127.0.0.1 only.

Serves the files under DIR/root by the path of each request (WinInet sends
absolute URIs through a proxy: the host is ignored), answers 404 with a small
page otherwise. Paths with a misbehaving prefix act out a bad server or network:
  /drop/...      closes the connection without an answer
  /status/N/...  answers status N with an HTML page
  /moved/P       redirects (302) to /P
  /cut/P         announces the whole length of /P, sends half of it and closes
  /stall/...     accepts and never answers
  /trickle/...   sends its answer one byte a second
Every request line is appended to DIR/requests.log. Writes its port to
DIR/port once it listens and ends by itself after LIFETIME seconds."""
import http.server
import os
import sys
import time
import urllib.parse

MAX_REQUESTS = 20000
# How long a stalling or trickling answer lasts at most.
STALL_SECONDS = 60


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(os.path.join(self.server.folder, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        path = urllib.parse.urlsplit(self.path).path
        parts = path.split("/", 2) + [""]
        prefix, rest = parts[1], "/" + parts[2]
        self.close_connection = True
        if prefix == "drop":
            return
        if prefix == "status":
            status = int(rest.split("/")[1])
            self.reply(status, b"<html><body><h1>%d</h1>Server error page</body></html>" % status, "text/html")
        elif prefix == "moved":
            self.send_response(302)
            self.send_header("Location", rest)
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif prefix == "cut":
            body = self.file_body(rest) or b""
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[: len(body) // 2])
        elif prefix == "stall":
            time.sleep(STALL_SECONDS)
        elif prefix == "trickle":
            answer = b"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nslow!"
            for i in range(min(len(answer), STALL_SECONDS)):
                self.wfile.write(answer[i : i + 1])
                self.wfile.flush()
                time.sleep(1)
        else:
            body = self.file_body(path)
            if body is None:
                self.reply(404, b"<html><body>404 Not Found</body></html>", "text/html")
            else:
                self.reply(200, body, "application/octet-stream")

    def file_body(self, path):
        root = os.path.realpath(os.path.join(self.server.folder, "root"))
        file = os.path.realpath(os.path.join(root, path.lstrip("/")))
        if not (file.startswith(root + os.sep) and os.path.isfile(file)):
            return None
        with open(file, "rb") as f:
            return f.read()

    def reply(self, status, body, kind):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    folder, lifetime = sys.argv[1], float(sys.argv[2])
    # One thread per connection: a stalling answer holds up no other request.
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.folder = folder
    server.timeout = 0.5
    port_file = os.path.join(folder, "port")
    with open(port_file + ".new", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".new", port_file)
    deadline = time.monotonic() + lifetime
    for _ in range(MAX_REQUESTS):
        if time.monotonic() > deadline:
            break
        server.handle_request()
    server.server_close()


if __name__ == "__main__":
    main()
