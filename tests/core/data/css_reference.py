#!/usr/bin/env python3
"""Writes css_reference.tsv: the expected CSS texts of many colours, and the
colour that pasting a CSS text must give, computed here independently of the
program (fractions for the cylindrical sRGB forms, floats with the published
CSS Color 4 matrices for the rest, decimal rounding half away from zero).

Run once from this directory: python3 css_reference.py > css_reference.tsv
"""
import math
import random
from decimal import ROUND_HALF_UP, Decimal
from fractions import Fraction as F

# --- matrices (CSS Color 4 sample code) --------------------------------------
SRGB_TO_XYZ = [[F(506752, 1228815), F(87881, 245763), F(12673, 70218)],
               [F(87098, 409605), F(175762, 245763), F(12673, 175545)],
               [F(7918, 409605), F(87881, 737289), F(1001167, 1053270)]]
P3_TO_XYZ = [[F(608311, 1250200), F(189793, 714400), F(198249, 1000160)],
             [F(35783, 156275), F(247089, 357200), F(198249, 2500400)],
             [F(0), F(32229, 714400), F(5220557, 5000800)]]
D65_TO_D50 = [[1.0479297925449969, 0.022946870601609652, -0.05019226628920524],
              [0.02962780877005599, 0.9904344267538799, -0.017073799063418826],
              [-0.009243040646204504, 0.015055191490298152, 0.7518742814281371]]
XYZ_TO_LMS = [[0.8190224379967030, 0.3619062600528904, -0.1288737815209879],
              [0.0329836539323885, 0.9292868615863434, 0.0361446663506424],
              [0.0481771893596242, 0.2642395317527308, 0.6335478284694309]]
LMS_TO_OKLAB = [[0.2104542683093140, 0.7936177747023054, -0.0040720430116193],
                [1.9779985324311684, -2.4285922420485799, 0.4505937096174110],
                [0.0259040424655478, 0.7827717124575296, -0.8086757549230774]]
D50 = [0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585]
A98_TO_XYZ = [[F(573536, 994567), F(263643, 1420810), F(187206, 994567)],
              [F(591459, 1989134), F(6239551, 9945670), F(374412, 4972835)],
              [F(53769, 1989134), F(351524, 4972835), F(4929758, 4972835)]]
PROPHOTO_TO_XYZ50 = [[0.79776664490064230, 0.13518129740053308, 0.03134773412839220],
                     [0.28807482881940130, 0.71183523424187300, 0.00008993693872564],
                     [0.0, 0.0, 0.82510460251046020]]
REC2020_TO_XYZ = [[F(63426534, 99577255), F(20160776, 139408157), F(47086771, 278816314)],
                  [F(26158966, 99577255), F(472592308, 697040785), F(8267143, 139408157)],
                  [F(0), F(19567812, 697040785), F(295819943, 278816314)]]


def inverse(m):
    """Exact inverse of a 3x3 matrix of fractions (floats taken exactly)."""
    m = [[F(v) for v in row] for row in m]
    a, b, c = m[0]
    d, e, f = m[1]
    g, h, i = m[2]
    det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g)
    adj = [[e * i - f * h, c * h - b * i, b * f - c * e],
           [f * g - d * i, a * i - c * g, c * d - a * f],
           [d * h - e * g, b * g - a * h, a * e - b * d]]
    return [[v / det for v in row] for row in adj]


XYZ_TO_SRGB = inverse(SRGB_TO_XYZ)
XYZ_TO_P3 = inverse(P3_TO_XYZ)
D50_TO_D65 = inverse(D65_TO_D50)
OKLAB_TO_LMS = inverse(LMS_TO_OKLAB)
LMS_TO_XYZ = inverse(XYZ_TO_LMS)


def mul(m, v):
    return [sum(float(m[r][k]) * v[k] for k in range(3)) for r in range(3)]


