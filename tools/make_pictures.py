#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws every picture of Tovelo2: the main-window background, the strip,
the records-window wallpaper, the program icon in all its sizes (PNG and
ICO) and the sample wallpapers in samples/Img.

Everything is made procedurally from gradients, fractal noise and simple
anti-aliased shapes, with fixed random seeds, so each run gives the same
pictures.  Needs numpy, ImageMagick's convert and libjpeg's cjpeg.

    /usr/bin/python3 tools/make_pictures.py            # everything
    /usr/bin/python3 tools/make_pictures.py icon sky   # only some parts
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile

import numpy as np

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURES = os.path.join(ROOT, "resources", "pictures")
ICONS = os.path.join(ROOT, "resources", "icons")
WALLPAPERS = os.path.join(ROOT, "samples", "Img")

CONVERT = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else "convert"
CJPEG = "/usr/bin/cjpeg" if os.path.exists("/usr/bin/cjpeg") else (shutil.which("cjpeg") or "cjpeg")

F32 = np.float32


# ---------------------------------------------------------------- basics

def hexc(s):
    s = s.lstrip("#")
    return np.array([int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4)], F32)


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def coverage(d, aa=1.0):
    """Anti-aliased coverage of a shape given its signed distance in pixels."""
    return np.clip(0.5 - d / aa, 0.0, 1.0)


def grid(h, w):
    yy, xx = np.mgrid[0:h, 0:w].astype(F32)
    return yy + 0.5, xx + 0.5


def gradient(t, stops):
    """Maps t (any shape) through colour stops [(pos, '#rrggbb'), ...]."""
    pos = np.array([p for p, _ in stops], F32)
    cols = np.array([hexc(c) for _, c in stops], F32)
    out = np.empty(np.shape(t) + (3,), F32)
    for c in range(3):
        out[..., c] = np.interp(t, pos, cols[:, c])
    return out


def mix(img, col, m):
    """Blends colour col (3-vector or image) into img with alpha m, in place."""
    if m.ndim == img.ndim - 1:
        m = m[..., None]
    img += (col - img) * m
    return img


def screen(img, col, m):
    if m.ndim == img.ndim - 1:
        m = m[..., None]
    img[...] = 1.0 - (1.0 - img) * (1.0 - col * m)
    return img


def fractal_noise(h, w, rng, slope=1.0, scale=300.0, sx=1.0, sy=1.0, fine=0.0):
    """Isotropic (or stretched) fractal noise made by shaping white noise in
    the frequency domain: amplitude ~ 1/f^slope, features above `scale`
    pixels are damped, `fine` (pixels) blurs away the smallest detail.
    sx > 1 stretches the features horizontally, sy > 1 vertically.
    Returns zero mean, unit deviation."""
    white = rng.standard_normal((h, w))
    coeffs = np.fft.rfft2(white)
    fy = np.fft.fftfreq(h)[:, None] * sy
    fx = np.fft.rfftfreq(w)[None, :] * sx
    f2 = fx * fx + fy * fy
    f0 = 1.0 / scale
    amp = (f2 + f0 * f0) ** (-slope / 2.0)
    if fine > 0:
        amp = amp * np.exp(-f2 * (fine * np.pi) ** 2)
    amp[0, 0] = 0.0
    n = np.fft.irfft2(coeffs * amp, s=(h, w))
    n = (n - n.mean()) / (n.std() + 1e-12)
    return n.astype(F32)


def noise_1d(n, rng, slope=1.2, scale=400.0, fine=0.0):
    white = rng.standard_normal(n)
    coeffs = np.fft.rfft(white)
    f = np.fft.rfftfreq(n)
    amp = (f * f + (1.0 / scale) ** 2) ** (-slope / 2.0)
    if fine > 0:
        amp = amp * np.exp(-(f * fine * np.pi) ** 2)
    amp[0] = 0.0
    v = np.fft.irfft(coeffs * amp, n=n)
    return ((v - v.mean()) / (v.std() + 1e-12)).astype(F32)


def blur(img, sigma):
    """Gaussian blur through the FFT (wraps around the borders)."""
    h, w = img.shape[:2]
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.rfftfreq(w)[None, :]
    g = np.exp(-2.0 * (np.pi * sigma) ** 2 * (fx * fx + fy * fy))
    if img.ndim == 2:
        return np.fft.irfft2(np.fft.rfft2(img) * g, s=(h, w)).astype(F32)
    out = np.empty_like(img)
    for c in range(img.shape[2]):
        out[..., c] = np.fft.irfft2(np.fft.rfft2(img[..., c]) * g, s=(h, w))
    return out


def add_grain(img, rng, luma=0.008, chroma=0.003, size=0.0):
    """Fine film-like grain, mostly in brightness."""
    h, w = img.shape[:2]
    g = rng.standard_normal((h, w), dtype=F32)
    if size > 0:
        g = blur(g, size)
        g /= g.std() + 1e-9
    img += (g * luma)[..., None]
    if chroma > 0:
        img += rng.standard_normal((h, w, 3), dtype=F32) * chroma
    return img


def stamp(img, cx, cy, r, shader):
    """Runs shader(dx, dy) on the pixels within r of (cx, cy); it returns
    (alpha, colour) and the result is blended into img."""
    h, w = img.shape[:2]
    x0, x1 = max(0, int(np.floor(cx - r))), min(w, int(np.ceil(cx + r)) + 1)
    y0, y1 = max(0, int(np.floor(cy - r))), min(h, int(np.ceil(cy + r)) + 1)
    if x0 >= x1 or y0 >= y1:
        return
    yy, xx = np.mgrid[y0:y1, x0:x1].astype(F32)
    res = shader(xx + 0.5 - cx, yy + 0.5 - cy)
    if res is None:
        return
    a, col = res
    mix(img[y0:y1, x0:x1], col, np.asarray(a, F32))


def rotate(dx, dy, ang):
    c, s = np.cos(ang), np.sin(ang)
    return dx * c + dy * s, -dx * s + dy * c


def sd_round_box(px, py, bx, by, r):
    qx = np.abs(px) - bx + r
    qy = np.abs(py) - by + r
    out = np.sqrt(np.maximum(qx, 0) ** 2 + np.maximum(qy, 0) ** 2)
    return out + np.minimum(np.maximum(qx, qy), 0) - r


def sd_star5(px, py, r, rf):
    """Signed distance to a five-pointed star pointing up (image y grows down)."""
    py = -py
    k1x, k1y = 0.809016994375, -0.587785252292
    k2x, k2y = -k1x, k1y
    px = np.abs(px)
    d = np.maximum(k1x * px + k1y * py, 0)
    px, py = px - 2 * d * k1x, py - 2 * d * k1y
    d = np.maximum(k2x * px + k2y * py, 0)
    px, py = px - 2 * d * k2x, py - 2 * d * k2y
    px = np.abs(px)
    py = py - r
    bax, bay = rf * -k1y - 0.0, rf * k1x - 1.0
    hh = np.clip((px * bax + py * bay) / (bax * bax + bay * bay), 0.0, r)
    dist = np.sqrt((px - bax * hh) ** 2 + (py - bay * hh) ** 2)
    return dist * np.sign(py * bax - px * bay)


def sd_polygon_convex(px, py, pts):
    """Signed distance (exact enough for anti-aliasing) to a convex polygon
    whose points go clockwise on screen."""
    d = None
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        ln = np.hypot(ex, ey)
        nx, ny = ey / ln, -ex / ln      # outward normal for clockwise points
        e = (px - ax) * nx + (py - ay) * ny
        d = e if d is None else np.maximum(d, e)
    return d


def to_u8(img):
    return (np.clip(img, 0.0, 1.0) * 255.0 + 0.5).astype(np.uint8)


