#!/usr/bin/env python3
"""Reads every page of a generated web site with Python's HTML parser, as a browser would, and
checks that each local link, picture and background names a file of the site. Pages given on the
command line must exist and be reached from the index. Exit status 1 names what is wrong."""
import html.parser
import os
import sys
import urllib.parse

LINK_ATTRIBUTES = {"href", "src", "background"}


class PageLinks(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.tags = set()

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        for name, value in attrs:
            if name in LINK_ATTRIBUTES and value is not None:
                self.links.append(value)


def read_page(path):
    parser = PageLinks()
    with open(path, "rb") as page:
        # No charset is declared: the links are ASCII, the text in the page's code page.
        parser.feed(page.read().decode("latin-1"))
    parser.close()
    return parser


def report(problems, summary):
    """Prints what is wrong and what was checked; the exit status for the problems."""
    for problem in problems:
        print(problem)
    print(summary)
    return 1 if problems else 0


def main():
    folder, index = sys.argv[1], sys.argv[2]
    problems, checked, reached, waiting = [], 0, set(), [index]
    while waiting:
        name = waiting.pop()
        if name in reached:
            continue
        reached.add(name)
        parser = read_page(os.path.join(folder, name))
        for tag in ("html", "head", "title", "body"):
            if tag not in parser.tags:
                problems.append(f"{name}: no <{tag}>")
        for link in parser.links:
            if link.startswith("http://") or link.startswith("https://"):
                continue
            target = urllib.parse.unquote(link, encoding="utf-8", errors="strict")
            checked += 1
            if "/" in target or not os.path.isfile(os.path.join(folder, target)):
                problems.append(f"{name}: {link} names no file of the site")
            elif target.lower().endswith(".htm"):
                waiting.append(target)
    for expected in sys.argv[3:]:
        if expected not in reached:
            problems.append(f"{expected} is not reached from {index}")
    return report(problems, f"{checked} links in {len(reached)} pages")


if __name__ == "__main__":
    sys.exit(main())
