#!/usr/bin/python3
"""Writes search-index.js for the help pages in a folder: every page's title and plain text,
for the search page's script. Run on the installed copy of docs/help:
    make_help_index.py FOLDER
"""
import html.parser
import json
import pathlib
import re
import sys


class PageText(html.parser.HTMLParser):
    """Collects a page's title and the text of its <main> element."""

    def __init__(self):
        super().__init__()
        self.title = ""
        self.parts = []
        self._in_title = False
        self._main_depth = 0
        self._skip = 0

    def handle_starttag(self, tag, attrs):
        if tag == "title":
            self._in_title = True
        elif tag == "main":
            self._main_depth += 1
        elif tag in ("script", "style"):
            self._skip += 1

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False
        elif tag == "main":
            self._main_depth -= 1
        elif tag in ("script", "style"):
            self._skip -= 1

    def handle_data(self, data):
        if self._in_title:
            self.title += data
        elif self._main_depth > 0 and self._skip == 0:
            self.parts.append(data)


def page_entry(path):
    parser = PageText()
    parser.feed(path.read_text(encoding="utf-8"))
    title = parser.title.replace(" - Quorvane Help", "").strip()
    text = re.sub(r"\s+", " ", " ".join(parser.parts)).strip()
    return {"url": path.name, "title": title, "text": text}


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_help_index.py FOLDER")
    folder = pathlib.Path(sys.argv[1])
    pages = [page_entry(p) for p in sorted(folder.glob("*.html")) if p.name != "search.html"]
    if not pages:
        sys.exit(f"make_help_index.py: no pages in {folder}")
    index = "// Written by tools/help/make_help_index.py; do not edit.\nvar HelpPages = "
    index += json.dumps(pages, ensure_ascii=False, indent=0) + ";\n"
    (folder / "search-index.js").write_text(index, encoding="utf-8")
    print(f"make_help_index.py: {len(pages)} pages")


if __name__ == "__main__":
    main()