# ---------------------------------------------------------------- writers

def _tmp(suffix):
    fd, path = tempfile.mkstemp(suffix=suffix, prefix="tovelo2-pic-")
    os.close(fd)
    return path


def write_ppm(path, img8):
    h, w = img8.shape[:2]
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(np.ascontiguousarray(img8[..., :3]).tobytes())


def write_pam(path, rgba8):
    h, w = rgba8.shape[:2]
    with open(path, "wb") as f:
        f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (w, h))
        f.write(np.ascontiguousarray(rgba8).tobytes())


def save_jpeg(img, path, quality=85):
    """Baseline JPEG, 24-bit colour, 4:2:0, optimised Huffman tables."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    ppm = _tmp(".ppm")
    try:
        write_ppm(ppm, to_u8(img))
        subprocess.run([CJPEG, "-quality", str(quality), "-baseline", "-optimize",
                        "-outfile", path, ppm], check=True)
    finally:
        os.unlink(ppm)
    print("  %-40s %7d bytes" % (os.path.relpath(path, ROOT), os.path.getsize(path)))


PNG_CLEAN = ["-strip", "-define", "png:exclude-chunks=date,time"]


def save_png_rgb(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    ppm = _tmp(".ppm")
    try:
        write_ppm(ppm, to_u8(img))
        subprocess.run([CONVERT, ppm] + PNG_CLEAN + ["PNG24:" + path], check=True)
    finally:
        os.unlink(ppm)
    print("  %-40s %7d bytes" % (os.path.relpath(path, ROOT), os.path.getsize(path)))


def save_png_rgba(rgba8, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    pam = _tmp(".pam")
    try:
        write_pam(pam, rgba8)
        subprocess.run([CONVERT, pam] + PNG_CLEAN + ["PNG32:" + path], check=True)
    finally:
        os.unlink(pam)
    print("  %-40s %7d bytes" % (os.path.relpath(path, ROOT), os.path.getsize(path)))


# ---------------------------------------------------------------- shared scenery

def sky_gradient(h, w, top="#4a8fdc", mid="#8cc3f0", horizon="#d9eefb", hy=None):
    yy, xx = grid(h, w)
    hy = h if hy is None else hy
    t = np.clip(yy / hy, 0, 1)
    return gradient(t, [(0.0, top), (0.55, mid), (1.0, horizon)])


def sun_glow(img, cx, cy, radius, col="#fff3c4", strength=0.8, core=None):
    h, w = img.shape[:2]
    yy, xx = grid(h, w)
    d = np.hypot(xx - cx, yy - cy) / radius
    glow = strength * np.exp(-d * d * 1.5) + 0.25 * strength * np.exp(-d * 0.9)
    screen(img, hexc(col), np.clip(glow, 0, 1))
    if core:
        mix(img, hexc("#fffbe8"), coverage(np.hypot(xx - cx, yy - cy) - core, 2.5))


def cloud(img, rng, cx, cy, width, amount=1.0, sun=(-0.5, -1.0), shade="#c3d2e4"):
    """One fluffy cumulus: a heap of soft puffs with a flat bottom at cy,
    each puff lit from above, with a little fine texture."""
    h, w = img.shape[:2]
    half = width / 2.0
    rmax = width * 0.24
    x0, x1 = int(max(0, cx - half - rmax * 1.3)), int(min(w, cx + half + rmax * 1.3))
    y0, y1 = int(max(0, cy - rmax * 3.3)), int(min(h, cy + 16))
    if x0 >= x1 or y0 >= y1:
        return
    yy, xx = np.mgrid[y0:y1, x0:x1].astype(F32)
    yy += 0.5
    xx += 0.5
    col = np.zeros((y1 - y0, x1 - x0, 3), F32)     # premultiplied
    a = np.zeros((y1 - y0, x1 - x0), F32)
    puffs = []
    for _ in range(int(7 + width / 28)):
        px = cx + rng.uniform(-1, 1) * half * 0.92
        k = 1.0 - (abs(px - cx) / half) ** 2
        r = rmax * (0.35 + 0.65 * k) * rng.uniform(0.6, 1.0)
        py = cy - r * rng.uniform(0.35, 0.8) - rmax * 0.9 * k * rng.uniform(0.0, 1.0)
        puffs.append((py, px, r))
    puffs.sort()
    top_c, low_c = hexc("#ffffff"), hexc(shade)
    sl = np.hypot(*sun)
    lx, ly = sun[0] / sl, sun[1] / sl
    for py, px, r in puffs:
        dx, dy = (xx - px) / r, (yy - py) / r
        d = np.hypot(dx, dy)
        m = coverage((d - 1.0) * r, max(2.0, r * 0.06))
        # brightest where the surface faces the sun, greyer underneath
        nz = np.sqrt(np.clip(1.0 - d * d, 0, 1))
        lit = np.clip(0.55 + 0.45 * (dx * lx + dy * ly) + 0.25 * nz - 0.35 * np.clip(dy, 0, 1), 0, 1)
        pc = low_c + (top_c - low_c) * lit[..., None]
        col = col * (1 - m[..., None]) + pc * m[..., None]
        a = a * (1 - m) + m
    # flat, slightly greyer bottom
    base = smoothstep(cy - rmax * 0.6, cy, yy)[..., None] * 0.45
    col = col * (1 - base) + low_c * 0.97 * a[..., None] * base
    cut = 1.0 - smoothstep(cy - 9.0, cy + 9.0, yy)
    tex = 1.0 + 0.015 * rng.standard_normal(a.shape).astype(F32)
    col = col * (cut * tex * amount)[..., None]
    a = a * cut * amount
    region = img[y0:y1, x0:x1]
    region[...] = region * (1 - a[..., None]) + col


def add_clouds(img, rng, count, y_range, width_range, amount=1.0, **kw):
    h, w = img.shape[:2]
    for _ in range(count):
        cx = rng.uniform(-0.05, 1.05) * w
        cy = rng.uniform(*y_range) * h
        width = rng.uniform(*width_range)
        cloud(img, rng, cx, cy, width, amount=amount, **kw)


def hills_edge(w, rng, base, amp, scale=500.0, waves=(), fine=6.0):
    x = np.arange(w, dtype=F32) + 0.5
    e = base + amp * noise_1d(w, rng, slope=1.6, scale=scale, fine=fine)
    for a, per, ph in waves:
        e = e + a * np.sin(2 * np.pi * x / per + ph)
    return e


def paint_hill(img, edge, col, aa=1.2, tex=None):
    h, w = img.shape[:2]
    yy, _ = grid(h, w)
    m = coverage(edge[None, :] - yy, aa)
    mix(img, col, m)
    return m


def flower(petal_col, centre_col, size, petals=5, rot=0.0):
    pc, cc = hexc(petal_col), hexc(centre_col)

    def shader(dx, dy):
        r = np.hypot(dx, dy)
        th = np.arctan2(dy, dx) + rot
        edge = size * (0.55 + 0.45 * np.abs(np.cos(petals * th / 2.0)))
        a = coverage(r - edge, 1.0)
        # petals a little darker towards the middle, centre dot on top
        shade = 0.82 + 0.18 * np.clip(r / size, 0, 1)
        col = pc[None, None, :] * shade[..., None]
        cm = coverage(r - size * 0.32, 1.0)[..., None]
        col = col * (1 - cm) + cc * cm * (1.0 - 0.25 * np.clip(r / (size * 0.32), 0, 1))[..., None]
        return a, col
    return shader


# ---------------------------------------------------------------- main-window background

def make_background():
    h, w = 1200, 1920
    rng = np.random.default_rng(101)
    yy, xx = grid(h, w)
    t = 0.65 * yy / h + 0.35 * xx / w
    img = gradient(t, [(0.0, "#cbe4f7"), (0.5, "#e2f0f5"), (1.0, "#e6f3df")])
    # warm light from the upper right corner
    d = np.hypot((xx - w * 0.95) / w, (yy + h * 0.05) / h)
    mix(img, hexc("#fff3df"), 0.6 * np.exp(-d * d * 5.0))
    # very slow brightness waves
    n = fractal_noise(h, w, rng, slope=1.6, scale=900, fine=20)
    img *= (1.0 + 0.012 * n)[..., None]
    # distance from the middle, used to keep the centre quiet
    er = np.hypot((xx - w / 2) / (w / 2), (yy - h / 2) / (h / 2))
    # soft pastel circles, more towards the edges
    pal = ["#ffffff", "#fff1cf", "#d6ebff", "#e2f6d8", "#f6e1f0", "#ffffff"]
    for _ in range(46):
        cx, cy = rng.uniform(0, w), rng.uniform(0, h)
        rr = np.hypot((cx - w / 2) / (w / 2), (cy - h / 2) / (h / 2))
        if rr < 0.55:
            continue
        r = rng.uniform(40, 210)
        col = hexc(pal[rng.integers(len(pal))])
        alpha = rng.uniform(0.10, 0.28) * smoothstep(0.55, 0.95, rr)
        soft = r * rng.uniform(0.15, 0.5)

        def sh(dx, dy, r=r, col=col, alpha=alpha, soft=soft):
            dd = np.hypot(dx, dy)
            a = coverage(dd - r, soft) * alpha * (0.8 + 0.2 * dd / r)
            return a, col
        stamp(img, cx, cy, r + soft, sh)
    # two gentle hills along the bottom
    e1 = hills_edge(w, rng, h * 0.86, 10, waves=((30, 1500, 0.8), (14, 610, 2.0)), fine=120)
    paint_hill(img, e1, hexc("#d9eccd"), aa=10.0)
    e2 = hills_edge(w, rng, h * 0.93, 8, waves=((22, 1100, 2.5), (9, 480, 0.3)), fine=120)
    paint_hill(img, e2, hexc("#cfe6c1"), aa=8.0)
    # a touch of vignette so the middle reads as the lightest spot
    img *= (1.0 - 0.05 * smoothstep(0.6, 1.5, er))[..., None]
    add_grain(img, rng, luma=0.005, chroma=0.002)
    save_jpeg(img, os.path.join(PICTURES, "background.jpg"), quality=85)


# ---------------------------------------------------------------- strip

def make_strip():
    h, w = 45, 580
    rng = np.random.default_rng(202)
    yy, xx = grid(h, w)
    t = xx / w
    img = gradient(t, [(0.0, "#fffaf0"), (0.18, "#fdf1c8"), (0.38, "#d4ecfb"),
                       (0.62, "#7fb0e6"), (0.82, "#2f5db4"), (1.0, "#122866")])
    v = (yy / h) * 2.0 - 1.0
    # rounded band: a little light along the top, gently darker at the rims
    gloss = 0.06 * np.exp(-((v + 0.45) / 0.35) ** 2)
    rim = 0.07 * v ** 4
    img = img * (1.0 - rim)[..., None] + gloss[..., None] * (1.0 - img) * 1.6
    img += rng.uniform(-0.5, 0.5, img.shape).astype(F32) / 255.0   # keeps the gradient free of bands
    save_png_rgb(img, os.path.join(PICTURES, "strip.png"))


# ---------------------------------------------------------------- records wallpaper

def make_hiscore():
    h, w = 597, 506
    rng = np.random.default_rng(303)
    yy, xx = grid(h, w)
    img = gradient(yy / h, [(0.0, "#fffdf4"), (0.6, "#fff6e0"), (1.0, "#fcefd6")])
    # faint rays from the top centre
    ang = np.arctan2(xx - w / 2, yy + 120)
    rays = 0.5 + 0.5 * np.cos(ang * 18)
    mix(img, hexc("#fff9e8"), 0.5 * rays * np.exp(-yy / h * 1.5))
    # soft blobs of colour
    n = fractal_noise(h, w, rng, slope=1.5, scale=300, fine=6)
    mix(img, hexc("#fde9c3"), 0.35 * smoothstep(0.3, 1.8, n))
    # light golden and pastel stars
    pal = ["#f6dc94", "#f9e2a8", "#f2d7e6", "#d9e9f7", "#dcefd2"]
    for _ in range(55):
        cx, cy, r = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(6, 22)
        col = hexc(pal[rng.integers(len(pal))])
        rot = rng.uniform(-0.4, 0.4)
        alpha = rng.uniform(0.35, 0.7)

        def sh(dx, dy, r=r, col=col, rot=rot, alpha=alpha):
            ux, uy = rotate(dx, dy, rot)
            return coverage(sd_star5(ux, uy, r, 0.45), 1.0) * alpha, col
        stamp(img, cx, cy, r + 2, sh)
    for _ in range(120):
        cx, cy, r = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(1.5, 4)
        col = hexc(pal[rng.integers(len(pal))])

        def sh(dx, dy, r=r, col=col):
            return coverage(np.hypot(dx, dy) - r, 1.0) * 0.6, col
        stamp(img, cx, cy, r + 2, sh)
    add_grain(img, rng, luma=0.005, chroma=0.002)
    # black text has to stay readable: keep everything very light
    lum = img @ np.array([0.299, 0.587, 0.114], F32)
    print("  hiscore: darkest luminance %.0f/255" % (lum.min() * 255))
    save_jpeg(img, os.path.join(PICTURES, "hiscore.jpg"), quality=88)


# ---------------------------------------------------------------- icon

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
ICO_SIZES = (16, 24, 32, 48)


def draw_icon(S=1536):
    """Blue book with a green plus, drawn big; returns premultiplied RGBA floats."""
    yy, xx = grid(S, S)
    u, v = xx / S, yy / S
    px = 1.0 / S                    # one pixel in unit coordinates
    rgb = np.zeros((S, S, 3), F32)
    alpha = np.zeros((S, S), F32)

    def over(col, a):
        nonlocal rgb, alpha
        a = np.clip(a, 0, 1)
        if np.ndim(col) == 1:
            col = col[None, None, :]
        rgb = rgb * (1 - a[..., None]) + col * a[..., None]
        alpha = alpha * (1 - a) + a

    def box(x0, y0, x1, y1, r):
        return sd_round_box(u - (x0 + x1) / 2, v - (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2, r)

    aa = 1.5 * px
    # back cover, then the block of pages peeking out right and below
    back = box(0.10, 0.07, 0.88, 0.93, 0.07)
    over(hexc("#163a85"), coverage(back, aa))
    pages = box(0.15, 0.10, 0.845, 0.885, 0.03)
    lines = 0.5 + 0.5 * np.cos(2 * np.pi * (np.minimum(0.845 - u, 0.885 - v)) / 0.018)
    page_col = gradient(lines, [(0.0, "#e5dcc4"), (1.0, "#fffaf0")])
    over(page_col, coverage(pages, aa))
    # front cover with a gradient and an outline
    front = box(0.10, 0.05, 0.80, 0.83, 0.07)
    over(hexc("#163a85"), coverage(front, aa))
    inner = front + 0.022
    cover_col = gradient(np.clip((u - 0.10) * 0.55 + (v - 0.05) * 0.75, 0, 1),
                         [(0.0, "#5d9cf5"), (0.5, "#3a78e0"), (1.0, "#2558bf")])
    over(cover_col, coverage(inner, aa))
    # spine
    spine = box(0.122, 0.072, 0.235, 0.808, 0.05)
    spine = np.maximum(spine, u - 0.235)
    over(hexc("#1f4ea8"), coverage(spine, aa) * coverage(inner, aa))
    hinge = np.abs(u - 0.245) - 0.010
    over(hexc("#8ab8ff"), coverage(hinge, aa) * coverage(inner, aa) * 0.9)
    # title label on the cover
    label = box(0.33, 0.15, 0.70, 0.29, 0.025)
    over(hexc("#dce9ff"), coverage(label, aa) * 0.95)
    over(hexc("#8fb0e6"), coverage(box(0.38, 0.20, 0.65, 0.24, 0.02), aa))
    # gloss on the upper part of the cover
    gl = np.clip(1.0 - (v - 0.05) / 0.35, 0, 1) * 0.16
    over(hexc("#ffffff"), gl * coverage(inner + 0.01, aa) * coverage(label - 0.01, aa) * (1 - coverage(label, aa)))

    # green plus: dark rim, white ring, green body, highlight
    cx, cy, arm, th = 0.655, 0.665, 0.275, 0.10
    pu, pv = u - cx, v - cy
    plus = np.minimum(sd_round_box(pu, pv, arm, th, 0.035), sd_round_box(pu, pv, th, arm, 0.035))
    over(hexc("#145a22"), coverage(plus - 0.065, aa))
    over(hexc("#ffffff"), coverage(plus - 0.045, aa))
    over(hexc("#1f7a31"), coverage(plus - 0.012, aa))
    green = gradient(np.clip((pv + arm) / (2 * arm), 0, 1),
                     [(0.0, "#7ee06a"), (0.5, "#43bb46"), (1.0, "#2a9a3a")])
    over(green, coverage(plus + 0.004, aa))
    hl = np.minimum(sd_round_box(pu, pv + 0.035, arm - 0.035, th * 0.35, 0.02),
                    sd_round_box(pu, pv + arm * 0.55, th * 0.45, arm * 0.35, 0.02))
    over(hexc("#c9f7b8"), coverage(hl, 6 * px) * 0.45)
    # compositing "over" onto transparent black leaves rgb premultiplied
    return np.concatenate([rgb, alpha[..., None]], axis=2)


def downscale(premul, n):
    S = premul.shape[0]
    k = S // n
    assert k * n == S
    small = premul.reshape(n, k, n, k, 4).mean(axis=(1, 3))
    return small


def unpremultiply(p):
    a = p[..., 3:4]
    rgb = np.where(a > 1e-6, p[..., :3] / np.maximum(a, 1e-6), 0.0)
    return np.concatenate([np.clip(rgb, 0, 1), a], axis=2)


def sharpen_premul(p, amount):
    """Light unsharp mask for the tiny sizes, done on premultiplied values."""
    n = p.shape[0]
    pad = np.pad(p, ((1, 1), (1, 1), (0, 0)), mode="edge")
    avg = sum(pad[1 + dy:1 + dy + n, 1 + dx:1 + dx + n] for dy in (-1, 0, 1) for dx in (-1, 0, 1)) / 9.0
    out = p + amount * (p - avg)
    a = np.clip(out[..., 3:4], 0, 1)
    return np.concatenate([np.clip(out[..., :3], 0, a), a], axis=2)


def icon_rgba8(premul, n):
    small = downscale(premul, n)
    if n <= 24:
        small = sharpen_premul(small, 0.5)
    elif n <= 48:
        small = sharpen_premul(small, 0.3)
    return to_u8(unpremultiply(small))


def quantize_256(rgba8):
    """Palette version for the 256-colour icon entries: opaque pixels are
    reduced to at most 255 colours with ImageMagick, index 0 stays for the
    transparent ones (masked out by the AND mask)."""
    opaque = rgba8[..., 3] >= 128
    cols = rgba8[..., :3][opaque]
    ppm_in, ppm_out = _tmp(".ppm"), _tmp(".ppm")
    try:
        write_ppm(ppm_in, cols.reshape(1, -1, 3))
        subprocess.run([CONVERT, ppm_in, "+dither", "-colors", "255", ppm_out], check=True)
        with open(ppm_out, "rb") as f:
            data = f.read()
    finally:
        os.unlink(ppm_in)
        os.unlink(ppm_out)
    # header: P6 w h 255 followed by one whitespace byte
    parts = data.split(None, 4)
    q = np.frombuffer(parts[4], np.uint8).reshape(-1, 3)[: cols.shape[0]]
    palette, idx = np.unique(q, axis=0, return_inverse=True)
    palette = np.vstack([np.zeros((1, 3), np.uint8), palette])
    index = np.zeros(rgba8.shape[:2], np.uint8)
    index[opaque] = (idx.reshape(-1) + 1).astype(np.uint8)
    return palette, index, ~opaque


def bmp_entry_32(rgba8):
    n = rgba8.shape[0]
    bgra = rgba8[::-1, :, [2, 1, 0, 3]]
    mask = bmp_and_mask(rgba8[..., 3] == 0)
    hdr = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, n * n * 4 + len(mask), 0, 0, 0, 0)
    return hdr + bgra.tobytes() + mask


def bmp_and_mask(transparent):
    n_rows, n_cols = transparent.shape
    stride = ((n_cols + 31) // 32) * 4
    out = bytearray()
    for row in transparent[::-1]:
        bits = np.packbits(row.astype(np.uint8))
        out += bits.tobytes() + b"\0" * (stride - len(bits))
    return bytes(out)


def bmp_entry_8(rgba8):
    n = rgba8.shape[0]
    palette, index, transparent = quantize_256(rgba8)
    pal = np.zeros((256, 4), np.uint8)
    pal[: len(palette), :3] = palette[:, [2, 1, 0]]
    stride = (n + 3) // 4 * 4
    rows = np.zeros((n, stride), np.uint8)
    rows[:, :n] = index[::-1]
    mask = bmp_and_mask(transparent)
    hdr = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, rows.size + len(mask), 0, 0, 256, 0)
    return hdr + pal.tobytes() + rows.tobytes() + mask


def write_ico(path, entries):
    """entries: list of (size, bits, payload)."""
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    dirs, blobs = b"", b""
    for size, bits, payload in entries:
        colours = 0 if bits > 8 else (1 << bits) % 256
        dirs += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(payload), offset)
        blobs += payload
        offset += len(payload)
    with open(path, "wb") as f:
        f.write(head + dirs + blobs)
    print("  %-40s %7d bytes" % (os.path.relpath(path, ROOT), os.path.getsize(path)))


def make_icon():
    premul = draw_icon()
    os.makedirs(ICONS, exist_ok=True)
    small = {}
    for n in ICON_SIZES:
        small[n] = icon_rgba8(premul, n)
        save_png_rgba(small[n], os.path.join(ICONS, "tovelo2-%d.png" % n))
    entries = [(n, 32, bmp_entry_32(small[n])) for n in ICO_SIZES]
    entries += [(n, 8, bmp_entry_8(small[n])) for n in ICO_SIZES]
    write_ico(os.path.join(ICONS, "tovelo2.ico"), entries)


# ---------------------------------------------------------------- sample wallpapers

W, H = 1920, 1200


def wall_sky():
    rng = np.random.default_rng(1001)
    img = sky_gradient(H, W, top="#3f86d6", mid="#7fbbee", horizon="#d6ecfb")
    sun_glow(img, W * 0.80, H * 0.18, 260, strength=0.75, core=55)
    add_clouds(img, rng, 4, (0.78, 0.95), (160, 300), amount=0.85)
    add_clouds(img, rng, 3, (0.50, 0.72), (260, 440), amount=0.95)
    add_clouds(img, rng, 3, (0.20, 0.42), (380, 600))
    # a few birds far away
    for _ in range(7):
        cx, cy, s = rng.uniform(W * 0.15, W * 0.6), rng.uniform(H * 0.15, H * 0.45), rng.uniform(7, 14)
        col = hexc("#3d4f66")

        def sh(dx, dy, s=s, col=col):
            # two little arcs making a "v"
            ax = np.abs(dx)
            yc = -0.35 * s + 0.6 * s * ((ax / s) - 0.55) ** 2 * 2.2
            d = np.abs(dy - yc) - 0.09 * s
            d = np.maximum(d, ax - s)
            return coverage(d, 1.0) * 0.85, col
        stamp(img, cx, cy, s * 1.3, sh)
    add_grain(img, rng, luma=0.009, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "sky.jpg"), quality=85)


def wall_sea():
    rng = np.random.default_rng(1002)
    hy = int(H * 0.46)
    img = sky_gradient(H, W, top="#4b8fd8", mid="#8fc6ee", horizon="#e3f2fb", hy=hy)
    sunx, suny = W * 0.34, H * 0.30
    sun_glow(img, sunx, suny, 220, col="#fff0c0", strength=0.7, core=48)
    sky = img[:hy].copy()
    add_clouds(sky, rng, 6, (0.80, 0.97), (120, 260), amount=0.8)
    add_clouds(sky, rng, 3, (0.35, 0.60), (260, 420), amount=0.95)
    img[:hy] = sky

    # sea below the horizon, in perspective
    ys = np.arange(hy, H, dtype=F32) + 0.5
    z = (ys - hy) / (H - hy)                   # 0 at the horizon, 1 at the bottom
    xs = np.arange(W, dtype=F32) + 0.5
    dist = 1.0 / (z + 0.035)
    Y = dist[:, None] * 6.0
    X = ((xs[None, :] - W / 2) / W) * dist[:, None] * 9.0
    height = np.zeros((len(ys), W), F32)
    dYdy = 6.0 / ((z + 0.035) ** 2 * (H - hy))      # world units per screen pixel
    dXdx = 9.0 * dist / W
    for i in range(26):
        k = 2.0 * 1.22 ** i * rng.uniform(0.9, 1.1)
        ang = rng.normal(0, 0.35)
        kx, ky = k * np.sin(ang), k * np.cos(ang)
        amp = 1.0 / k ** 0.9
        # fade out every wave the screen cannot show without aliasing
        f = np.hypot(kx * dXdx, ky * dYdy) / (2 * np.pi)
        fade = np.clip(1.0 - f / 0.22, 0, 1)
        height += (amp * fade)[:, None] * np.sin(kx * X + ky * Y + rng.uniform(0, 6.3)).astype(F32)
    slope = np.diff(height, axis=0, append=height[-1:])
    slope = slope / (np.abs(slope).std() + 1e-6)
    t = z[:, None] * np.ones((1, W), F32)
    sea = gradient(t, [(0.0, "#8cc9e6"), (0.25, "#3f97c9"), (0.7, "#1f6fa8"), (1.0, "#18598f")])
    # slopes facing up reflect the bright sky, the others show deeper water
    refl = np.clip(0.5 - slope * 0.35, 0, 1)
    mix(sea, hexc("#bfe3f5"), refl * 0.45)
    mix(sea, hexc("#0f4d80"), np.clip(slope * 0.25, 0, 1) * 0.5)
    # glitter path under the sun
    path = np.exp(-((xs[None, :] - sunx) / (40 + 520 * z[:, None])) ** 2)
    crest = smoothstep(0.8, 2.2, -slope)
    screen(sea, hexc("#fff6d8"), np.clip(path * (0.25 + crest), 0, 1) * 0.85)
    # white foam near the front
    foam = smoothstep(1.8, 3.0, -slope) * smoothstep(0.3, 1.0, z)[:, None]
    mix(sea, hexc("#f4fbff"), foam * 0.5)
    img[hy:] = sea
    # soft horizon line
    yy, _ = grid(H, W)
    mix(img, hexc("#d8ecf6"), 0.5 * np.exp(-((yy - hy) / 3.0) ** 2))

    # a little sailing boat on the right
    bx, by, s = W * 0.73, hy + 34, 1.0

    def boat(dx, dy):
        sail1 = sd_polygon_convex(dx, dy, [(0, -150), (75, -18), (0, -18)])
        sail2 = sd_polygon_convex(dx, dy, [(-6, -130), (-6, -18), (-62, -18)])
        hull = sd_polygon_convex(dx, dy, [(-78, -10), (92, -10), (62, 14), (-58, 14)])
        mast = np.maximum(np.abs(dx + 3) - 3, np.abs(dy + 84) - 72)
        a_s = np.maximum(coverage(sail1), coverage(sail2))
        a_h = coverage(hull)
        a_m = coverage(mast)
        col = np.ones(dx.shape + (3,), F32) * hexc("#fbf7ee")
        col = mix(col, hexc("#e9e1cf"), np.clip(coverage(sail2), 0, 1) * 0.6)
        col = mix(col, hexc("#7a4a2a"), a_m)
        col = mix(col, hexc("#d9453b"), a_h)
        col = mix(col, hexc("#f5f0e8"), coverage(np.abs(dy + 2) - 2.5) * a_h)
        return np.clip(np.maximum(np.maximum(a_s, a_h), a_m), 0, 1), col
    stamp(img, bx, by, 170, boat)
    # wobbly reflection of the boat, broken up by the waves
    def reflection(dx, dy):
        t = np.clip(dy / 70.0, 0, 1)
        half = 80 - 35 * t + 6 * np.sin(dy * 0.9)
        a = coverage(np.abs(dx - 6 * np.sin(dy * 0.45)) - half, 2.0) * (dy > 0) * (1 - t)
        a *= 0.5 + 0.5 * np.sin(dy * 1.3)
        col = np.where((dy < 10)[..., None], hexc("#c8564e"), hexc("#e8f2f8"))
        return a * 0.35, col
    stamp(img, bx, by + 16, 90, reflection)
    # gulls
    for _ in range(5):
        cx, cy, s = rng.uniform(W * 0.45, W * 0.95), rng.uniform(H * 0.08, H * 0.32), rng.uniform(9, 16)

        def sh(dx, dy, s=s):
            ax = np.abs(dx)
            yc = -0.30 * s + 0.6 * s * ((ax / s) - 0.5) ** 2 * 2.4
            d = np.maximum(np.abs(dy - yc) - 0.1 * s, ax - s)
            return coverage(d, 1.0) * 0.9, hexc("#f8fbff") * 0.2 + hexc("#44546a") * 0.8
        stamp(img, cx, cy, s * 1.3, sh)
    add_grain(img, rng, luma=0.009, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "sea.jpg"), quality=85)


def meadow_ground(img, rng, top_y, col_far="#9fd27a", col_near="#4f9e3a"):
    h, w = img.shape[:2]
    yy, xx = grid(h, w)
    t = np.clip((yy - top_y) / (h - top_y), 0, 1)
    ground = gradient(t, [(0.0, col_far), (1.0, col_near)])
    grass = fractal_noise(h, w, rng, slope=0.8, scale=40, sy=0.25, sx=1.0, fine=0.7)
    big = fractal_noise(h, w, rng, slope=1.6, scale=500, fine=10)
    ground *= (1.0 + 0.06 * grass * (0.4 + t) + 0.05 * big)[..., None]
    return ground


def scatter_flowers(img, rng, top_y, count, palette, edge=None):
    h, w = img.shape[:2]
    items = []
    for _ in range(count):
        t = rng.random() ** 0.8
        y = top_y + t * (h - top_y) + 20
        x = rng.uniform(-20, w + 20)
        if edge is not None:
            xi = int(np.clip(x, 0, w - 1))
            if y < edge[xi] + 10:
                continue
        items.append((y, x, t))
    items.sort()
    for y, x, t in items:
        size = 3 + 22 * t ** 1.7 * rng.uniform(0.7, 1.2)
        petal, centre = palette[rng.integers(len(palette))]
        # small shadow, then the flower
        shade = hexc("#2f6b25")

        def sh_shadow(dx, dy, size=size):
            return coverage(np.hypot(dx, dy * 1.6) - size * 0.9, size * 0.5) * 0.25, shade
        stamp(img, x + size * 0.2, y + size * 0.35, size * 1.6, sh_shadow)
        stamp(img, x, y, size * 1.1, flower(petal, centre, size, petals=rng.choice([5, 5, 6]),
                                             rot=rng.uniform(0, 6.3)))


def wall_meadow():
    rng = np.random.default_rng(1003)
    img = sky_gradient(H, W, top="#57a2e6", mid="#9ad0f3", horizon="#e6f5fb", hy=H * 0.5)
    sun_glow(img, W * 0.12, H * 0.12, 230, strength=0.8, core=60)
    add_clouds(img, rng, 4, (0.15, 0.40), (240, 480), amount=0.95)
    # distant blue hills, then green ones
    e1 = hills_edge(W, rng, H * 0.47, 18, waves=((40, 1700, 0.3),))
    paint_hill(img, e1, hexc("#a9cbd8"), aa=2.0)
    e2 = hills_edge(W, rng, H * 0.53, 14, waves=((45, 1300, 2.2), (18, 520, 1.0)))
    paint_hill(img, e2, hexc("#8fc47a"), aa=1.5)
    e3 = hills_edge(W, rng, H * 0.60, 10, waves=((50, 2100, 4.0), (12, 700, 0.5)), fine=40)
    ground = meadow_ground(img, rng, H * 0.55)
    yy, _ = grid(H, W)
    m = coverage(e3[None, :] - yy, 1.5)
    mix(img, ground, m)
    # lighter rim along the crest of the near hill
    mix(img, hexc("#c4e69a"), np.exp(-np.clip(yy - e3[None, :], 0, None) / 14.0) * m * 0.5)
    # trees on the middle hill
    for _ in range(9):
        tx = rng.uniform(0, W)
        ty = e2[int(tx)] + rng.uniform(4, 14)
        if ty > e3[int(tx)] - 6:
            continue
        r = rng.uniform(13, 24)

        def tree(dx, dy, r=r):
            trunk = np.maximum(np.abs(dx) - r * 0.13, np.abs(dy + r * 0.5) - r * 0.55)
            crown = np.hypot(dx, (dy + r * 1.55) * 0.9) - r
            col = np.where((crown < 0)[..., None], hexc("#5c9a4a") * (1.05 - 0.25 * np.clip((dx + dy) / (2 * r) + 0.5, 0, 1))[..., None],
                           hexc("#6b4f35"))
            return np.maximum(coverage(trunk), coverage(crown)), col
        stamp(img, tx, ty, r * 3, tree)
    palette = [("#ffffff", "#f7c531"), ("#ffd1e3", "#f29a3a"), ("#f6e05e", "#e0892b"),
               ("#c9b6f2", "#f5d14a"), ("#ff8f8f", "#ffd34d"), ("#ffffff", "#f0a830"),
               ("#9fd3ff", "#ffe066")]
    scatter_flowers(img, rng, H * 0.58, 700, palette, edge=e3)
    add_grain(img, rng, luma=0.009, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "meadow.jpg"), quality=84)


def wall_night():
    rng = np.random.default_rng(1004)
    yy, xx = grid(H, W)
    img = gradient(yy / H, [(0.0, "#0a1636"), (0.5, "#1a2d64"), (0.85, "#3b4a8a"), (1.0, "#4d5796")])
    # milky way: a soft diagonal band of light
    d = ((xx - W * 0.5) * 0.45 - (yy - H * 0.45) * 0.89)
    band = np.exp(-(d / 170.0) ** 2)
    cloud = fractal_noise(H, W, rng, slope=1.1, scale=250, fine=2)
    mix(img, hexc("#8f87c9"), np.clip(band * (0.22 + 0.12 * cloud), 0, 0.5))
    # stars: many tiny ones, more inside the band
    pal = [hexc("#ffffff"), hexc("#fff2cc"), hexc("#d6e4ff"), hexc("#ffe0ef")]
    for i in range(2600):
        x, y = rng.uniform(0, W), rng.uniform(0, H * 0.8)
        dd = (x - W * 0.5) * 0.45 - (y - H * 0.45) * 0.89
        if rng.random() > 0.35 + 0.65 * np.exp(-(dd / 200.0) ** 2):
            continue
        r = 0.5 + 1.2 * rng.random() ** 3
        bright = rng.uniform(0.35, 1.0)
        col = pal[rng.integers(len(pal))]

        def sh(dx, dy, r=r, bright=bright, col=col):
            q = (dx * dx + dy * dy) / (r * r)
            return np.clip(np.exp(-q) * bright * 1.3, 0, 1), col
        stamp(img, x, y, 4 * r + 1, sh)
    # bigger twinkling stars with soft rays
    for i in range(26):
        x, y = rng.uniform(0, W), rng.uniform(0, H * 0.65)
        r = rng.uniform(2.0, 4.5)
        col = pal[rng.integers(len(pal))]

        def sh(dx, dy, r=r, col=col):
            q = np.hypot(dx, dy)
            core = np.exp(-(q / r) ** 2)
            rays = np.exp(-np.abs(dx) / (0.5 * r)) * np.exp(-np.abs(dy) / (6 * r)) + \
                np.exp(-np.abs(dy) / (0.5 * r)) * np.exp(-np.abs(dx) / (6 * r))
            halo = 0.25 * np.exp(-q / (3 * r))
            return np.clip(core + 0.6 * rays + halo, 0, 1), col
        stamp(img, x, y, 12 * r, sh)
    # crescent moon with a glow
    mx, my, mr = W * 0.80, H * 0.20, 85
    dm = np.hypot(xx - mx, yy - my)
    screen(img, hexc("#fff3c8"), 0.35 * np.exp(-(dm / (mr * 2.2)) ** 2) + 0.12 * np.exp(-dm / (mr * 4)))

    def moon(dx, dy):
        outer = np.hypot(dx, dy) - mr
        inner = np.hypot(dx - 38, dy + 22) - mr * 0.86
        a = coverage(outer, 1.2) * (1 - coverage(inner, 1.2))
        spots = 1.0 - 0.06 * smoothstep(0.3, 1.0, np.sin(dx * 0.07) * np.cos(dy * 0.09 + 1.0))
        col = hexc("#fff4cc")[None, None, :] * spots[..., None]
        return a, col
    stamp(img, mx, my, mr + 4, moon)
    # dark hills with round trees and a little house with lit windows
    e1 = hills_edge(W, rng, H * 0.80, 14, waves=((40, 1500, 1.0), (16, 600, 2.0)))
    paint_hill(img, e1, hexc("#1d2d55"), aa=1.5)
    e2 = hills_edge(W, rng, H * 0.89, 10, waves=((35, 1200, 3.0), (12, 450, 0.2)))
    for _ in range(10):
        tx = rng.uniform(0, W)
        ty = e2[int(tx)] + 6
        r = rng.uniform(16, 30)

        def tree(dx, dy, r=r):
            trunk = np.maximum(np.abs(dx) - r * 0.12, np.abs(dy + r * 0.5) - r * 0.55)
            crown = np.hypot(dx, (dy + r * 1.6) * 0.85) - r
            return np.maximum(coverage(trunk), coverage(crown)), hexc("#101b38")
        stamp(img, tx, ty, r * 3, tree)
    hx = int(W * 0.24)
    hyb = e2[hx] + 8

    def house(dx, dy):
        wall = np.maximum(np.abs(dx) - 46, np.abs(dy + 38) - 38)
        roof = sd_polygon_convex(dx, dy, [(-58, -74), (0, -118), (58, -74)])
        chim = np.maximum(np.abs(dx - 28) - 7, np.abs(dy + 106) - 16)
        a = np.maximum(np.maximum(coverage(wall), coverage(roof)), coverage(chim))
        col = np.ones(dx.shape + (3,), F32) * hexc("#0d1731")
        win = np.minimum(np.maximum(np.abs(dx + 20) - 10, np.abs(dy + 46) - 11),
                         np.maximum(np.abs(dx - 20) - 10, np.abs(dy + 46) - 11))
        mix(col, hexc("#ffd66b"), coverage(win))
        return a, col
    stamp(img, hx, hyb, 130, house)
    # window glow
    screen(img, hexc("#ffcf6b"), 0.18 * np.exp(-(np.hypot(xx - hx, yy - (hyb - 46)) / 60.0) ** 2))
    paint_hill(img, e2, hexc("#121f42"), aa=1.5)
    # fireflies in the grass
    for _ in range(40):
        x = rng.uniform(0, W)
        y = rng.uniform(H * 0.86, H * 0.99)
        r = rng.uniform(1.2, 2.4)

        def sh(dx, dy, r=r):
            q = np.hypot(dx, dy) / r
            return np.clip(np.exp(-q * q) + 0.3 * np.exp(-q / 2.5), 0, 1), hexc("#e9ff9a")
        stamp(img, x, y, r * 10, sh)
    add_grain(img, rng, luma=0.008, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "night.jpg"), quality=86)


def leaf_shader(L, Wd, ang, col, lobes, shadow=False, soft=1.0):
    base = hexc(col)
    dark = base * 0.6

    def sh(dx, dy):
        u, v = rotate(dx, dy, ang)
        t = (u / L + 1.0) * 0.5                         # 0 at the stem, 1 at the tip
        tc = np.clip(t, 0, 1)
        width = Wd * np.maximum(np.sin(np.pi * tc), 0.0) ** 0.75 * (1.0 - 0.2 * tc)
        if lobes:
            width = width * (1.0 + 0.22 * np.abs(np.sin(np.pi * lobes * tc)) - 0.11)
        d = np.abs(v) - width
        d = np.maximum(d, np.abs(u) - L)
        a = coverage(d, soft)
        stem = np.maximum(np.abs(v) - max(1.0, Wd * 0.05), np.abs(u + L * 1.12) - L * 0.14)
        if soft <= 1.5:
            a = np.maximum(a, coverage(stem, soft))
        if shadow:
            return a * 0.28, hexc("#7a3d14")
        # colour: lighter towards the tip and on one half, dark veins
        shade = 0.82 + 0.25 * tc + 0.08 * np.sign(v)
        c = base[None, None, :] * shade[..., None]
        c = c * (1 - 0.25 * np.clip(1 - np.abs(v) / (width + 1e-3), 0, 1) ** 6)[..., None]
        rib = coverage(np.abs(v) - max(0.6, Wd * 0.035), 1.0) * (tc > 0.03) * (tc < 0.95)
        period = max(L * 0.18, 6.0)
        side = np.abs(((u - np.abs(v) * 1.1) / period) % 1.0 - 0.5) * period - max(0.5, Wd * 0.02)
        veins = coverage(side, 1.0) * (np.abs(v) < width * 0.85) * 0.55
        c = mix(c, dark, np.maximum(rib, veins))
        c = mix(c, hexc("#6b4423"), coverage(stem, 1.0) * (t < 0.02))
        return a, c
    return sh


def wall_autumn():
    rng = np.random.default_rng(1005)
    yy, xx = grid(H, W)
    t = 0.55 * yy / H + 0.45 * xx / W
    img = gradient(t, [(0.0, "#fdeab2"), (0.45, "#f8cf86"), (1.0, "#ec9f5a")])
    n = fractal_noise(H, W, rng, slope=1.4, scale=600, fine=8)
    img *= (1.0 + 0.025 * n)[..., None]
    cols = ["#e8772e", "#d4502f", "#f2b53a", "#c9682b", "#b8432c", "#f0c24a", "#a85f2a", "#8fa83a"]
    # blurred leaves far away
    for _ in range(40):
        cx, cy = rng.uniform(0, W), rng.uniform(0, H)
        L = rng.uniform(20, 45)
        stamp(img, cx, cy, L * 2, leaf_shader(L, L * 0.55, rng.uniform(0, 6.3),
                                               cols[rng.integers(len(cols))], 0, soft=10.0))
    img = mix(img, gradient(t, [(0.0, "#fdeab2"), (1.0, "#f4b56a")]), np.full((H, W), 0.35, F32))
    # sharp leaves with soft shadows
    for _ in range(120):
        cx, cy = rng.uniform(-40, W + 40), rng.uniform(-40, H + 40)
        L = rng.uniform(28, 80)
        Wd = L * rng.uniform(0.42, 0.6)
        ang = rng.uniform(0, 6.3)
        lobes = int(rng.choice([0, 0, 3, 4]))
        col = cols[rng.integers(len(cols))]
        off = L * 0.18
        stamp(img, cx + off, cy + off * 1.3, L * 1.5, leaf_shader(L, Wd, ang, col, lobes, shadow=True, soft=L * 0.2))
        stamp(img, cx, cy, L * 1.4, leaf_shader(L, Wd, ang, col, lobes))
    add_grain(img, rng, luma=0.010, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "autumn.jpg"), quality=84)


def wall_candy():
    rng = np.random.default_rng(1006)
    yy, xx = grid(H, W)
    ang = np.radians(32)
    s = xx * np.cos(ang) + yy * np.sin(ang) + 45 * np.sin(yy / 260.0) + 25 * np.sin(xx / 410.0 + 1.0)
    period = 110.0
    k = s / period
    idx = np.floor(k).astype(np.int64)
    p = (k - idx).astype(F32)
    pal = np.array([hexc(c) for c in ["#ffd1dc", "#fff6e5", "#c8f0dc", "#fff6e5", "#d9d0f7",
                                      "#fff6e5", "#cfe9fb", "#fff6e5", "#ffe3b3", "#fff6e5"]], F32)
    c0 = pal[idx % len(pal)]
    c1 = pal[(idx + 1) % len(pal)]
    e = 2.0 / period
    img = c0 + (c1 - c0) * smoothstep(1 - e, 1, p)[..., None]
    # each stripe bulges a little like a ribbon
    img *= (0.93 + 0.09 * np.sin(np.pi * p))[..., None]
    # soft large glow and gentle vignette
    g = np.exp(-(((xx - W * 0.4) / (W * 0.6)) ** 2 + ((yy - H * 0.35) / (H * 0.6)) ** 2))
    screen(img, hexc("#ffffff"), 0.25 * g)
    # sprinkles
    spr = ["#ff7aa2", "#ffcf4d", "#6fd3a0", "#8f7ff0", "#5fb8f2", "#ff9a5c", "#ffffff"]
    for _ in range(320):
        cx, cy = rng.uniform(0, W), rng.uniform(0, H)
        Ls, r = rng.uniform(10, 18), rng.uniform(3.5, 5.5)
        a = rng.uniform(0, np.pi)
        col = hexc(spr[rng.integers(len(spr))])

        def sh(dx, dy, Ls=Ls, r=r, a=a, col=col):
            u, v = rotate(dx, dy, a)
            d = np.hypot(np.maximum(np.abs(u) - Ls / 2, 0), v) - r
            cc = col[None, None, :] * (1.0 - 0.18 * np.clip(v / r, 0, 1))[..., None]
            cc = mix(cc, np.ones(3, F32), coverage(np.hypot(np.maximum(np.abs(u) - Ls / 2.5, 0), v + r * 0.45) - r * 0.25, 1.2) * 0.55)
            return coverage(d, 1.0), cc
        stamp(img, cx + 2, cy + 3, Ls + 10, lambda dx, dy, Ls=Ls, r=r, a=a: (
            coverage(np.hypot(np.maximum(np.abs(rotate(dx, dy, a)[0]) - Ls / 2, 0), rotate(dx, dy, a)[1]) - r, 3.0) * 0.18,
            hexc("#8a6a7a")))
        stamp(img, cx, cy, Ls + 8, sh)
    # a few round lollipops
    for _ in range(6):
        cx, cy, R = rng.uniform(100, W - 100), rng.uniform(100, H - 100), rng.uniform(60, 110)
        c1_, c2_ = hexc(spr[rng.integers(5)]), hexc("#fffaf2")

        def lolly(dx, dy, R=R, c1_=c1_, c2_=c2_):
            r = np.hypot(dx, dy)
            th = np.arctan2(dy, dx)
            sw = 0.5 + 0.5 * np.sin(th * 3 + r / R * 9.0)
            col = c2_ + (c1_ - c2_) * smoothstep(0.4, 0.6, sw)[..., None]
            col = col * (1.0 - 0.18 * np.clip(r / R, 0, 1) ** 3)[..., None]
            hl = np.exp(-(((dx + R * 0.35) / (R * 0.28)) ** 2 + ((dy + R * 0.4) / (R * 0.18)) ** 2))
            col = col + (1 - col) * (0.6 * hl)[..., None]
            return coverage(r - R, 1.2), col
        stamp(img, cx + R * 0.08, cy + R * 0.12, R * 1.3,
              lambda dx, dy, R=R: (coverage(np.hypot(dx, dy) - R, R * 0.15) * 0.2, hexc("#7a5a6a")))
        stamp(img, cx, cy, R + 2, lolly)
    add_grain(img, rng, luma=0.008, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "candy.jpg"), quality=84)


def wall_bubbles():
    rng = np.random.default_rng(1007)
    yy, xx = grid(H, W)
    t = 0.7 * yy / H + 0.3 * xx / W
    img = gradient(t, [(0.0, "#8fe0ea"), (0.5, "#79bfe6"), (1.0, "#8a8fe0")])
    # light rays from above
    ang = np.arctan2(xx - W * 0.3, yy + 300)
    rays = (0.5 + 0.5 * np.sin(ang * 23 + 0.7 * np.sin(ang * 7))) ** 3
    screen(img, hexc("#ffffff"), 0.10 * rays * np.exp(-yy / H * 1.8))
    n = fractal_noise(H, W, rng, slope=1.5, scale=700, fine=8)
    img *= (1 + 0.012 * n)[..., None]
    items = []
    for _ in range(95):
        r = 14 + 150 * rng.random() ** 2.6
        items.append((r, rng.uniform(-50, W + 50), rng.uniform(-50, H + 50), rng.uniform(0, 1)))
    items.sort()
    for r, cx, cy, hue in items:
        def bubble(dx, dy, r=r, hue=hue):
            q = np.hypot(dx, dy) / r
            th = np.arctan2(dy, dx)
            thick = 0.035 + 1.2 / r
            rim = np.exp(-((q - 0.97) / thick) ** 2)
            film = 0.10 * smoothstep(0.55, 1.0, q) * (q < 1.0)
            hh = hue + th / (2 * np.pi) + q * 0.4
            irid = 0.5 + 0.5 * np.cos(2 * np.pi * (hh[..., None] + np.array([0.0, 0.33, 0.67], F32)))
            col = 0.55 + 0.45 * irid
            hl = np.exp(-((((dx + dy) * 0.7071 + r * 0.62) / (r * 0.13)) ** 2
                         + (((dx - dy) * 0.7071) / (r * 0.26)) ** 2))
            hl2 = np.exp(-((((dx + dy) * 0.7071 - r * 0.66) / (r * 0.06)) ** 2
                          + (((dx - dy) * 0.7071) / (r * 0.16)) ** 2)) * 0.5
            a = np.clip(rim * 0.55 + film + 0.85 * hl + hl2, 0, 1) * coverage((q - 1.05) * r, 1.0)
            white = np.clip((hl + hl2) * 1.4, 0, 1)[..., None]
            col = col * (1 - white) + white
            return a, col
        stamp(img, cx, cy, r * 1.1, bubble)
    add_grain(img, rng, luma=0.009, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "bubbles.JPG"), quality=85)


def wall_rainbow():
    rng = np.random.default_rng(1008)
    img = sky_gradient(H, W, top="#5aa5e8", mid="#a4d5f4", horizon="#eef8fc", hy=H * 0.7)
    yy, xx = grid(H, W)
    add_clouds(img, rng, 4, (0.12, 0.42), (220, 420), amount=0.95)
    cx, cy, R, bw = W * 0.55, H * 1.05, H * 0.78, H * 0.11
    q = (np.hypot(xx - cx, yy - cy) - R) / bw          # -0.5 .. 0.5 across the bow
    bow = gradient(np.clip(q + 0.5, 0, 1), [(0.0, "#b084e6"), (0.17, "#6a8ff0"), (0.34, "#5cc8e8"),
                                            (0.5, "#7ed36b"), (0.67, "#f9e05a"), (0.84, "#ffa54f"),
                                            (1.0, "#f26d6d")])
    a = np.clip(1.0 - (2 * np.abs(q)) ** 6, 0, 1) * 0.62
    a *= smoothstep(H * 0.95, H * 0.35, yy) * 0.6 + 0.4
    mix(img, bow, a)
    e1 = hills_edge(W, rng, H * 0.72, 14, waves=((55, 1900, 0.6), (20, 740, 2.4)), fine=50)
    paint_hill(img, e1, hexc("#9dcf7d"), aa=1.5)
    mix(img, hexc("#c6e89f"), np.exp(-np.clip(yy - e1[None, :], 0, None) / 18.0) * coverage(e1[None, :] - yy) * 0.5)
    e2 = hills_edge(W, rng, H * 0.83, 12, waves=((40, 1400, 3.1), (16, 560, 1.1)), fine=30)
    ground = meadow_ground(img, rng, H * 0.75, col_far="#8cc96a", col_near="#4a9a38")
    mix(img, ground, coverage(e2[None, :] - yy, 1.5))
    palette = [("#ffffff", "#f7c531"), ("#ffd1e3", "#f29a3a"), ("#f6e05e", "#e0892b"),
               ("#ff8f8f", "#ffd34d")]
    scatter_flowers(img, rng, H * 0.82, 260, palette, edge=e2)
    add_grain(img, rng, luma=0.009, chroma=0.003)
    save_jpeg(img, os.path.join(WALLPAPERS, "rainbow.jpg"), quality=84)


PARTS = {
    "background": make_background,
    "strip": make_strip,
    "hiscore": make_hiscore,
    "icon": make_icon,
    "sky": wall_sky,
    "sea": wall_sea,
    "meadow": wall_meadow,
    "night": wall_night,
    "autumn": wall_autumn,
    "candy": wall_candy,
    "bubbles": wall_bubbles,
    "rainbow": wall_rainbow,
}


def main(argv):
    names = argv or list(PARTS)
    for name in names:
        if name not in PARTS:
            sys.exit("unknown part %r; known: %s" % (name, " ".join(PARTS)))
    for name in names:
        print(name)
        PARTS[name]()


if __name__ == "__main__":
    main(sys.argv[1:])
