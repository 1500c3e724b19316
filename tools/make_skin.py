#!/usr/bin/env python3
"""Draws the Korvel skin and packs it as the skin archive res.adat.

res.adat is a zip that holds one entry, the stream "QorSkin"; that stream is itself a zip
of the skin images (PNG) and the skin description skin.xml, which names every image,
colour, font, string and control style the program asks the skin library for.

    make_skin.py --out res.adat [--testdata DIR]

--testdata also writes small images that the stand-in tests decode (a PNG and an
animated GIF). Only the standard library is used, so the build needs nothing but python3.
"""
import argparse
import io
import math
import os
import struct
import zipfile
import zlib

# Fixed time stamp for every zip entry, so that two builds give the same bytes.
ZIP_TIME = (2017, 5, 31, 15, 9, 10)


# ---------------------------------------------------------------------------- canvas
class Canvas:
    """An RGBA picture with a few drawing operations; colours are (r, g, b, a)."""

    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(fill) for _ in range(w * h)]

    def blend(self, x, y, c, cover=1.0):
        if not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = c[3] / 255.0 * cover
        if a <= 0:
            return
        d = self.px[y * self.w + x]
        da = d[3] / 255.0
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i in range(3):
            d[i] = int(round((c[i] * a + d[i] * da * (1 - a)) / oa))
        d[3] = int(round(oa * 255))

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, c)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / span
            c = tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(4))
            for x in range(x0, x1):
                self.blend(x, y, c)

    def round_rect(self, x0, y0, x1, y1, r, c, outline=None):
        """Filled rounded rectangle with anti-aliased corners, optional 1-pixel outline."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                cov = _round_cover(x + 0.5, y + 0.5, x0, y0, x1, y1, r)
                if cov <= 0:
                    continue
                colour = c(x, y) if callable(c) else c
                self.blend(x, y, colour, cov)
                if outline is not None:
                    inner = _round_cover(x + 0.5, y + 0.5, x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(0, r - 1))
                    if inner < 1:
                        self.blend(x, y, outline, cov * (1 - inner))

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r - 1), int(cy + r + 2)):
            for x in range(int(cx - r - 1), int(cx + r + 2)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                cov = max(0.0, min(1.0, r - d + 0.5))
                self.blend(x, y, c, cov)

    def line(self, x0, y0, x1, y1, c, width=1.0):
        length = math.hypot(x1 - x0, y1 - y0) or 1
        for y in range(int(min(y0, y1) - width - 1), int(max(y0, y1) + width + 2)):
            for x in range(int(min(x0, x1) - width - 1), int(max(x0, x1) + width + 2)):
                px, py = x + 0.5, y + 0.5
                t = max(0, min(1, ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / (length * length)))
                d = math.hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)))
                cov = max(0.0, min(1.0, width / 2 - d + 0.5))
                self.blend(x, y, c, cov)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                p = other.px[y * other.w + x]
                self.blend(ox + x, oy + y, p)

    def png(self):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                raw.extend(bytes(self.px[y * self.w + x]))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        ihdr = struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def _round_cover(px, py, x0, y0, x1, y1, r):
    if px < x0 or px > x1 or py < y0 or py > y1:
        return 0.0
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    d = math.hypot(px - cx, py - cy)
    if r <= 0:
        return 1.0
    return max(0.0, min(1.0, r - d + 0.5))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


def shade(c, f):
    """Lighter (f > 0) or darker (f < 0) version of a colour."""
    if f >= 0:
        return mix(c, (255, 255, 255, c[3]), f)
    return mix(c, (0, 0, 0, c[3]), -f)


# ---------------------------------------------------------------------------- skin pictures
BLUE = (41, 110, 190, 255)
GREY = (160, 166, 175, 255)
WHITE = (255, 255, 255, 255)


def states(w, h, draw):
    """A horizontal strip of four button states: normal, hot, pushed, disabled."""
    strip = Canvas(w * 4, h)
    for i, state in enumerate(("normal", "hot", "pushed", "disabled")):
        cell = Canvas(w, h)
        draw(cell, state)
        strip.paste(cell, i * w, 0)
    return strip


def button_face(base, radius=4):
    def draw(c, state):
        col = {"normal": base, "hot": shade(base, 0.25), "pushed": shade(base, -0.2),
               "disabled": mix(base, GREY, 0.8)}[state]
        top, bottom = shade(col, 0.35), col
        c.round_rect(0, 0, c.w, c.h, radius, lambda x, y: mix(top, bottom, y / max(1, c.h - 1)),
                     outline=shade(col, -0.35))
    return draw


def dialog_background():
    c = Canvas(64, 64)
    c.vgradient(0, 0, 64, 64, (226, 238, 250, 255), (200, 222, 244, 255))
    for k in range(-64, 64, 8):      # faint diagonal weave so tiling shows
        c.line(k, 0, k + 64, 64, (255, 255, 255, 40), 1.0)
    return c


def popup_caption():
    c = Canvas(40, 24)
    c.round_rect(0, 0, 40, 30, 5, lambda x, y: mix((84, 150, 222, 255), (41, 104, 180, 255), y / 23.0))
    c.rect(0, 23, 40, 24, (30, 80, 150, 255))
    return c


def wait_animation(frames=8, size=32):
    strip = Canvas(size * frames, size)
    for f in range(frames):
        for k in range(8):
            angle = 2 * math.pi * k / 8
            lit = (k - f) % 8
            alpha = int(255 * (1.0 - lit / 9.0))
            strip.disc(f * size + size / 2 + math.cos(angle) * size * 0.34,
                       size / 2 + math.sin(angle) * size * 0.34, size * 0.09,
                       (41, 110, 190, alpha))
    return strip


def status_icons():
    colours = [(60, 180, 75, 255), (240, 180, 30, 255), (210, 50, 50, 255),
               (150, 150, 150, 255), (140, 80, 200, 255), (40, 120, 220, 255)]
    c = Canvas(11 * len(colours), 11)
    for i, col in enumerate(colours):
        c.disc(i * 11 + 5.5, 5.5, 4.6, shade(col, -0.3))
        c.disc(i * 11 + 5.5, 5.5, 3.8, col)
        c.disc(i * 11 + 4.3, 4.2, 1.3, (255, 255, 255, 150))
    return c


def view_icons():
    c = Canvas(60, 20)
    ink = (70, 80, 100, 255)
    for y in (5, 10, 15):                       # list
        c.rect(3, y - 1, 17, y + 1, ink)
    for gx in (0, 1):                           # tiles
        for gy in (0, 1):
            c.rect(23 + gx * 8, 3 + gy * 8, 29 + gx * 8, 9 + gy * 8, ink)
    for y in (4, 9, 14):                        # details
        c.rect(43, y, 46, y + 3, ink)
        c.rect(48, y + 1, 57, y + 2, ink)
    return c


def rounded_panel(w, h, fill, border, r=4):
    c = Canvas(w, h)
    c.round_rect(0, 0, w, h, r, fill, outline=border)
    return c


def check_marks(radio):
    """Eight 16x16 cells: normal, hot, pushed, disabled unchecked, then the same checked."""
    c = Canvas(16 * 8, 16)
    for i in range(8):
        checked, state = i >= 4, i % 4
        frame = [(110, 130, 160, 255), BLUE, shade(BLUE, -0.3), GREY][state]
        fill = [(255, 255, 255, 255), (235, 244, 255, 255), (215, 230, 250, 255), (240, 240, 240, 255)][state]
        ox = i * 16
        if radio:
            c.disc(ox + 8, 8, 6.8, frame)
            c.disc(ox + 8, 8, 5.8, fill)
            if checked:
                c.disc(ox + 8, 8, 3.0, frame)
        else:
            cell = Canvas(16, 16)
            cell.round_rect(1, 1, 15, 15, 2, fill, outline=frame)
            if checked:
                cell.line(4, 8, 7, 11, frame, 2.0)
                cell.line(7, 11, 12, 4.5, frame, 2.0)
            c.paste(cell, ox, 0)
    return c


def logo():
    c = Canvas(160, 40)
    c.round_rect(4, 4, 40, 30, 8, BLUE)
    c.line(12, 29, 8, 37, BLUE, 4.0)
    for k in range(3):
        c.disc(14 + k * 8, 17, 2.4, WHITE)
    for i in range(5):                          # a word-like row of bars beside the bubble
        c.round_rect(48 + i * 21, 12, 66 + i * 21, 24, 3, shade(BLUE, 0.1 * i))
    return c


def warning_icon():
    c = Canvas(16, 16)
    for y in range(1, 15):
        half = (y - 1) * 7.0 / 13.0
        for x in range(16):
            d = abs(x + 0.5 - 8) - half
            c.blend(x, y, (235, 170, 20, 255), max(0.0, min(1.0, 0.5 - d)))
    c.rect(7, 5, 9, 10, (60, 40, 0, 255))
    c.rect(7, 11, 9, 13, (60, 40, 0, 255))
    return c


def toolbar_icons():
    c = Canvas(80, 20)
    ink = (60, 80, 120, 255)
    c.line(3, 3, 17, 17, (200, 50, 50, 255), 2.5)          # delete
    c.line(17, 3, 3, 17, (200, 50, 50, 255), 2.5)
    c.rect(23, 12, 37, 17, ink)                              # export: tray and arrow
    c.line(30, 2, 30, 12, (40, 140, 60, 255), 2.5)
    c.line(26, 8, 30, 12, (40, 140, 60, 255), 2.5)
    c.line(34, 8, 30, 12, (40, 140, 60, 255), 2.5)
    for k in range(28):                                      # refresh: open circle
        a = 0.4 + k * 0.2
        c.disc(50 + math.cos(a) * 6, 10 + math.sin(a) * 6, 1.2, ink)
    c.line(56, 3, 56, 8, ink, 2.0)
    c.disc(67, 8, 5.2, ink)                                  # search: lens and handle
    c.line(71, 12, 77, 18, ink, 2.5)
    return c


def clear_centre(c, cx, cy, r):
    """Cuts a transparent hole (used for the search lens)."""
    for y in range(c.h):
        for x in range(c.w):
            if math.hypot(x + 0.5 - cx, y + 0.5 - cy) < r:
                c.px[y * c.w + x] = [0, 0, 0, 0]


def skin_files():
    files = {}
    files["dlg_bk.png"] = dialog_background()
    files["popup_caption.png"] = popup_caption()
    files["anim_wait.png"] = wait_animation()
    files["status_icons.png"] = status_icons()
    files["view_icons.png"] = view_icons()
    files["label_send_dlg.png"] = rounded_panel(16, 16, (246, 249, 253, 255), (170, 190, 215, 255))
    files["button_login.png"] = states(90, 30, button_face(BLUE))
    files["button_dialog.png"] = states(72, 24, button_face((214, 222, 232, 255)))
    files["button_small.png"] = states(24, 24, button_face((200, 214, 232, 255)))
    files["button_status.png"] = states(60, 22, button_face((206, 222, 242, 255), 3))
    files["button_tab.png"] = states(80, 28, button_face((188, 208, 234, 255), 3))
    files["button_viewlist.png"] = states(30, 24, button_face((206, 222, 242, 255), 3))
    files["checkbox.png"] = check_marks(radio=False)
    files["radio.png"] = check_marks(radio=True)
    files["logo_top.png"] = logo()
    files["login_err.png"] = warning_icon()
    files["split_line.png"] = rounded_panel(4, 2, (190, 200, 215, 255), None, 0)
    files["edit_normal.png"] = rounded_panel(16, 16, (255, 255, 255, 255), (160, 180, 205, 255), 3)
    tb = toolbar_icons()
    clear_centre(tb, 67, 8, 3.4)
    files["toolbar_icons.png"] = tb
    return {name: canvas.png() for name, canvas in files.items()}


def four_states(image, w, h, corner=None):
    """The normal/hot/pushed/disabled attributes of a style over a strip of four cells."""
    extra = " corner='%s'" % corner if corner else ""
    names = ("normal", "hot", "pushed", "disabled")
    return " ".join("%s=\"file='%s' source='%d,0,%d,%d'%s\"" % (n, image, i * w, (i + 1) * w, h, extra)
                    for i, n in enumerate(names))


def check_states(image):
    names = ("normal", "hot", "pushed", "disabled",
             "selectednormal", "selectedhot", "selectedpushed", "selecteddisabled")
    return " ".join("%s=\"file='%s' source='%d,0,%d,16'\"" % (n, image, i * 16, (i + 1) * 16)
                    for i, n in enumerate(names))


def skin_xml():
    text_colour = 'textcolor="#FF404A5C"'
    lines = [
        '<?xml version="1.0" encoding="utf-8"?>',
        '<Skin name="Korvel" version="1">',
        '  <Font name="f.default" face="Tahoma" size="12" default="true"/>',
        '  <Font name="f.user.name" face="Tahoma" size="13" bold="true"/>',
        '  <Color name="c.font.normal" value="#FF404A5C"/>',
        '  <Color name="c.font.link" value="#FF0000FF"/>',
        '  <Image name="i.dlg.bk.picture" file="dlg_bk.png"/>',
        '  <Image name="i.popup.caption" file="popup_caption.png"/>',
        '  <Image name="i.animation.wait" file="anim_wait.png" frames="8"/>',
        '  <Image name="i.button.main.dlg.status.icons" file="status_icons.png" frames="6"/>',
        '  <Image name="i.button.msg.manager.view.icons" file="view_icons.png" frames="3"/>',
        '  <Image name="i.lable.send.dlg" file="label_send_dlg.png"/>',
        '  <Image name="i.button.login" file="button_login.png" frames="4"/>',
        '  <Image name="i.button.dialog" file="button_dialog.png" frames="4"/>',
        '  <Image name="i.button.small" file="button_small.png" frames="4"/>',
        '  <Image name="i.button.status" file="button_status.png" frames="4"/>',
        '  <Image name="i.button.tab" file="button_tab.png" frames="4"/>',
        '  <Image name="i.button.viewlist" file="button_viewlist.png" frames="4"/>',
        '  <Image name="i.checkbox" file="checkbox.png" frames="8"/>',
        '  <Image name="i.radio" file="radio.png" frames="8"/>',
        '  <Image name="i.logo.top" file="logo_top.png"/>',
        '  <Image name="i.login.err" file="login_err.png"/>',
        '  <Image name="i.split.line" file="split_line.png"/>',
        '  <Image name="i.edit.normal" file="edit_normal.png"/>',
        '  <Image name="i.toolbar.icons" file="toolbar_icons.png" frames="4"/>',
        "  <String name=\"xPopupCaption\" value=\"file='i.popup.caption' corner='5,5,5,2'\"/>",
        '  <Style name="xButtonLogin" %s %s/>' % (four_states("i.button.login", 90, 30, "4,4,4,4"),
                                                 'textcolor="#FFFFFFFF"'),
        '  <Style name="xButtonSetDlg" %s %s/>' % (four_states("i.button.dialog", 72, 24, "4,4,4,4"), text_colour),
        '  <Style name="xButtonSettings" %s %s/>' % (four_states("i.button.small", 24, 24, "4,4,4,4"), text_colour),
        '  <Style name="xButtonSwitch" %s %s/>' % (four_states("i.button.small", 24, 24, "4,4,4,4"), text_colour),
    ]
    for name in ("xButtonFirstPage", "xButtonPrePage", "xButtonNextPage", "xButtonLastPage"):
        lines.append('  <Style name="%s" %s %s/>' % (name, four_states("i.button.small", 24, 24, "4,4,4,4"),
                                                     text_colour))
    lines += [
        '  <Style name="xCheckBox" %s %s/>' % (check_states("i.checkbox"), text_colour),
        '  <Style name="xRadioButton" %s %s/>' % (check_states("i.radio"), text_colour),
        "  <Style name=\"xLabelLogoTopLoginDlg\" bkimage=\"file='i.logo.top'\"/>",
        "  <Style name=\"xLabelLoginErr\" bkimage=\"file='i.login.err'\" textcolor=\"#FFD03030\"/>",
        "  <Style name=\"xLabelSplitLine\" bkimage=\"file='i.split.line'\"/>",
        "  <Style name=\"xNormalEdit\" bkimage=\"file='i.edit.normal' corner='3,3,3,3'\" %s/>" % text_colour,
        '  <Style name="xMainDlgStatusButton" %s %s/>' % (four_states("i.button.status", 60, 22, "3,3,3,3"),
                                                         text_colour),
        '  <Style name="xMsgManageLocal" %s %s/>' % (four_states("i.button.tab", 80, 28, "3,3,3,3"), text_colour),
        '  <Style name="xMsgManageRoam" %s %s/>' % (four_states("i.button.tab", 80, 28, "3,3,3,3"), text_colour),
        '  <Style name="xMsgManageViewListButton" %s %s/>' % (four_states("i.button.viewlist", 30, 24, "3,3,3,3"),
                                                             text_colour),
    ]
    for i, name in enumerate(("xToolbarDelete", "xToolbarExport", "xToolbarRefresh", "xToolbarSearchMsg")):
        lines.append("  <Style name=\"%s\" icon=\"file='i.toolbar.icons' source='%d,0,%d,20'\" %s/>"
                     % (name, i * 20, (i + 1) * 20, text_colour))
    lines.append('</Skin>')
    return ("\n".join(lines) + "\n").encode("utf-8")


def zip_bytes(entries):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        for name in sorted(entries):
            info = zipfile.ZipInfo(name, ZIP_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            z.writestr(info, entries[name])
    return buf.getvalue()


def skin_archive():
    inner = skin_files()
    inner["skin.xml"] = skin_xml()
    return zip_bytes({"QorSkin": zip_bytes(inner)})


# ---------------------------------------------------------------------------- test images
def gif_bytes(width, height, palette, frames, delay_cs=10):
    """An animated GIF with a global palette; each frame is a list of palette indices.

    The image data is written with literal LZW codes only and a clear code before the
    table would widen the code size, which every decoder reads and which keeps this short.
    """
    out = bytearray(b"GIF89a")
    size_bits = max(1, (len(palette) - 1).bit_length())
    out += struct.pack("<HHBBB", width, height, 0x80 | (size_bits - 1), 0, 0)
    for i in range(1 << size_bits):
        out += bytes(palette[i] if i < len(palette) else (0, 0, 0))
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"         # loop forever
    for pixels in frames:
        out += b"\x21\xF9\x04\x04" + struct.pack("<H", delay_cs) + b"\x00\x00"
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
        min_size = 8
        clear, eoi, bits = 1 << min_size, (1 << min_size) + 1, min_size + 1
        codes = []
        for k, p in enumerate(pixels):
            if k % 250 == 0:
                codes.append(clear)
            codes.append(p)
        codes.append(eoi)
        acc = nacc = 0
        data = bytearray()
        for code in codes:
            acc |= code << nacc
            nacc += bits
            while nacc >= 8:
                data.append(acc & 0xFF)
                acc >>= 8
                nacc -= 8
        if nacc:
            data.append(acc & 0xFF)
        out.append(min_size)
        for k in range(0, len(data), 255):
            block = data[k:k + 255]
            out.append(len(block))
            out += block
        out.append(0)
    out.append(0x3B)
    return bytes(out)


def write_testdata(folder):
    os.makedirs(folder, exist_ok=True)
    palette = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
    w, h = 20, 12
    frames = [[k] * (w * h) for k in range(3)]
    with open(os.path.join(folder, "frames3.gif"), "wb") as f:
        f.write(gif_bytes(w, h, palette, frames))
    pic = Canvas(24, 16, (0, 0, 255, 255))
    pic.rect(0, 0, 12, 16, (255, 0, 0, 255))
    with open(os.path.join(folder, "halves.png"), "wb") as f:
        f.write(pic.png())


def write_if_changed(path, data):
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True, help="path of the res.adat to write")
    ap.add_argument("--testdata", help="folder for the stand-in tests' images")
    args = ap.parse_args()
    write_if_changed(args.out, skin_archive())
    if args.testdata:
        write_testdata(args.testdata)


if __name__ == "__main__":
    main()
