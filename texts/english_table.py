#!/usr/bin/env python3
"""Writes the English translations of one context of a Qt catalogue (.ts) as C++ table rows:
{"German source", "English"}, one a line, in the order of the catalogue. A message without
a finished translation keeps its source text."""
import sys
import xml.etree.ElementTree as ElementTree


def literal(text):
    out = []
    for byte in text.encode("utf-8"):
        if byte in (0x22, 0x5C) or byte < 0x20 or byte >= 0x7F:
            out.append("\\x%02X\"\"" % byte)
        else:
            out.append(chr(byte))
    return '"' + "".join(out) + '"'


def main(catalogue, context, output):
    rows = []
    for element in ElementTree.parse(catalogue).getroot().iter("context"):
        if element.findtext("name") != context:
            continue
        for message in element.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            english = translation.text if translation is not None and translation.text else ""
            if translation is not None and translation.get("type") in ("unfinished", "obsolete", "vanished"):
                english = ""
            rows.append("{%s, %s}," % (literal(source), literal(english or source)))
    text = "\n".join(rows) + "\n"
    try:
        with open(output, encoding="utf-8") as old:
            if old.read() == text:
                return
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as new:
        new.write(text)


if __name__ == "__main__":
    main(*sys.argv[1:4])
