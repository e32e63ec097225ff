#!/bin/sh
# Turns docs/user-guide.md into one self-contained HTML file (styles inline,
# pictures as data: addresses), shipped beside the exe as hourwright-guide.html.
# Uses the Debian python3-markdown package (hence /usr/bin/python3).
# Raw HTML anchors in the text (<a id="export"></a>) pass through unchanged, so
# help can open the guide at a section: hourwright-guide.html#export.
# Usage: build-guide.sh OUT.html [GUIDE.md]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:?usage: build-guide.sh OUT.html [GUIDE.md]}"
guide="${2:-$root/docs/user-guide.md}"
version=$(head -n 1 "$root/VERSION")
/usr/bin/python3 - "$guide" "$out" "$version" <<'PY'
import base64, html, mimetypes, os, re, sys
import markdown

guide, out, version = sys.argv[1:4]
folder = os.path.dirname(os.path.abspath(guide))
with open(guide, encoding="utf-8") as f:
    text = f.read()
body = markdown.markdown(text, extensions=["extra", "sane_lists"], output_format="html")

def inline(match):
    src = match.group(2)
    if re.match(r"^[a-z]+:", src):
        return match.group(0)
    path = os.path.join(folder, html.unescape(src))
    if not os.path.isfile(path):
        sys.exit("build-guide: picture not found: " + path)
    kind = mimetypes.guess_type(path)[0] or "application/octet-stream"
    with open(path, "rb") as f:
        data = base64.b64encode(f.read()).decode("ascii")
    return match.group(1) + "data:" + kind + ";base64," + data + match.group(3)

body = re.sub(r'(<img\b[^>]*?\bsrc=")([^"]+)(")', inline, body)
title = "Hourwright " + version + " User Guide"
first = re.search(r"<h1[^>]*>(.*?)</h1>", body, re.S)
if first:
    title = re.sub(r"<[^>]+>", "", first.group(1)).strip() + " (Hourwright " + version + ")"
style = """
body { font-family: Segoe UI, Tahoma, Arial, sans-serif; max-width: 46em; margin: 2em auto;
       padding: 0 1em; line-height: 1.5; color: #222; }
h1, h2, h3 { line-height: 1.2; } h2 { border-bottom: 1px solid #ccc; padding-bottom: .2em; }
code, kbd { font-family: Consolas, monospace; background: #f2f2f2; padding: 0 .2em; }
img { max-width: 100%; } table { border-collapse: collapse; }
td, th { border: 1px solid #ccc; padding: .2em .5em; text-align: left; }
"""
page = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>" + html.escape(title) + "</title>\n<style>" + style + "</style>\n</head>\n"
        "<body>\n" + body + "\n</body>\n</html>\n")
with open(out, "w", encoding="utf-8", newline="\r\n") as f:
    f.write(page)
PY
echo "guide: $out"
