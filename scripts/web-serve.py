#!/usr/bin/env python3
"""Serves a folder (default dist/web) on localhost, as a plain static web server would.

    scripts/web-serve.py [FOLDER] [--port N]

Prints the address; stops on Ctrl+C. The .wasm type is set so browsers compile while they
download.
"""
import argparse
import functools
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map)
    extensions_map.update({".wasm": "application/wasm", ".js": "text/javascript",
                           ".data": "application/octet-stream"})

    def log_message(self, format, *args):
        if os.environ.get("FERROLIN_SERVE_LOG"):
            super().log_message(format, *args)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder", nargs="?", default="dist/web")
    parser.add_argument("--port", type=int, default=8080)
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.folder, "index.html")):
        sys.exit(f"web-serve: {args.folder} has no index.html (run ./dev web first)")
    handler = functools.partial(Handler, directory=args.folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", args.port), handler) as server:
        print(f"Ferrolin: http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
