"""The window title of gearmesh as the window system sees it.

The title is Japanese; a window manager reads it from _NET_WM_NAME (UTF-8) and
older ones from WM_NAME (compound text). Both must decode to exactly the
title's characters, including the ideographic space after the first phrase and
the full-width comma and colon between the key groups. xprop, running in a UTF-8
locale, does the decoding a desktop would do.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness

# Written with escapes where a look-alike ASCII character would pass unnoticed.
IDEOGRAPHIC_SPACE = "\u3000"
FULLWIDTH_COMMA = "\uff0c"
FULLWIDTH_COLON = "\uff1a"
TITLE = ("転位歯車のかみ合い" + IDEOGRAPHIC_SPACE
         + "z:歯数変更" + FULLWIDTH_COMMA
         + "x:転位係数変更" + FULLWIDTH_COMMA
         + "1,2,3,4" + FULLWIDTH_COLON + "描画歯車選択" + FULLWIDTH_COMMA
         + "w,W:縮小拡大" + FULLWIDTH_COMMA
         + "r,R:正逆回転" + FULLWIDTH_COMMA
         + "s:かみ合い継続")


def parse_xprop(text):
    """{property: (type, value)} from xprop's 'NAME(TYPE) = "value"' lines."""
    out = {}
    for line in text.splitlines():
        if " = " not in line or "(" not in line.split(" = ", 1)[0]:
            continue
        head, value = line.split(" = ", 1)
        name, kind = head.split("(", 1)
        value = value.strip()
        if value.startswith('"') and value.endswith('"'):
            value = value[1:-1].replace('\\"', '"').replace("\\\\", "\\")
        out[name.strip()] = (kind.rstrip(")"), value)
    return out


def body(checks, binary):
    with harness.Session(binary, (10, 30), (0.5, 0.0), name="title") as s:
        env = dict(s.env, LC_ALL="C.UTF-8", LANG="C.UTF-8")
        proc = harness.run_tool(["xprop", "-id", str(s.window), "_NET_WM_NAME", "WM_NAME"], env)
        text = proc.stdout.decode("utf-8", errors="replace")
        print("     xprop says:")
        for line in text.splitlines():
            print("       " + line)
        props = parse_xprop(text)
        for name, kind in (("_NET_WM_NAME", "UTF8_STRING"), ("WM_NAME", None)):
            got = props.get(name)
            checks.check(got is not None and (kind is None or got[0] == kind),
                         "%s is set%s" % (name, "" if kind is None else " as " + kind),
                         repr(got))
            value = got[1] if got else None
            detail = "" if value == TITLE else "got %r" % (value[:80] if value else value)
            if value and value != TITLE:
                wrong = [i for i, (a, b) in enumerate(zip(value, TITLE)) if a != b]
                detail += "; first difference at character %s" % (wrong[:1] or len(TITLE))
            checks.check(value == TITLE, "%s decodes to the Japanese title" % name, detail)


if __name__ == "__main__":
    harness.main("title", body, time_limit=60)
