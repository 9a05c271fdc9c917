#!/usr/bin/env python3
"""Writes camera_rotate_48.svg (a wireless broadcast camera turning once
round in 32 frames) and camera_static_48.svg (the camera standing still, then
with a "no link" badge), drawn from a small solid model: flat-shaded faces,
back faces dropped, solids painted far to near. The 64-pixel strips render
the same drawings at their size. Run it from this folder after changing the
model; the SVG files are the sources the build uses."""

import math

FRAME = 48
SCALE = 21.0          # pixels per model unit
ELEVATION = math.radians(22)
LIGHT = (-0.45, 0.75, 0.5)
KEY = "#FF00FF"


def box(x0, x1, y0, y1, z0, z1, colour):
    corners = [(x, y, z) for x in (x0, x1) for y in (y0, y1) for z in (z0, z1)]
    def c(i, j, k):
        return corners[i * 4 + j * 2 + k]
    faces = [
        [c(1, 0, 0), c(1, 1, 0), c(1, 1, 1), c(1, 0, 1)],  # +x
        [c(0, 0, 0), c(0, 0, 1), c(0, 1, 1), c(0, 1, 0)],  # -x
        [c(0, 1, 0), c(0, 1, 1), c(1, 1, 1), c(1, 1, 0)],  # +y
        [c(0, 0, 0), c(1, 0, 0), c(1, 0, 1), c(0, 0, 1)],  # -y
        [c(0, 0, 1), c(1, 0, 1), c(1, 1, 1), c(0, 1, 1)],  # +z
        [c(0, 0, 0), c(0, 1, 0), c(1, 1, 0), c(1, 0, 0)],  # -z
    ]
    return [(face, colour) for face in faces]


def barrel(x0, x1, radius, colour, front_colour, sides=10):
    ring = [(radius * math.cos(2 * math.pi * (i + 0.5) / sides),
             radius * math.sin(2 * math.pi * (i + 0.5) / sides)) for i in range(sides)]
    faces = []
    for i in range(sides):
        (y0, z0), (y1, z1) = ring[i], ring[(i + 1) % sides]
        faces.append(([(x0, y0, z0), (x1, y0, z0), (x1, y1, z1), (x0, y1, z1)], colour))
    faces.append(([(x1, y, z) for y, z in ring], front_colour))
    faces.append(([(x0, y, z) for y, z in reversed(ring)], colour))
    return faces


def camera(tone):
    body, dark, accent, glass = tone
    return [
        box(-0.62, 0.5, -0.36, 0.36, -0.3, 0.3, body),                  # body
        barrel(0.5, 1.18, 0.25, dark, glass),                             # lens
        box(0.1, 0.78, 0.36, 0.6, -0.44, -0.14, dark),                    # viewfinder
        box(-0.35, 0.3, 0.36, 0.5, -0.07, 0.07, dark),                    # handle
        box(-0.9, -0.62, -0.3, 0.3, -0.26, 0.26, accent),                 # wireless adapter
        box(-0.84, -0.79, 0.3, 0.78, 0.12, 0.17, dark),                   # antenna
    ]


def turn(point, angle):
    x, y, z = point
    x -= 0.14
    xr = x * math.cos(angle) - z * math.sin(angle)
    zr = x * math.sin(angle) + z * math.cos(angle)
    screen_y = y * math.cos(ELEVATION) - zr * math.sin(ELEVATION)
    depth = y * math.sin(ELEVATION) + zr * math.cos(ELEVATION)
    return xr, screen_y, depth


def normal(points):
    (ax, ay, az), (bx, by, bz), (cx, cy, cz) = points[0], points[1], points[2]
    ux, uy, uz = bx - ax, by - ay, bz - az
    vx, vy, vz = cx - ax, cy - ay, cz - az
    n = (uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx)
    length = math.sqrt(sum(v * v for v in n)) or 1.0
    return tuple(v / length for v in n)


def shade(colour, n):
    light = sum(a * b for a, b in zip(n, LIGHT)) / math.sqrt(sum(v * v for v in LIGHT))
    factor = 0.62 + 0.5 * max(light, 0.0)
    r, g, b = (int(colour[i:i + 2], 16) for i in (1, 3, 5))
    return "#%02X%02X%02X" % tuple(min(255, int(v * factor)) for v in (r, g, b))


def frame(angle, left, tone):
    out = []
    solids = []
    for solid in camera(tone):
        turned = [([turn(p, angle) for p in face], colour) for face, colour in solid]
        depth = sum(p[2] for face, _ in turned for p in face) / sum(len(face) for face, _ in turned)
        solids.append((depth, turned))
    for _, solid in sorted(solids, key=lambda s: s[0]):
        centre = [sum(p[i] for face, _ in solid for p in face) / sum(len(face) for face, _ in solid)
                  for i in range(3)]
        for face, colour in solid:
            # Screen coordinates: x right, y up, depth toward the viewer;
            # the normal turned away from the solid's centre.
            n = normal(face)
            middle = [sum(p[i] for p in face) / len(face) for i in range(3)]
            if sum((middle[i] - centre[i]) * n[i] for i in range(3)) < 0:
                n = tuple(-v for v in n)
            if n[2] <= 1e-6:
                continue
            points = " ".join("%.2f,%.2f" % (left + FRAME / 2 + p[0] * SCALE, FRAME / 2 + 2 - p[1] * SCALE)
                              for p in face)
            out.append('<polygon points="%s" fill="%s" stroke="#15171A" stroke-width="0.7" '
                       'stroke-linejoin="round"/>' % (points, shade(colour, n)))
    return out


def write(name, frames, extra=lambda i, left: []):
    width = FRAME * len(frames)
    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d" data-key="%s">'
             % (width, FRAME, width, FRAME, KEY)]
    for i, (angle, tone) in enumerate(frames):
        lines += frame(angle, i * FRAME, tone)
        lines += extra(i, i * FRAME)
    lines.append("</svg>")
    with open(name, "w") as f:
        f.write("\n".join(lines) + "\n")


LIVE = ("#66707F", "#34383F", "#3272C4", "#7CC0FF")
IDLE = ("#9A9EA5", "#6A6E74", "#8A94A2", "#C4D0DC")


def no_link_badge(i, left):
    if i != 1:
        return []
    cx, cy, r = left + FRAME - 10, FRAME - 10, 7
    return ['<circle cx="%d" cy="%d" r="%d" fill="#D81E1E" stroke="#7A0C0C" stroke-width="1"/>' % (cx, cy, r),
            '<path d="M%d %d L%d %d M%d %d L%d %d" stroke="#FFFFFF" stroke-width="2.2" stroke-linecap="round"/>'
            % (cx - 3, cy - 3, cx + 3, cy + 3, cx + 3, cy - 3, cx - 3, cy + 3)]


if __name__ == "__main__":
    write("camera_rotate_48.svg", [(math.radians(200 + 360 * i / 32), LIVE) for i in range(32)])
    write("camera_static_48.svg", [(math.radians(150), IDLE)] * 2, no_link_badge)