def to_linear(c):
    s = -1.0 if c < 0 else 1.0
    c = abs(c)
    return s * (c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4)


def to_gamma(c):
    s = -1.0 if c < 0 else 1.0
    c = abs(c)
    return s * (12.92 * c if c <= 0.0031308 else 1.055 * c ** (1 / 2.4) - 0.055)


EPS = 216 / 24389
KAPPA = 24389 / 27


def xyz65(rgb):
    return mul(SRGB_TO_XYZ, [to_linear(v / 255) for v in rgb])


def lab(rgb):
    xyz = mul(D65_TO_D50, xyz65(rgb))
    f = [math.copysign(abs(v / w) ** (1 / 3), v) if v / w > EPS else (KAPPA * v / w + 16) / 116
         for v, w in zip(xyz, D50)]
    return 116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])


def oklab(rgb):
    lms = [math.copysign(abs(v) ** (1 / 3), v) for v in mul(XYZ_TO_LMS, xyz65(rgb))]
    return mul(LMS_TO_OKLAB, lms)


def polar(a, b):
    h = math.degrees(math.atan2(b, a))
    return math.hypot(a, b), h + 360 if h < 0 else h


# --- number text -------------------------------------------------------------
def num(x, places):
    q = Decimal(x) if not isinstance(x, F) else Decimal(x.numerator) / Decimal(x.denominator)
    if isinstance(x, F):  # exact: decide the tie on the fraction itself
        scaled = abs(x) * 10 ** places
        whole = scaled.numerator // scaled.denominator
        if scaled - whole >= F(1, 2):
            whole += 1
        q = Decimal(whole if x >= 0 else -whole).scaleb(-places)
    else:
        q = q.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)
    t = f"{q:f}"
    if "." in t:
        t = t.rstrip("0").rstrip(".")
    return "0" if t in ("-0", "0", "") else t


def hue(h, places, chroma_text):
    if chroma_text == "0":
        return "0"
    t = num(h, places)
    return "0" if t == "360" else t


# --- forms ---------------------------------------------------------------
def hsl_hwb(rgb):
    r, g, b = rgb
    mx, mn = max(rgb), min(rgb)
    d = mx - mn
    if d == 0:
        h = F(0)
    elif mx == r:
        h = F(60 * (g - b), d) % 360
    elif mx == g:
        h = F(60 * (b - r), d) + 120
    else:
        h = F(60 * (r - g), d) + 240
    s = mx + mn
    sat = F(0) if d == 0 else F(100 * d, 255 - abs(s - 255))
    light = F(100 * s, 510)
    hs = "0" if d == 0 else hue(h, 1, "x")
    return (f"hsl({hs} {num(sat, 1)}% {num(light, 1)}%)",
            f"hwb({hs} {num(F(100 * mn, 255), 1)}% {num(F(100 * (255 - mx), 255), 1)}%)")


def forms(rgb):
    out = {"hex": "#%02X%02X%02X" % tuple(rgb),
           "rgb": "rgb(%d %d %d)" % tuple(rgb),
           "rgb-legacy": "rgb(%d, %d, %d)" % tuple(rgb)}
    out["hsl"], out["hwb"] = hsl_hwb(rgb)
    L, a, b = lab(rgb)
    out["lab"] = f"lab({num(L, 2)} {num(a, 2)} {num(b, 2)})"
    c, h = polar(a, b)
    ct = num(c, 2)
    out["lch"] = f"lch({num(L, 2)} {ct} {hue(h, 2, ct)})"
    L, a, b = oklab(rgb)
    out["oklab"] = f"oklab({num(L * 100, 2)}% {num(a, 5)} {num(b, 5)})"
    c, h = polar(a, b)
    ct = num(c, 5)
    out["oklch"] = f"oklch({num(L * 100, 2)}% {ct} {hue(h, 2, ct)})"
    p3 = [to_gamma(v) for v in mul(XYZ_TO_P3, xyz65(rgb))]
    out["p3"] = "color(display-p3 %s)" % " ".join(num(v, 4) for v in p3)
    return out


