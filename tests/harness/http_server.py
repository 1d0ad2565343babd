#!/usr/bin/python3
"""A small HTTP server for the update checker's tests, on 127.0.0.1 only.

Serves the files under DIR/root by the path of each request (WinInet sends
absolute URIs through a proxy: the host is ignored), answers 404 with a small
page otherwise, and drops the connection without an answer for paths under
/drop/. Every request line is appended to DIR/requests.log. Writes its port to
DIR/port once it listens and ends by itself after LIFETIME seconds."""
import http.server
import os
import sys
import time
import urllib.parse

MAX_REQUESTS = 10000


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        with open(os.path.join(self.server.folder, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        path = urllib.parse.urlsplit(self.path).path
        if path.startswith("/drop/"):
            self.close_connection = True
            return
        root = os.path.realpath(os.path.join(self.server.folder, "root"))
        file = os.path.realpath(os.path.join(root, path.lstrip("/")))
        if file.startswith(root + os.sep) and os.path.isfile(file):
            with open(file, "rb") as f:
                self.reply(200, f.read(), "application/octet-stream")
        else:
            self.reply(404, b"<html><body>404 Not Found</body></html>", "text/html")

    def reply(self, status, body, kind):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    folder, lifetime = sys.argv[1], float(sys.argv[2])
    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
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
