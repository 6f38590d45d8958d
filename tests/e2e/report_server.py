#!/usr/bin/env python3
"""The error-report service of the end-to-end tests: a plain-http server on
127.0.0.1 that logs the request line of every GET, one per line, to a file
and answers 200 with a short text, or 404 with a body for paths under
/missing.

Usage: report_server.py PORT LOGFILE [--silent]
With --silent it takes connections and never answers, as a service that
hangs does. Prints "listening" once the port is bound (the harness waits for
it)."""
import http.server
import socket
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(self.server.log_path, "a", encoding="latin-1") as log:
            log.write(self.requestline + "\n")
        if self.path.startswith("/missing"):
            status, body = 404, b"no such report: 404 body\r\n"
        else:
            status, body = 200, b"report received\r\n"
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        # Cacheable on purpose: a second fetch of the same URL that WinInet
        # answered from its cache would never reach this server. (Wine 8's
        # WinInet was seen to fetch again even without the reload flag, so
        # under Wine this shows no cache is used rather than why.)
        self.send_header("Cache-Control", "public, max-age=3600")
        self.send_header("Expires", "Thu, 01 Jan 2037 00:00:00 GMT")
        self.send_header("Last-Modified", "Mon, 01 Jan 2024 00:00:00 GMT")
        self.send_header("ETag", '"report-v1"')
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def silent(port):
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(16)
    print("listening", flush=True)
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)  # open, unanswered, until the server ends


def main():
    port, log_path = int(sys.argv[1]), sys.argv[2]
    if sys.argv[3:] == ["--silent"]:
        silent(port)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.log_path = log_path
    open(log_path, "a").close()
    print("listening", flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