# --- paste: CSS texts back to 8-bit sRGB ---------------------------------------
def clip8(rgb01):
    out = []
    for v in rgb01:
        v = min(1.0, max(0.0, v)) * 255
        out.append(int(Decimal(v).quantize(Decimal(1), rounding=ROUND_HALF_UP)))
    return "%02X%02X%02X" % tuple(out)


def from_xyz65(xyz):
    return [to_gamma(v) for v in mul(XYZ_TO_SRGB, xyz)]


def from_lab(L, a, b):
    f1 = (L + 16) / 116
    f0, f2 = a / 500 + f1, f1 - b / 200
    x = f0 ** 3 if f0 ** 3 > EPS else (116 * f0 - 16) / KAPPA
    y = ((L + 16) / 116) ** 3 if L > KAPPA * EPS else L / KAPPA
    z = f2 ** 3 if f2 ** 3 > EPS else (116 * f2 - 16) / KAPPA
    return clip8(from_xyz65(mul(D50_TO_D65, [x * D50[0], y * D50[1], z * D50[2]])))


def from_oklab(L, a, b):
    lms = [v ** 3 for v in mul(OKLAB_TO_LMS, [L, a, b])]
    return clip8(from_xyz65(mul(LMS_TO_XYZ, lms)))


def from_p3(r, g, b):
    return clip8(from_xyz65(mul(P3_TO_XYZ, [to_linear(v) for v in (r, g, b)])))


def odd(f):
    return lambda v: math.copysign(f(abs(v)), v)


def rec2020_linear(a):
    alpha, beta = 1.09929682680944, 0.018053968510807
    return a / 4.5 if a < beta * 4.5 else ((a + alpha - 1) / alpha) ** (1 / 0.45)


ONE = [[1, 0, 0], [0, 1, 0], [0, 0, 1]]
# color() spaces: to XYZ, transfer to linear, whether D50 (Bradford to D65)
SPACES = {"srgb-linear": (SRGB_TO_XYZ, lambda v: v, False),
          "a98-rgb": (A98_TO_XYZ, odd(lambda a: a ** (563 / 256)), False),
          "prophoto-rgb": (PROPHOTO_TO_XYZ50, odd(lambda a: a / 16 if a <= 1 / 32 else a ** 1.8),
                           True),
          "rec2020": (REC2020_TO_XYZ, odd(rec2020_linear), False),
          "xyz": (ONE, lambda v: v, False), "xyz-d65": (ONE, lambda v: v, False),
          "xyz-d50": (ONE, lambda v: v, True)}


def from_color(space, *v):
    m, linear, d50 = SPACES[space]
    xyz = mul(m, [linear(x) for x in v])
    return clip8(from_xyz65(mul(D50_TO_D65, xyz) if d50 else xyz))


def from_polar(c, h):
    return c * math.cos(math.radians(h)), c * math.sin(math.radians(h))


def from_hsl(h, s, l):
    def f(n):
        k = (n + h / 30) % 12
        a = s * min(l, 1 - l)
        return l - a * max(-1, min(k - 3, 9 - k, 1))
    return [f(0), f(8), f(4)]


