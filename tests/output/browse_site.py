#!/usr/bin/env python3
"""Opens pages of a generated web site in headless Chromium, served over HTTP on 127.0.0.1, and
checks what the browser itself asked for: no request may fail, every picture and background of a
page must have been fetched, and every link of a page must be served. A screenshot of the first
page is written where the second argument says.

usage: browse_site.py FOLDER SCREENSHOT PAGE...   (pages the given ones link to are opened too)

Without /usr/bin/chromium the check is skipped with a note, except under CI (CI=true), where a
browser check that never ran must not pass."""
import functools
import html.parser
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import urllib.error
import urllib.parse
import urllib.request

from check_site import report

CHROMIUM = "/usr/bin/chromium"
# The machine's network is closed: without these Chromium tries to reach its makers' hosts.
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--hide-scrollbars", "--window-size=1024,768", "--virtual-time-budget=3000"]
PICTURE_ATTRIBUTES = {"src", "background"}


class RecordingHandler(http.server.SimpleHTTPRequestHandler):
    """Serves the site and notes the path and status of every request, decoded as the files are named."""

    def __init__(self, *args, served, **kwargs):
        self.served = served
        super().__init__(*args, **kwargs)

    def send_response(self, code, message=None):
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path, encoding="utf-8", errors="replace")
        self.served.append((path, code))
        super().send_response(code, message)

    def log_message(self, *args):
        pass


class PageLinks(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.pictures, self.links = [], []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if value is None or value.startswith(("http://", "https://")):
                continue
            if name in PICTURE_ATTRIBUTES:
                self.pictures.append(value)
            elif name == "href":
                self.links.append(value)


def page_links(folder, page):
    parser = PageLinks()
    with open(os.path.join(folder, page), "rb") as file:
        parser.feed(file.read().decode("latin-1"))
    parser.close()
    return parser


def linked_pages(folder, page):
    """The site's own pages a page links to, so that every page of the site is opened."""
    targets = (urllib.parse.unquote(link, encoding="utf-8") for link in page_links(folder, page).links)
    return [target for target in targets if target.lower().endswith(".htm") and "/" not in target]


def open_in_chromium(url, screenshot):
    with tempfile.TemporaryDirectory(prefix="browse-site-profile-") as profile:
        run = subprocess.run([CHROMIUM, *CHROMIUM_FLAGS, f"--user-data-dir={profile}",
                              f"--screenshot={screenshot}", url],
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    return run.returncode, run.stdout.decode(errors="replace")


def check_page(folder, page, base, served, screenshot):
    problems = []
    served.clear()
    page_url = base + urllib.parse.quote(page)
    code, output = open_in_chromium(page_url, screenshot)
    if code != 0 or not os.path.isfile(screenshot):
        return [f"{page}: Chromium failed ({code}): {output[-500:]}"]
    # The browser asks for its own favicon on every site; the pages never name one.
    for path, status in served:
        if status >= 400 and path != "/favicon.ico":
            problems.append(f"{page}: the browser's request for {path} got {status}")
    fetched = {path for path, status in served if status == 200}
    links = page_links(folder, page)
    for picture in links.pictures:
        path = "/" + urllib.parse.unquote(picture, encoding="utf-8")
        if path not in fetched:
            problems.append(f"{page}: picture {picture} was never fetched by the browser")
    for link in links.links:
        try:
            with urllib.request.urlopen(urllib.parse.urljoin(page_url, link), timeout=30) as answer:
                answer.read()
        except urllib.error.HTTPError as error:
            problems.append(f"{page}: link {link} got {error.code}")
    return problems


def main():
    folder, screenshot, pages = sys.argv[1], sys.argv[2], sys.argv[3:]
    if not os.access(CHROMIUM, os.X_OK):
        print(f"browse_site: {CHROMIUM} is missing, the site was not opened in a browser")
        return 1 if os.environ.get("CI") == "true" else 0
    served = []
    handler = functools.partial(RecordingHandler, directory=folder, served=served)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}/"
    problems = []
    try:
        with tempfile.TemporaryDirectory(prefix="browse-site-shots-") as shots:
            opened, waiting = [], list(reversed(pages))
            while waiting:
                page = waiting.pop()
                if page in opened:
                    continue
                shot = screenshot if not opened else os.path.join(shots, f"{len(opened)}.png")
                opened.append(page)
                problems += check_page(folder, page, base, served, shot)
                waiting += [target for target in linked_pages(folder, page) if os.path.isfile(os.path.join(folder, target))]
    finally:
        server.shutdown()
    return report(problems, f"{len(opened)} pages opened in Chromium, screenshot of {pages[0]} in {screenshot}")


if __name__ == "__main__":
    sys.exit(main())