PASTE = [
    # out of gamut: clipped per channel after the conversion
    ("oklch(70% 0.4 150)", from_oklab(0.7, *from_polar(0.4, 150))),
    ("oklab(0.5 -0.3 0.3)", from_oklab(0.5, -0.3, 0.3)),
    ("lab(50 120 -120)", from_lab(50, 120, -120)),
    ("lch(100 150 0)", from_lab(100, *from_polar(150, 0))),
    ("lch(60% 100% 270)", from_lab(60, *from_polar(150, 270))),
    ("lab(40% -100% 50%)", from_lab(40, -125, 62.5)),
    ("color(display-p3 0 1 0)", from_p3(0, 1, 0)),
    ("color(display-p3 1 0.5 0)", from_p3(1, 0.5, 0)),
    ("color(display-p3 25% 50% 75%)", from_p3(0.25, 0.5, 0.75)),
    ("oklch(0.5 40% 30deg)", from_oklab(0.5, *from_polar(0.16, 30))),
    ("oklab(50% 50% -25%)", from_oklab(0.5, 0.2, -0.1)),
    ("oklch(60% 0.15 1.5rad)", from_oklab(0.6, *from_polar(0.15, math.degrees(1.5)))),
    ("lch(50 30 0.25turn)", from_lab(50, *from_polar(30, 90))),
    ("lch(50 30 100grad)", from_lab(50, *from_polar(30, 90))),
    ("lab(150 0 0)", from_lab(100, 0, 0)),
    ("lab(-10 0 0)", from_lab(0, 0, 0)),
    ("oklch(50% -0.1 40)", from_oklab(0.5, 0, 0)),
    ("hsl(-120 100% 50%)", clip8(from_hsl(240, 1, 0.5))),
    ("hsl(480 100% 25%)", clip8(from_hsl(120, 1, 0.25))),
    # saturation over 100 % is not clamped; the sRGB result is
    ("hsl(30 150% 50%)", clip8(from_hsl(30, 1.5, 0.5))),
    ("hsl(200 130% 40%)", clip8(from_hsl(200, 1.3, 0.4))),
    ("hsl(200 -30% 40%)", clip8(from_hsl(200, 0, 0.4))),
    ("hsl(200 60 40)", clip8(from_hsl(200, 0.6, 0.4))),
    ("hwb(90 20% 30%)", clip8([0.2 + v * 0.5 for v in from_hsl(90, 1, 0.5)])),
    ("hwb(90 70% 60%)", clip8([0.7 / 1.3] * 3)),
    # the other predefined spaces of color(), clipped to sRGB
    ("color(xyz-d50 50% 50% 50%)", from_color("xyz-d50", 0.5, 0.5, 0.5)),
] + [(f"color({sp} {' '.join(map(str, v))})", from_color(sp, *v)) for sp, v in [
    ("srgb-linear", (0.2, 0.5, 1)), ("a98-rgb", (0.5, 0.25, 0.75)), ("a98-rgb", (0, 1, 0)),
    ("prophoto-rgb", (0.4, 0.5, 0.6)), ("prophoto-rgb", (0.01, 0.02, 0.03)),
    ("rec2020", (0.3, 0.6, 0.2)), ("rec2020", (-0.1, 0.5, 0.5)), ("rec2020", (0.01, 0.05, 0.08)),
    ("xyz", (0.2, 0.3, 0.4)),
    ("xyz-d65", (0.9505, 1, 1.089)), ("xyz-d50", (0.3, 0.25, 0.1))]]


def main():
    rng = random.Random(20)
    colours = [(0xFF, 0, 0), (0x12, 0x34, 0x56), (0x80, 0x80, 0x80)]
    colours += [(v, v, v) for v in (0, 1, 17, 51, 119, 127, 128, 136, 200, 254, 255)]
    colours += [(255, 255, 0), (0, 255, 0), (0, 255, 255), (0, 0, 255), (255, 0, 255),
                (153, 50, 204), (102, 51, 153), (200, 100, 50), (171, 205, 239)]
    colours += [tuple(rng.randrange(256) for _ in range(3)) for _ in range(60)]
    colours = list(dict.fromkeys(colours))
    print("# kind\tinput\texpected  (made by css_reference.py)")
    for rgb in colours:
        hexa = "%02X%02X%02X" % rgb
        for form, text in forms(rgb).items():
            print(f"form:{form}\t{hexa}\t{text}")
    for text, hexa in PASTE:
        print(f"paste\t{text}\t{hexa}")


if __name__ == "__main__":
    main()
